#include "platform/sound/sound_mixer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {

namespace {

constexpr int kMinRate = 100;
constexpr int kMaxRate = 200000;
constexpr float kSampleScale = 1.0f / 32768.0f;
constexpr float kFractionScale = 1.0f / 4294967296.0f;

// Samples of one buffer as 16-bit values, whatever the file held.
struct SampleData {
  std::vector<std::int16_t> samples;  // interleaved
  int channels = 1;
  int rate = 22050;
  std::size_t frames = 0;
};

// Position and pace in frames of the source with 32 fraction bits: the one resampling rule of
// the mixer, linear between neighbouring frames. At the device's own rate the fraction stays
// 0 and the samples come out unchanged.
std::uint64_t StepFor(int rate) { return (static_cast<std::uint64_t>(rate) << 32) / SoundMixer::kRate; }

// Mixes one run of a buffer into `out`; `gain(frame, left, right)` scales each frame. False
// when a single play reached its end (the position is then back at 0).
template <typename Gain>
bool MixRun(const SampleData& data, std::uint64_t& pos, std::uint64_t step, bool loop, float* out, int frames,
            Gain&& gain) {
  const std::uint64_t length = static_cast<std::uint64_t>(data.frames) << 32;
  const std::int16_t* s = data.samples.data();
  const std::size_t last = data.frames - 1;
  for (int f = 0; f < frames; ++f) {
    if (pos >= length) {
      if (!loop) {
        pos = 0;
        return false;
      }
      pos %= length;
    }
    const std::size_t index = static_cast<std::size_t>(pos >> 32);
    const std::size_t next = index < last ? index + 1 : (loop ? 0 : last);
    const float fraction = static_cast<float>(pos & 0xFFFFFFFFu) * kFractionScale;
    float left;
    float right;
    if (data.channels == 1) {
      const float a = s[index];
      left = right = (a + (s[next] - a) * fraction) * kSampleScale;
    } else {
      const float a = s[index * 2];
      const float b = s[index * 2 + 1];
      left = (a + (s[next * 2] - a) * fraction) * kSampleScale;
      right = (b + (s[next * 2 + 1] - b) * fraction) * kSampleScale;
    }
    float gl;
    float gr;
    gain(f, gl, gr);
    out[f * 2] += left * gl;
    out[f * 2 + 1] += right * gr;
    pos += step;
  }
  return true;
}

}  // namespace

struct SoundVoice {
  std::shared_ptr<const SampleData> data;
  // The caller's side: as last asked for.
  std::atomic<int> volume{0};
  std::atomic<int> pan{0};
  std::atomic<int> frequency{0};
  std::atomic<bool> playing{false};
  // The device's side.
  bool active = false;
  bool loop = false;
  std::uint64_t pos = 0;
  std::uint64_t step = 0;
  int deviceVolume = 0;
  int devicePan = 0;
  float curLeft = 1.0f;
  float curRight = 1.0f;
  float targetLeft = 1.0f;
  float targetRight = 1.0f;
  float rampLeftStep = 0.0f;
  float rampRightStep = 0.0f;
  int rampFrames = 0;
};

struct SoundMixer::Command {
  enum class Op { Add, Remove, Play, Stop, Position, Volume, Pan, Frequency, AddSource, RemoveSource };
  Op op;
  SoundBuffer voice;
  std::shared_ptr<MixSource> source;
  std::int64_t value = 0;
};

// The last frames of a play that was stopped or restarted, fading to silence.
struct SoundMixer::Tail {
  std::shared_ptr<const SampleData> data;
  std::uint64_t pos;
  std::uint64_t step;
  bool loop;
  float left;
  float right;
  int remaining;
};

float GainOfVolume(int hundredthsDb) {
  if (hundredthsDb <= -10000) return 0.0f;
  if (hundredthsDb >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

void PanGains(int pan, float& left, float& right) {
  pan = std::clamp(pan, -10000, 10000);
  left = pan > 0 ? GainOfVolume(-pan) : 1.0f;
  right = pan < 0 ? GainOfVolume(pan) : 1.0f;
}

SoundMixer::SoundMixer() = default;
SoundMixer::~SoundMixer() = default;

SoundBuffer SoundMixer::CreateBuffer(const PcmFormat& format, const std::uint8_t* bytes, std::size_t size) {
  if (format.channels < 1 || format.channels > 2 || (format.bits != 8 && format.bits != 16) ||
      format.rate < kMinRate || format.rate > kMaxRate) {
    return nullptr;
  }
  const std::size_t frameBytes = static_cast<std::size_t>(format.channels * format.bits / 8);
  auto data = std::make_shared<SampleData>();
  data->channels = format.channels;
  data->rate = format.rate;
  data->frames = size / frameBytes;
  if (data->frames == 0) return nullptr;
  const std::size_t count = data->frames * static_cast<std::size_t>(format.channels);
  data->samples.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    data->samples[i] = format.bits == 8
                           ? static_cast<std::int16_t>((static_cast<int>(bytes[i]) - 128) * 256)
                           : static_cast<std::int16_t>(bytes[i * 2] | (bytes[i * 2 + 1] << 8));
  }
  auto voice = std::make_shared<SoundVoice>();
  voice->data = std::move(data);
  voice->step = StepFor(voice->data->rate);
  Push({Command::Op::Add, voice, nullptr, 0});
  return voice;
}

SoundBuffer SoundMixer::Duplicate(const SoundBuffer& source) {
  if (!source) return nullptr;
  auto voice = std::make_shared<SoundVoice>();
  voice->data = source->data;
  voice->step = StepFor(voice->data->rate);
  Push({Command::Op::Add, voice, nullptr, 0});
  return voice;
}

void SoundMixer::Release(const SoundBuffer& buffer) {
  if (buffer) Push({Command::Op::Remove, buffer, nullptr, 0});
}

void SoundMixer::Play(const SoundBuffer& buffer, bool loop) {
  if (!buffer) return;
  buffer->playing = true;
  Push({Command::Op::Play, buffer, nullptr, loop ? 1 : 0});
}

void SoundMixer::Stop(const SoundBuffer& buffer) {
  if (!buffer) return;
  buffer->playing = false;
  Push({Command::Op::Stop, buffer, nullptr, 0});
}

void SoundMixer::SetPosition(const SoundBuffer& buffer, std::uint32_t frame) {
  if (buffer) Push({Command::Op::Position, buffer, nullptr, frame});
}

void SoundMixer::SetVolume(const SoundBuffer& buffer, int hundredthsDb) {
  if (!buffer) return;
  buffer->volume = std::clamp(hundredthsDb, -10000, 0);
  Push({Command::Op::Volume, buffer, nullptr, buffer->volume.load()});
}

void SoundMixer::SetPan(const SoundBuffer& buffer, int pan) {
  if (!buffer) return;
  buffer->pan = std::clamp(pan, -10000, 10000);
  Push({Command::Op::Pan, buffer, nullptr, buffer->pan.load()});
}

void SoundMixer::SetFrequency(const SoundBuffer& buffer, int rate) {
  if (!buffer) return;
  buffer->frequency = rate == 0 ? 0 : std::clamp(rate, kMinRate, kMaxRate);
  Push({Command::Op::Frequency, buffer, nullptr, buffer->frequency.load()});
}

int SoundMixer::Volume(const SoundBuffer& buffer) { return buffer ? buffer->volume.load() : 0; }
int SoundMixer::Pan(const SoundBuffer& buffer) { return buffer ? buffer->pan.load() : 0; }
int SoundMixer::Frequency(const SoundBuffer& buffer) { return buffer ? buffer->frequency.load() : 0; }
bool SoundMixer::IsPlaying(const SoundBuffer& buffer) { return buffer && buffer->playing.load(); }
std::size_t SoundMixer::FrameCount(const SoundBuffer& buffer) { return buffer ? buffer->data->frames : 0; }

void SoundMixer::AddSource(std::shared_ptr<MixSource> source) {
  if (source) Push({Command::Op::AddSource, nullptr, std::move(source), 0});
}

void SoundMixer::RemoveSource(const std::shared_ptr<MixSource>& source) {
  if (source) Push({Command::Op::RemoveSource, nullptr, source, 0});
}

void SoundMixer::Push(Command command) {
  std::vector<std::shared_ptr<MixSource>> released;
  {
    std::lock_guard lock(queueMutex_);
    pending_.push_back(std::move(command));
    released.swap(released_);
  }
  // Sources the device let go of end here, on the caller's thread.
}

void SoundMixer::StartTail(SoundVoice& voice) {
  if (!voice.active) return;
  tails_.push_back({voice.data, voice.pos, voice.step, voice.loop, voice.curLeft, voice.curRight, kRampFrames});
  voice.active = false;
}

namespace {

void AimGains(SoundVoice& voice) {
  float left;
  float right;
  PanGains(voice.devicePan, left, right);
  const float gain = GainOfVolume(voice.deviceVolume);
  voice.targetLeft = gain * left;
  voice.targetRight = gain * right;
  if (!voice.active) {
    voice.curLeft = voice.targetLeft;
    voice.curRight = voice.targetRight;
    voice.rampFrames = 0;
    return;
  }
  voice.rampFrames = SoundMixer::kRampFrames;
  voice.rampLeftStep = (voice.targetLeft - voice.curLeft) / SoundMixer::kRampFrames;
  voice.rampRightStep = (voice.targetRight - voice.curRight) / SoundMixer::kRampFrames;
}

}  // namespace

void SoundMixer::Apply(Command& command) {
  SoundVoice* voice = command.voice.get();
  switch (command.op) {
    case Command::Op::Add: voices_.push_back(command.voice); break;
    case Command::Op::Remove:
      StartTail(*voice);
      std::erase(voices_, command.voice);
      break;
    case Command::Op::Play:
      voice->loop = command.value != 0;
      if (!voice->active) {
        voice->active = true;
        voice->curLeft = voice->targetLeft;
        voice->curRight = voice->targetRight;
        voice->rampFrames = 0;
      }
      break;
    case Command::Op::Stop: StartTail(*voice); break;
    case Command::Op::Position: {
      // A jump while sounding is a cut: the old place fades out, the new one starts whole.
      const bool was = voice->active;
      StartTail(*voice);
      voice->pos = std::min<std::uint64_t>(static_cast<std::uint64_t>(command.value), voice->data->frames) << 32;
      voice->active = was;
      break;
    }
    case Command::Op::Volume:
      voice->deviceVolume = static_cast<int>(command.value);
      AimGains(*voice);
      break;
    case Command::Op::Pan:
      voice->devicePan = static_cast<int>(command.value);
      AimGains(*voice);
      break;
    case Command::Op::Frequency:
      voice->step = StepFor(command.value == 0 ? voice->data->rate : static_cast<int>(command.value));
      break;
    case Command::Op::AddSource: sources_.push_back(command.source); break;
    case Command::Op::RemoveSource: {
      const auto found = std::find(sources_.begin(), sources_.end(), command.source);
      if (found != sources_.end()) sources_.erase(found);
      std::lock_guard lock(queueMutex_);
      released_.push_back(std::move(command.source));
      break;
    }
  }
}

void SoundMixer::MixVoice(SoundVoice& voice, float* stereo, int frames) {
  const bool more = MixRun(*voice.data, voice.pos, voice.step, voice.loop, stereo, frames,
                           [&voice](int, float& left, float& right) {
                             if (voice.rampFrames > 0) {
                               voice.curLeft += voice.rampLeftStep;
                               voice.curRight += voice.rampRightStep;
                               if (--voice.rampFrames == 0) {
                                 voice.curLeft = voice.targetLeft;
                                 voice.curRight = voice.targetRight;
                               }
                             }
                             left = voice.curLeft;
                             right = voice.curRight;
                           });
  if (!more) voice.active = false;
}

void SoundMixer::MixTails(float* stereo, int frames) {
  for (Tail& tail : tails_) {
    const int run = std::min(frames, tail.remaining);
    const float left = tail.left / kRampFrames;
    const float right = tail.right / kRampFrames;
    const int start = tail.remaining;
    if (!MixRun(*tail.data, tail.pos, tail.step, tail.loop, stereo, run, [&](int f, float& l, float& r) {
          const float left_frames = static_cast<float>(start - f - 1);
          l = left * left_frames;
          r = right * left_frames;
        })) {
      tail.remaining = 0;
      continue;
    }
    tail.remaining -= run;
  }
  std::erase_if(tails_, [](const Tail& tail) { return tail.remaining <= 0; });
}

void SoundMixer::RenderFloat(float* stereo, int frames) {
  std::lock_guard renderLock(renderMutex_);
  MixLocked(stereo, frames);
}

void SoundMixer::MixLocked(float* stereo, int frames) {
  {
    std::lock_guard lock(queueMutex_);
    draining_.swap(pending_);
  }
  for (Command& command : draining_) Apply(command);
  draining_.clear();

  std::fill(stereo, stereo + static_cast<std::ptrdiff_t>(frames) * 2, 0.0f);
  MixTails(stereo, frames);
  for (const SoundBuffer& voice : voices_) {
    if (voice->active) MixVoice(*voice, stereo, frames);
  }
  for (const std::shared_ptr<MixSource>& source : sources_) source->MixInto(stereo, frames);
  for (const SoundBuffer& voice : voices_) {
    if (!voice->active) voice->playing = false;
  }
}

void SoundMixer::Render(std::int16_t* stereo, int frames) {
  std::lock_guard renderLock(renderMutex_);
  scratch_.resize(static_cast<std::size_t>(frames) * 2);
  MixLocked(scratch_.data(), frames);
  for (std::size_t i = 0; i < scratch_.size(); ++i) {
    const float clamped = std::clamp(scratch_[i], -1.0f, 1.0f);
    stereo[i] = static_cast<std::int16_t>(std::lrintf(clamped * 32767.0f));
  }
}

}  // namespace platform
