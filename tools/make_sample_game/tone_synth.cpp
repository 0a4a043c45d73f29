#include "make_sample_game/tone_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sample {

namespace {

// A repeatable white-noise value for a sample index.
float NoiseAt(std::size_t i) {
  std::uint32_t h = static_cast<std::uint32_t>(i) * 2654435761u;
  h ^= h >> 15;
  h *= 2246822519u;
  h ^= h >> 13;
  return static_cast<float>(h & 0xFFFF) / 32768.0f - 1.0f;
}

float Oscillate(Wave wave, double phase, std::size_t index, double hz) {
  const double cycle = phase - std::floor(phase);
  switch (wave) {
    case Wave::Square: return cycle < 0.5 ? 1.0f : -1.0f;
    case Wave::Pulse: return cycle < 0.25 ? 1.0f : -1.0f;
    case Wave::Triangle: return static_cast<float>(cycle < 0.5 ? 4.0 * cycle - 1.0 : 3.0 - 4.0 * cycle);
    case Wave::Sine: return static_cast<float>(std::sin(2.0 * std::numbers::pi * cycle));
    case Wave::Noise: {
      // Held for a stretch that shortens as the pitch rises: pitched noise.
      const std::size_t hold = std::max<std::size_t>(1, static_cast<std::size_t>(kSampleRate / std::max(hz, 1.0) / 4));
      return NoiseAt(index / hold);
    }
  }
  return 0.0f;
}

}  // namespace

void RenderTone(std::vector<float>& mix, std::size_t start, const Tone& tone) {
  const std::size_t length = static_cast<std::size_t>(tone.ms) * kSampleRate / 1000;
  const std::size_t attack = std::max<std::size_t>(1, static_cast<std::size_t>(tone.attackMs) * kSampleRate / 1000);
  if (mix.size() < start + length) mix.resize(start + length, 0.0f);
  double phase = 0.0;
  for (std::size_t i = 0; i < length; ++i) {
    const double t = length > 1 ? static_cast<double>(i) / static_cast<double>(length - 1) : 0.0;
    // Exponential glide between the two frequencies.
    const double hz = tone.fromHz * std::pow(tone.toHz / tone.fromHz, t);
    const double envelope = std::min(1.0, static_cast<double>(i) / static_cast<double>(attack)) * (1.0 - t);
    mix[start + i] += static_cast<float>(tone.volume * envelope) * Oscillate(tone.wave, phase, start + i, hz);
    phase += hz / kSampleRate;
  }
}

std::vector<float> RenderTones(const std::vector<Tone>& tones) {
  std::vector<float> mix;
  std::size_t at = 0;
  for (const Tone& tone : tones) {
    RenderTone(mix, at, tone);
    at += static_cast<std::size_t>(tone.ms + tone.gapMs) * kSampleRate / 1000;
  }
  if (mix.size() < at) mix.resize(at, 0.0f);
  return mix;
}

std::vector<std::int16_t> ToPcm16(const std::vector<float>& mix) {
  std::vector<std::int16_t> pcm(mix.size());
  for (std::size_t i = 0; i < mix.size(); ++i) {
    const float v = std::clamp(mix[i], -1.0f, 1.0f);
    pcm[i] = static_cast<std::int16_t>(std::lround(v * 32767.0f));
  }
  return pcm;
}

double NoteHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

}  // namespace sample
