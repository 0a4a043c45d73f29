#include "make_sample_game/sound_effects.h"

namespace sample {

namespace {

Tone Note(Wave wave, int note, int ms, double volume = 0.4, int gapMs = 0) {
  return Tone{wave, NoteHz(note), NoteHz(note), ms, volume, 3, gapMs};
}

Tone Glide(Wave wave, double fromHz, double toHz, int ms, double volume = 0.4) {
  return Tone{wave, fromHz, toHz, ms, volume, 2, 0};
}

}  // namespace

const std::vector<SoundEffect>& SystemSoundEffects() {
  static const std::vector<SoundEffect> effects = {
      {"se\\Cursor.wav", "Cursor", {Note(Wave::Pulse, 84, 40, 0.3)}},
      {"se\\Decide.wav", "Decide", {Note(Wave::Square, 79, 50, 0.35), Note(Wave::Square, 86, 90, 0.35)}},
      {"se\\Cancel.wav", "Cancel", {Note(Wave::Square, 79, 50, 0.35), Note(Wave::Square, 72, 90, 0.35)}},
      {"se\\Refuse.wav", "Refuse", {Note(Wave::Square, 43, 80, 0.35, 30), Note(Wave::Square, 43, 120, 0.35)}},
      {"se\\Pause.wav", "Pause", {Note(Wave::Pulse, 76, 60, 0.3), Note(Wave::Pulse, 72, 60, 0.3), Note(Wave::Pulse, 79, 120, 0.3)}},
      {"se\\MapMenu.wav", "Map menu", {Note(Wave::Triangle, 72, 70, 0.5), Note(Wave::Triangle, 79, 140, 0.5)}},
      {"se\\Ranking.wav", "Ranking", {Note(Wave::Pulse, 72, 50, 0.3), Note(Wave::Pulse, 76, 50, 0.3), Note(Wave::Pulse, 79, 50, 0.3), Note(Wave::Pulse, 84, 120, 0.3)}},
      {"se\\Hit.wav", "Hit", {Glide(Wave::Noise, 2000, 300, 140, 0.5)}},
      {"se\\Miss.wav", "Hero down", {Note(Wave::Square, 72, 120, 0.35, 40), Glide(Wave::Square, 700, 90, 700, 0.35)}},
      {"se\\Defeat.wav", "Enemy down", {Glide(Wave::Noise, 3000, 500, 90, 0.45), Glide(Wave::Square, 500, 120, 160, 0.3)}},
      {"se\\Spring.wav", "Spring", {Glide(Wave::Triangle, 180, 900, 260, 0.6)}},
      {"se\\Message.wav", "Message", {Note(Wave::Pulse, 91, 25, 0.2)}},
      {"se\\MessageEnd.wav", "Message end", {Note(Wave::Pulse, 84, 40, 0.25), Note(Wave::Pulse, 79, 60, 0.25)}},
      {"se\\Warning.wav", "Time warning", {Note(Wave::Square, 88, 80, 0.3, 60), Note(Wave::Square, 88, 80, 0.3)}},
      {"se\\Clear.wav", "Stage clear",
       {Note(Wave::Square, 72, 110, 0.35), Note(Wave::Square, 76, 110, 0.35), Note(Wave::Square, 79, 110, 0.35),
        Note(Wave::Square, 84, 200, 0.35, 40), Note(Wave::Square, 81, 110, 0.35), Note(Wave::Square, 84, 420, 0.35)}},
      {"se\\ExtraLife.wav", "Extra life",
       {Note(Wave::Pulse, 76, 70, 0.3), Note(Wave::Pulse, 79, 70, 0.3), Note(Wave::Pulse, 88, 70, 0.3),
        Note(Wave::Pulse, 84, 70, 0.3), Note(Wave::Pulse, 86, 70, 0.3), Note(Wave::Pulse, 91, 160, 0.3)}},
      {"se\\Entry.wav", "Ranking entry", {Note(Wave::Sine, 84, 120, 0.5), Note(Wave::Sine, 91, 260, 0.5)}},
  };
  return effects;
}

const std::vector<SoundEffect>& GameSoundEffects() {
  static const std::vector<SoundEffect> effects = {
      {"se\\Jump.wav", "Jump", {Glide(Wave::Square, 280, 760, 150, 0.3)}},
      {"se\\Shot.wav", "Shot", {Glide(Wave::Noise, 5000, 900, 60, 0.35), Glide(Wave::Square, 900, 300, 90, 0.25)}},
      {"se\\Coin.wav", "Coin", {Note(Wave::Pulse, 83, 50, 0.3), Note(Wave::Pulse, 88, 220, 0.3)}},
      {"se\\PowerUp.wav", "Power up",
       {Note(Wave::Square, 67, 60, 0.3), Note(Wave::Square, 71, 60, 0.3), Note(Wave::Square, 74, 60, 0.3),
        Note(Wave::Square, 79, 60, 0.3), Note(Wave::Square, 83, 160, 0.3)}},
      {"se\\Stomp.wav", "Stomp", {Glide(Wave::Square, 600, 150, 110, 0.4)}},
      {"se\\Gem.wav", "Gem", {Note(Wave::Sine, 88, 60, 0.45), Note(Wave::Sine, 95, 60, 0.45), Note(Wave::Sine, 100, 200, 0.45)}},
      {"se\\EnemyShot.wav", "Enemy shot", {Glide(Wave::Pulse, 1200, 200, 180, 0.3)}},
      {"se\\Goal.wav", "Goal", {Note(Wave::Triangle, 79, 90, 0.6), Note(Wave::Triangle, 84, 90, 0.6), Note(Wave::Triangle, 88, 90, 0.6), Note(Wave::Triangle, 91, 300, 0.6)}},
  };
  return effects;
}

}  // namespace sample
