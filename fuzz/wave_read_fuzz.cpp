// Reads arbitrary bytes as a WAVE file. An accepted file must hold exactly the samples it
// says, as PCM; a playable one must make a sound buffer that plays through the mixer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/sound/sound_mixer.h"
#include "sound/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WaveData wave;
  if (!ReadWaveBytes(std::span(data, size), &wave)) {
    if (!wave.samples.empty() || wave.size != 0) std::abort();
    return 0;
  }
  if (wave.format.formatTag != 1 || wave.samples.size() != wave.size || wave.size > size) std::abort();
  if (!WaveFormatPlayable(wave.format)) return 0;
  platform::SoundMixer mixer;
  const platform::PcmFormat format{static_cast<int>(wave.format.samplesPerSec), wave.format.channels,
                                   wave.format.bitsPerSample};
  const platform::SoundBuffer buffer = mixer.CreateBuffer(format, wave.samples.data(), wave.size);
  const std::size_t frameBytes = static_cast<std::size_t>(wave.format.blockAlign);
  if (static_cast<bool>(buffer) != (wave.size >= frameBytes)) std::abort();
  mixer.Play(buffer, true);
  std::vector<std::int16_t> out(2 * 256);
  mixer.Render(out.data(), 256);
  return 0;
}
