#include "sound/music_output.h"

#include <atomic>

#include "platform/sound/audio_output.h"

namespace {
std::atomic<platform::SoundMixer*> g_mixer{nullptr};
}

platform::SoundMixer& MusicMixer() {
  platform::SoundMixer* mixer = g_mixer.load();
  return mixer != nullptr ? *mixer : platform::SharedAudio().Mixer();
}

void SetMusicMixer(platform::SoundMixer* mixer) { g_mixer.store(mixer); }
