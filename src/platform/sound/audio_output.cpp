#include "platform/sound/audio_output.h"

#include <SDL.h>

#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/backend_choice.h"
#include "platform/sound/wave_capture.h"

namespace platform {

struct AudioOutput::Impl {
  SDL_AudioDeviceID device = 0;
  std::jthread nullThread;
  WaveCapture capture;
  const char* backend = "";
};

namespace {

void SdlCallback(void* user, Uint8* stream, int length) {
  auto* mixer = static_cast<SoundMixer*>(user);
  mixer->Render(reinterpret_cast<std::int16_t*>(stream), length / 4);
}

// The null device keeps the device's pace: one buffer per buffer's playing time, against a
// steady clock so that a late pass is caught up rather than lost.
void RunNullDevice(std::stop_token stop, SoundMixer& mixer, WaveCapture& capture) {
  std::vector<std::int16_t> buffer(AudioOutput::kBufferFrames * 2);
  const auto period = std::chrono::nanoseconds(1'000'000'000LL * AudioOutput::kBufferFrames / SoundMixer::kRate);
  auto next = std::chrono::steady_clock::now();
  while (!stop.stop_requested()) {
    mixer.Render(buffer.data(), AudioOutput::kBufferFrames);
    capture.Write(buffer.data(), AudioOutput::kBufferFrames);
    next += period;
    const auto now = std::chrono::steady_clock::now();
    // After a long stall (a paused debugger, a swapped-out machine) the clock starts afresh.
    if (now - next > std::chrono::seconds(1)) next = now;
    std::this_thread::sleep_until(next);
  }
}

}  // namespace

AudioOutput::AudioOutput() : impl_(std::make_unique<Impl>()) {}

AudioOutput::~AudioOutput() { Stop(); }

bool AudioOutput::Start(std::string& fallbackReason) {
  fallbackReason.clear();
  if (Running()) return true;
  if (AudioBackend() == Backend::Native) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      fallbackReason = SDL_GetError();
    } else {
      SDL_AudioSpec want{};
      want.freq = SoundMixer::kRate;
      want.format = AUDIO_S16SYS;
      want.channels = 2;
      want.samples = kBufferFrames;
      want.callback = SdlCallback;
      want.userdata = &mixer_;
      SDL_AudioSpec have{};
      impl_->device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
      if (impl_->device != 0) {
        impl_->backend = "SDL";
        SDL_PauseAudioDevice(impl_->device, 0);
        return true;
      }
      fallbackReason = SDL_GetError();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (fallbackReason.empty()) fallbackReason = "no audio device";
  }
  const char* capturePath = std::getenv("KESTREL_AUDIO_CAPTURE");
  if (capturePath != nullptr && capturePath[0] != '\0') impl_->capture.Open(capturePath, SoundMixer::kRate);
  impl_->nullThread =
      std::jthread([this](std::stop_token stop) { RunNullDevice(stop, mixer_, impl_->capture); });
  impl_->backend = "null";
  return true;
}

void AudioOutput::Stop() {
  if (impl_->device != 0) {
    SDL_CloseAudioDevice(impl_->device);
    impl_->device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  if (impl_->nullThread.joinable()) {
    impl_->nullThread.request_stop();
    impl_->nullThread.join();
  }
  impl_->capture.Close();
  impl_->backend = "";
}

bool AudioOutput::Running() const { return impl_->device != 0 || impl_->nullThread.joinable(); }

const char* AudioOutput::BackendName() const { return impl_->backend; }

AudioOutput& SharedAudio() {
  static AudioOutput output;
  return output;
}

}  // namespace platform
