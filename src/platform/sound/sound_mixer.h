#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

// The layout of PCM samples as a sound file gives them.
struct PcmFormat {
  int rate = 22050;
  int channels = 1;  // 1 or 2, interleaved
  int bits = 8;      // 8 (unsigned) or 16 (signed, little-endian)
};

// Something that adds its own stereo signal to the mix, on the device's thread (the MIDI
// synthesiser, the Ogg player). `stereo` holds `frames` interleaved pairs to add to.
class MixSource {
 public:
  virtual ~MixSource() = default;
  virtual void MixInto(float* stereo, int frames) = 0;
};

struct SoundVoice;
// One sound buffer: its samples (shared by its duplicates) and its own playing state.
using SoundBuffer = std::shared_ptr<SoundVoice>;

// Gain of a volume in hundredths of a decibel (-10000 to 0): 10^(v/2000), and -10000 silent.
float GainOfVolume(int hundredthsDb);
// Gains of the two sides for a pan (-10000 left .. 10000 right): the side away from the pan
// is quietened by the pan's amount, the near side stays whole.
void PanGains(int pan, float& left, float& right);

// Our own mixer: every sound buffer and stream source summed at the device rate into one
// stereo signal, clamped once. Callers never wait for the device: each operation becomes a
// command in a queue that the device's thread drains at the start of every buffer it mixes.
class SoundMixer {
 public:
  static constexpr int kRate = 44100;
  // Stops, restarts and volume changes glide over this many frames instead of clicking.
  static constexpr int kRampFrames = 64;

  SoundMixer();
  ~SoundMixer();
  SoundMixer(const SoundMixer&) = delete;
  SoundMixer& operator=(const SoundMixer&) = delete;

  // A stopped buffer holding the samples (whole frames only; the rest is dropped); nullptr
  // for a format outside 1-2 channels, 8/16 bits and 100-200000 Hz.
  SoundBuffer CreateBuffer(const PcmFormat& format, const std::uint8_t* bytes, std::size_t size);
  // A new buffer sharing the samples of `source`, with its own position and settings.
  SoundBuffer Duplicate(const SoundBuffer& source);
  // The buffer leaves the mix (cut off through its ramp when sounding).
  void Release(const SoundBuffer& buffer);

  void Play(const SoundBuffer& buffer, bool loop);
  void Stop(const SoundBuffer& buffer);
  void SetPosition(const SoundBuffer& buffer, std::uint32_t frame);
  void SetVolume(const SoundBuffer& buffer, int hundredthsDb);
  void SetPan(const SoundBuffer& buffer, int pan);
  // Samples per second to play at; 0 = the file's own rate.
  void SetFrequency(const SoundBuffer& buffer, int rate);

  // As last set by the caller (the commands may still be on their way).
  static int Volume(const SoundBuffer& buffer);
  static int Pan(const SoundBuffer& buffer);
  static int Frequency(const SoundBuffer& buffer);
  // Playing as last seen by the device (a play just asked for counts as playing).
  static bool IsPlaying(const SoundBuffer& buffer);
  static std::size_t FrameCount(const SoundBuffer& buffer);

  void AddSource(std::shared_ptr<MixSource> source);
  // The source is no longer called once the next buffer has started; the mixer gives its
  // reference back to a caller's thread, so a source is never destroyed by the device.
  void RemoveSource(const std::shared_ptr<MixSource>& source);

  // The device's side: mixes `frames` stereo frames. Never blocks on a caller for longer
  // than it takes to hand the command queue over.
  void Render(std::int16_t* stereo, int frames);
  void RenderFloat(float* stereo, int frames);

 private:
  struct Command;
  struct Tail;
  void Push(Command command);
  void MixLocked(float* stereo, int frames);
  void Apply(Command& command);
  void MixVoice(SoundVoice& voice, float* stereo, int frames);
  void MixTails(float* stereo, int frames);
  void StartTail(SoundVoice& voice);

  std::mutex queueMutex_;
  std::vector<Command> pending_;
  std::vector<std::shared_ptr<MixSource>> released_;  // back from the device, freed by callers

  // The device thread's own state.
  std::mutex renderMutex_;  // one render at a time (the null device and offline tests)
  std::vector<Command> draining_;
  std::vector<SoundBuffer> voices_;
  std::vector<std::shared_ptr<MixSource>> sources_;
  std::vector<Tail> tails_;
  std::vector<float> scratch_;
};

}  // namespace platform
