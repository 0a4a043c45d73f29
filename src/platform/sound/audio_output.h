#pragma once

#include <memory>
#include <string>

#include "platform/sound/sound_mixer.h"

namespace platform {

// The one sound device of the process and the mixer it plays. The SDL backend opens the
// system's device (44100 Hz stereo, 1024-frame buffers); the null backend pulls the mixer in
// real time on a thread of its own and, when KESTREL_AUDIO_CAPTURE names a file, writes the
// mix there as a WAVE file.
class AudioOutput {
 public:
  static constexpr int kBufferFrames = 1024;

  AudioOutput();
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Starts the device once (later calls do nothing and return true). When the native device
  // cannot be opened the null backend takes its place: `fallbackReason` then says why, and the
  // result is still true. False only when not even the null backend can run.
  bool Start(std::string& fallbackReason);
  // Closes the device and the capture file; the mixer stays for a later Start.
  void Stop();
  bool Running() const;
  // Which backend runs: "SDL", "null" or "" before Start.
  const char* BackendName() const;

  SoundMixer& Mixer() { return mixer_; }

 private:
  struct Impl;
  SoundMixer mixer_;
  std::unique_ptr<Impl> impl_;
};

// The process's sound output.
AudioOutput& SharedAudio();

}  // namespace platform
