#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sound/sound_mixer.h"

namespace platform {

// Plays one Ogg Vorbis file held in memory into the mixer, resampled to the device's rate
// with the mixer's own rule. A loop seeks back to the first sample, so the join is gapless.
class OggPlayer : public MixSource, public std::enable_shared_from_this<OggPlayer> {
 public:
  static constexpr int kEndless = 0x7FFFFFFF;

  // Joins `mixer` at once; silent until a file is loaded and played.
  static std::shared_ptr<OggPlayer> Create(SoundMixer& mixer);
  ~OggPlayer() override;

  // False when the bytes are not an Ogg Vorbis stream of 1 or 2 channels.
  bool Load(std::string bytes);
  void Play();
  void Stop();
  void Close();
  // kEndless repeats without end, 0 plays once; other counts repeat that many more times.
  void SetLoop(int count);
  // Leaves the mixer; the object does nothing afterwards.
  void Delete();

  bool Playing();
  int SourceRate();
  // Frames of the loaded file at its own rate.
  std::int64_t TotalFrames();

  void MixInto(float* stereo, int frames) override;

 private:
  explicit OggPlayer(SoundMixer& mixer);
  struct Decoder;
  bool Refill();

  std::mutex mutex_;
  SoundMixer& mixer_;
  std::unique_ptr<Decoder> decoder_;
  bool playing_ = false;
  bool deleted_ = false;
  int loops_ = 0;
  // Decoded frames waiting (stereo), and the resampling position in them.
  std::vector<float> pcm_;
  std::size_t pcmFrames_ = 0;
  std::uint64_t pos_ = 0;
  std::uint64_t step_ = 0;
  bool ended_ = false;
};

}  // namespace platform
