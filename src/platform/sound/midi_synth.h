#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// What the MIDI stream device plays into: a General MIDI synthesiser that renders stereo
// frames at the mixer's rate. Tests put a recording one in its place.
class MidiSynth {
 public:
  virtual ~MidiSynth() = default;
  // A channel message: status in the low byte, then the data bytes.
  virtual void ShortMessage(std::uint32_t message) = 0;
  // A system-exclusive message as stored: F0 (or F7), data, usually ending in F7.
  virtual void LongMessage(const std::uint8_t* bytes, std::size_t size) = 0;
  virtual void AllNotesOff() = 0;
  // Controllers, programs and sounding notes back to their power-on state.
  virtual void Reset() = 0;
  // Adds `frames` stereo frames to `stereo`.
  virtual void MixInto(float* stereo, int frames) = 0;
};

// Makes a synthesiser; on trouble it may still return a silent one and say why in `note`.
using MidiSynthFactory = std::unique_ptr<MidiSynth> (*)(std::string& note);

// The program's own: FluidSynth with the first General MIDI soundfont found
// (/usr/share/sounds/sf2/default-GM.sf2, then TimGM6mb.sf2); without one, silence.
std::unique_ptr<MidiSynth> CreateFluidSynth(std::string& note);

// nullptr puts the program's own back.
void SetMidiSynthFactory(MidiSynthFactory factory);
MidiSynthFactory CurrentMidiSynthFactory();

}  // namespace platform
