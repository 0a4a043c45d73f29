// Loads arbitrary bytes as an Ogg Vorbis file and plays it looping for a bounded time: the
// loader must refuse what it cannot play, and a loop over a damaged or empty stream must end
// or keep going without hanging.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sound/ogg_player.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::SoundMixer mixer;
  auto player = platform::OggPlayer::Create(mixer);
  if (player->Load(std::string(reinterpret_cast<const char*>(data), size))) {
    player->SetLoop(platform::OggPlayer::kEndless);
    player->Play();
    std::vector<float> out(2 * 1024);
    for (int i = 0; i < 32; ++i) mixer.RenderFloat(out.data(), 1024);
  }
  player->Delete();
  return 0;
}
