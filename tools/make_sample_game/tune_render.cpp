#include "make_sample_game/tune_render.h"

#include <algorithm>

#include "make_sample_game/tone_synth.h"

namespace sample {

namespace {

// How each part sounds: flutes and pads soft and round, the bass a triangle.
Wave WaveOf(const MusicPart& part) {
  if (part.name == "Bass") return Wave::Triangle;
  if (part.name == "Pad") return Wave::Sine;
  return part.program == 73 ? Wave::Triangle : Wave::Pulse;
}

double VolumeOf(const MusicPart& part) {
  if (part.name == "Bass") return 0.22;
  if (part.name == "Pad") return 0.07;
  return 0.16;
}

Tone DrumTone(int pitch) {
  switch (pitch) {
    case 36: return Tone{Wave::Sine, 140.0, 45.0, 120, 0.5, 1, 0};
    case 38: return Tone{Wave::Noise, 3000.0, 1500.0, 140, 0.22, 1, 0};
    case 46: return Tone{Wave::Noise, 9000.0, 9000.0, 160, 0.06, 1, 0};
    default: return Tone{Wave::Noise, 10000.0, 10000.0, 35, 0.07, 1, 0};
  }
}

}  // namespace

std::vector<float> RenderTune(const Tune& tune) {
  const double samplesPerTick = kSampleRate * 60.0 / (tune.bpm * static_cast<double>(kTicksPerBeat));
  const auto total = static_cast<std::size_t>(tune.lengthTicks * samplesPerTick);
  std::vector<float> mix(total, 0.0f);
  for (const MusicPart& part : tune.parts) {
    for (const MusicNote& note : part.notes) {
      const auto start = static_cast<std::size_t>(note.tick * samplesPerTick);
      Tone tone;
      if (part.channel == 9) {
        tone = DrumTone(note.pitch);
      } else {
        const double hz = NoteHz(note.pitch);
        tone = Tone{WaveOf(part), hz, hz, static_cast<int>(note.length * samplesPerTick * 1000 / kSampleRate),
                    VolumeOf(part) * note.velocity / 100.0, 8, 0};
      }
      RenderTone(mix, start, tone);
    }
  }
  // A note still ringing at the end is cut there: the file is one pass.
  mix.resize(total);
  return mix;
}

}  // namespace sample
