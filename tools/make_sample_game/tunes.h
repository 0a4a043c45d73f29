#pragma once

#include <string>
#include <vector>

namespace sample {

// Music as notes: what the MIDI writer and the synthesiser both play from.
struct MusicNote {
  int tick = 0;
  int length = 0;  // ticks
  int pitch = 60;  // MIDI note number
  int velocity = 96;
};

struct MusicPart {
  std::string name;
  int channel = 0;   // 9 is the percussion channel
  int program = 0;   // General MIDI instrument
  int volume = 100;  // channel volume, 0 to 127
  std::vector<MusicNote> notes;
};

// A tempo from a tick on (beats per minute).
struct TempoChange {
  int tick = 0;
  int bpm = 120;
};

struct Tune {
  std::string file;   // game path of the music file
  std::string title;  // shown by the authoring tool only
  int bpm = 120;
  int lengthTicks = 0;  // one pass; the players loop from the end to the start
  std::vector<MusicPart> parts;
  // MIDI files only: the passes the file holds before it loops, later tempos, and a General
  // MIDI reset message at its start.
  int passes = 1;
  std::vector<TempoChange> tempoChanges;
  bool gmReset = false;
};

constexpr int kTicksPerBeat = 96;
constexpr int kTicksPerEighth = kTicksPerBeat / 2;

// The game's tunes in the order of the music database, from entry 1 on.
const std::vector<Tune>& GameTunes();

// Music database entries.
namespace bgm {
enum : int { kNone = 0, kTitle = 1, kWorldMap = 2, kMeadow = 3, kDusk = 4, kNight = 5, kCamp = 6 };
}

}  // namespace sample
