#pragma once

#include <cstdint>
#include <vector>

namespace sample {

constexpr int kSampleRate = 22050;

enum class Wave { Square, Pulse, Triangle, Sine, Noise };

// One sound of an effect: a tone gliding from one frequency to another, with a short attack
// and a linear fade.
struct Tone {
  Wave wave = Wave::Square;
  double fromHz = 440.0;
  double toHz = 440.0;
  int ms = 100;
  double volume = 0.5;  // 0 to 1
  int attackMs = 2;
  int gapMs = 0;        // silence after it
};

// Mixes tones into a buffer of samples (-1 to 1) from `start` on; the buffer grows as needed.
// Phases and the noise source are computed from the sample index alone, so the same tones
// always give the same samples.
void RenderTone(std::vector<float>& mix, std::size_t start, const Tone& tone);
std::vector<float> RenderTones(const std::vector<Tone>& tones);

// Samples (-1 to 1, clipped) as 16-bit integers.
std::vector<std::int16_t> ToPcm16(const std::vector<float>& mix);

// Frequency of a MIDI note number.
double NoteHz(int note);

}  // namespace sample
