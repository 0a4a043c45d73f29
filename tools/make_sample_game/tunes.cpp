#include "make_sample_game/tunes.h"

#include <cctype>
#include <sstream>

namespace sample {

namespace {

// "C5:2" is C in octave 5 for two eighths; "F#4", "Bb3" take a sharp or a flat; "r:2" rests.
int ParsePitch(const std::string& name) {
  static constexpr int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  const int letter = std::toupper(static_cast<unsigned char>(name[0])) - 'A';
  int semitone = kSemitones[letter];
  std::size_t at = 1;
  if (at < name.size() && name[at] == '#') {
    ++semitone;
    ++at;
  } else if (at < name.size() && name[at] == 'b') {
    --semitone;
    ++at;
  }
  const int octave = std::stoi(name.substr(at));
  return 12 * (octave + 1) + semitone;
}

std::vector<MusicNote> Melody(const std::string& line, int velocity) {
  std::vector<MusicNote> notes;
  std::istringstream tokens(line);
  int tick = 0;
  for (std::string token; tokens >> token;) {
    if (token == "|") continue;
    const std::size_t colon = token.find(':');
    const std::string pitch = token.substr(0, colon);
    const int length = std::stoi(token.substr(colon + 1)) * kTicksPerEighth;
    if (pitch != "r") notes.push_back({tick, length - 4, ParsePitch(pitch), velocity});
    tick += length;
  }
  return notes;
}

// A bass walking root, octave, fifth, octave in eighths over one root per bar.
std::vector<MusicNote> Bass(const std::vector<std::string>& roots, bool bouncy) {
  std::vector<MusicNote> notes;
  for (std::size_t bar = 0; bar < roots.size(); ++bar) {
    const int root = ParsePitch(roots[bar]);
    const int start = static_cast<int>(bar) * 8 * kTicksPerEighth;
    if (bouncy) {
      const int steps[8] = {0, 12, 7, 12, 0, 12, 7, 12};
      for (int k = 0; k < 8; ++k) notes.push_back({start + k * kTicksPerEighth, kTicksPerEighth - 6, root + steps[k], 92});
    } else {
      notes.push_back({start, 4 * kTicksPerEighth - 6, root, 90});
      notes.push_back({start + 4 * kTicksPerEighth, 4 * kTicksPerEighth - 6, root + 7, 84});
    }
  }
  return notes;
}

// Root and fifth held through each bar, an octave above the bass.
std::vector<MusicNote> Pad(const std::vector<std::string>& roots) {
  std::vector<MusicNote> notes;
  for (std::size_t bar = 0; bar < roots.size(); ++bar) {
    const int root = ParsePitch(roots[bar]) + 12;
    const int start = static_cast<int>(bar) * 8 * kTicksPerEighth;
    notes.push_back({start, 8 * kTicksPerEighth - 8, root, 60});
    notes.push_back({start, 8 * kTicksPerEighth - 8, root + 7, 56});
  }
  return notes;
}

// Sixteen steps a bar: 'k' kick, 's' snare, 'h' closed hat, 'o' open hat.
std::vector<MusicNote> Drums(const std::string& pattern, int bars) {
  std::vector<MusicNote> notes;
  const int step = kTicksPerBeat / 4;
  for (int bar = 0; bar < bars; ++bar) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
      int pitch = 0;
      switch (pattern[i]) {
        case 'k': pitch = 36; break;
        case 's': pitch = 38; break;
        case 'h': pitch = 42; break;
        case 'o': pitch = 46; break;
        default: continue;
      }
      notes.push_back({bar * 16 * step + static_cast<int>(i) * step, step, pitch, pitch == 42 ? 60 : 100});
    }
  }
  return notes;
}

struct TuneText {
  const char* file;
  const char* title;
  int bpm;
  int leadProgram;
  const char* melody;
  std::vector<std::string> roots;
  bool bouncy;
  const char* drums;  // empty: none
};

Tune MakeTune(const TuneText& text) {
  Tune tune;
  tune.file = text.file;
  tune.title = text.title;
  tune.bpm = text.bpm;
  const int bars = static_cast<int>(text.roots.size());
  tune.lengthTicks = bars * 8 * kTicksPerEighth;
  tune.parts.push_back({"Lead", 0, text.leadProgram, 100, Melody(text.melody, 100)});
  tune.parts.push_back({"Bass", 1, 33, 96, Bass(text.roots, text.bouncy)});
  tune.parts.push_back({"Pad", 2, 89, 70, Pad(text.roots)});
  if (text.drums[0] != '\0') tune.parts.push_back({"Drums", 9, 0, 90, Drums(text.drums, bars)});
  return tune;
}

}  // namespace

const std::vector<Tune>& GameTunes() {
  static const std::vector<Tune> tunes = [] {
    const TuneText texts[] = {
        {"bgm\\Title.mid", "Kestrel Quest", 112, 80,
         "G4:2 B4:2 D5:3 B4:1 | C5:2 E5:2 D5:4 | B4:2 G4:2 A4:2 B4:2 | A4:6 r:2 | "
         "G4:2 B4:2 D5:3 G5:1 | F#5:2 E5:2 D5:4 | C5:2 E5:2 D5:2 A4:2 | G4:6 r:2",
         {"G2", "C3", "E2", "D2", "G2", "C3", "A2", "G2"}, false, "k...h...s...h...k...h...s...h..."},
        {"bgm\\WorldMap.ogg", "Over the Islands", 100, 73,
         "F4:2 A4:2 C5:2 A4:2 | Bb4:2 D5:2 C5:4 | A4:2 F4:2 G4:2 A4:2 | G4:6 r:2 | "
         "F4:2 A4:2 C5:2 F5:2 | E5:2 D5:2 C5:4 | Bb4:2 A4:2 G4:2 E4:2 | F4:6 r:2",
         {"F2", "Bb2", "F2", "C3", "F2", "Bb2", "C3", "F2"}, false, "k.......h.......k.......h......."},
        {"bgm\\Meadow.mid", "Meadow Run", 140, 80,
         "C5:1 r:1 E5:1 G5:1 r:1 E5:1 C5:2 | D5:1 r:1 F5:1 A5:1 r:1 F5:1 D5:2 | E5:1 G5:1 C6:2 B5:1 A5:1 G5:2 | "
         "F5:2 E5:2 D5:4 | C5:1 r:1 E5:1 G5:1 r:1 E5:1 C5:2 | D5:1 r:1 F5:1 A5:1 r:1 F5:1 D5:2 | "
         "E5:1 G5:1 F5:1 D5:1 B4:2 G4:2 | C5:6 r:2",
         {"C3", "D3", "C3", "G2", "C3", "D3", "G2", "C3"}, true, "k.h.s.h.k.h.s.hh"},
        {"bgm\\Dusk.mid", "Dusk Lifts", 126, 81,
         "A4:2 C5:2 E5:3 D5:1 | C5:2 B4:2 A4:4 | G4:2 B4:2 D5:3 C5:1 | B4:2 G4:2 E4:4 | "
         "A4:2 C5:2 E5:2 A5:2 | G5:2 F5:2 E5:4 | D5:2 F5:2 E5:2 B4:2 | A4:6 r:2",
         {"A2", "F2", "G2", "E2", "A2", "C3", "D3", "A2"}, true, "k...h.k.s...h.h."},
        {"bgm\\Night.mid", "Castle at Night", 152, 30,
         "E5:1 E5:1 B4:1 E5:1 G5:2 F#5:2 | E5:1 D5:1 B4:2 A4:2 B4:2 | E5:1 E5:1 B4:1 E5:1 G5:2 A5:2 | "
         "B5:4 A5:2 F#5:2 | G5:2 F#5:2 E5:2 D5:2 | C5:2 D5:2 E5:4 | F#5:2 G5:2 A5:2 F#5:2 | E5:6 r:2",
         {"E2", "C2", "E2", "B1", "E2", "C2", "D2", "E2"}, true, "k.hkshh.k.hkshho"},
        {"bgm\\Camp.MID", "Campfire", 90, 73,
         "D5:3 F#5:1 A5:4 | G5:2 F#5:2 E5:4 | D5:3 E5:1 F#5:2 D5:2 | E5:8 | "
         "D5:3 F#5:1 A5:4 | B5:2 A5:2 G5:4 | F#5:2 E5:2 A4:2 C#5:2 | D5:8",
         {"D2", "G2", "D2", "A2", "D2", "G2", "A2", "D2"}, false, ""},
    };
    std::vector<Tune> made;
    for (const TuneText& text : texts) made.push_back(MakeTune(text));
    // The title tune is the long one: 26 passes, more than three of the MIDI player's
    // buffers, a General MIDI reset at its start and a livelier second half.
    Tune& title = made[0];
    title.passes = 26;
    title.gmReset = true;
    title.tempoChanges.push_back({title.lengthTicks * 13, 124});
    return made;
  }();
  return tunes;
}

}  // namespace sample
