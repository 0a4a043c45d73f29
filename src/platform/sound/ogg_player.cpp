#include "platform/sound/ogg_player.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// The file's bytes as vorbisfile reads them.
struct MemoryFile {
  std::string bytes;
  std::size_t at = 0;
};

std::size_t ReadMemory(void* out, std::size_t size, std::size_t count, void* source) {
  auto* file = static_cast<MemoryFile*>(source);
  if (size == 0) return 0;
  const std::size_t want = std::min(count, (file->bytes.size() - file->at) / size);
  std::memcpy(out, file->bytes.data() + file->at, want * size);
  file->at += want * size;
  return want;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
  auto* file = static_cast<MemoryFile*>(source);
  const auto size = static_cast<ogg_int64_t>(file->bytes.size());
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(file->at);
  if (whence == SEEK_END) base = size;
  const ogg_int64_t target = base + offset;
  if (target < 0 || target > size) return -1;
  file->at = static_cast<std::size_t>(target);
  return 0;
}

long TellMemory(void* source) { return static_cast<long>(static_cast<MemoryFile*>(source)->at); }

constexpr ov_callbacks kMemoryCallbacks = {ReadMemory, SeekMemory, nullptr, TellMemory};

// Decoded frames taken at a time.
constexpr int kChunkFrames = 1024;

}  // namespace

struct OggPlayer::Decoder {
  MemoryFile file;
  OggVorbis_File vorbis{};
  int channels = 0;
  int rate = 0;
  ~Decoder() { ov_clear(&vorbis); }
};

std::shared_ptr<OggPlayer> OggPlayer::Create(SoundMixer& mixer) {
  std::shared_ptr<OggPlayer> player(new OggPlayer(mixer));
  mixer.AddSource(player);
  return player;
}

OggPlayer::OggPlayer(SoundMixer& mixer) : mixer_(mixer) {}

OggPlayer::~OggPlayer() = default;

bool OggPlayer::Load(std::string bytes) {
  auto decoder = std::make_unique<Decoder>();
  decoder->file.bytes = std::move(bytes);
  if (ov_open_callbacks(&decoder->file, &decoder->vorbis, nullptr, 0, kMemoryCallbacks) != 0) {
    // ov_clear must not see a stream that was never opened.
    std::memset(&decoder->vorbis, 0, sizeof decoder->vorbis);
    return false;
  }
  const vorbis_info* info = ov_info(&decoder->vorbis, -1);
  if (info == nullptr || info->channels < 1 || info->channels > 2 || info->rate < 100 || info->rate > 200000) {
    return false;
  }
  decoder->channels = info->channels;
  decoder->rate = static_cast<int>(info->rate);
  std::lock_guard lock(mutex_);
  if (deleted_) return false;
  decoder_ = std::move(decoder);
  step_ = (static_cast<std::uint64_t>(decoder_->rate) << 32) / SoundMixer::kRate;
  pcm_.clear();
  pcmFrames_ = 0;
  pos_ = 0;
  ended_ = false;
  playing_ = false;
  return true;
}

void OggPlayer::Play() {
  std::lock_guard lock(mutex_);
  if (decoder_ && !deleted_) playing_ = true;
}

void OggPlayer::Stop() {
  std::lock_guard lock(mutex_);
  playing_ = false;
}

void OggPlayer::Close() {
  std::unique_ptr<Decoder> old;
  {
    std::lock_guard lock(mutex_);
    playing_ = false;
    old = std::move(decoder_);
    pcm_.clear();
    pcmFrames_ = 0;
  }
}

void OggPlayer::SetLoop(int count) {
  std::lock_guard lock(mutex_);
  loops_ = std::max(0, count);
}

void OggPlayer::Delete() {
  Close();
  {
    std::lock_guard lock(mutex_);
    if (deleted_) return;
    deleted_ = true;
  }
  mixer_.RemoveSource(shared_from_this());
}

bool OggPlayer::Playing() {
  std::lock_guard lock(mutex_);
  return playing_;
}

int OggPlayer::SourceRate() {
  std::lock_guard lock(mutex_);
  return decoder_ ? decoder_->rate : 0;
}

std::int64_t OggPlayer::TotalFrames() {
  std::lock_guard lock(mutex_);
  return decoder_ ? static_cast<std::int64_t>(ov_pcm_total(&decoder_->vorbis, -1)) : 0;
}

// Appends decoded frames; at the end of the stream a loop seeks back to sample 0. False when
// nothing more will come.
bool OggPlayer::Refill() {
  if (ended_) return false;
  for (int attempt = 0; attempt < 4; ++attempt) {
    float** channels = nullptr;
    int section = 0;
    const long got = ov_read_float(&decoder_->vorbis, &channels, kChunkFrames, &section);
    if (got > 0) {
      const std::size_t start = pcm_.size();
      pcm_.resize(start + static_cast<std::size_t>(got) * 2);
      const bool stereo = decoder_->channels == 2;
      for (long i = 0; i < got; ++i) {
        pcm_[start + i * 2] = channels[0][i];
        pcm_[start + i * 2 + 1] = channels[stereo ? 1 : 0][i];
      }
      pcmFrames_ += static_cast<std::size_t>(got);
      return true;
    }
    if (got < 0 && got != OV_HOLE) break;  // a damaged stream ends here
    if (got == OV_HOLE) continue;
    if (loops_ == 0 || ov_pcm_seek(&decoder_->vorbis, 0) != 0) break;
    if (loops_ != kEndless) --loops_;
  }
  ended_ = true;
  return false;
}

void OggPlayer::MixInto(float* stereo, int frames) {
  std::lock_guard lock(mutex_);
  if (!playing_ || !decoder_) return;
  for (int f = 0; f < frames; ++f) {
    // Frames index and index + 1 must be decoded to interpolate between them.
    std::size_t index = static_cast<std::size_t>(pos_ >> 32);
    while (index + 1 >= pcmFrames_ && Refill()) {
    }
    if (index >= pcmFrames_) {
      playing_ = false;
      pos_ = 0;
      break;
    }
    const float fraction = static_cast<float>(pos_ & 0xFFFFFFFFu) * (1.0f / 4294967296.0f);
    const std::size_t next = index + 1 < pcmFrames_ ? index + 1 : index;
    for (int c = 0; c < 2; ++c) {
      const float a = pcm_[index * 2 + c];
      stereo[f * 2 + c] += a + (pcm_[next * 2 + c] - a) * fraction;
    }
    pos_ += step_;
    // Drop what lies behind once a good stretch has been played.
    index = static_cast<std::size_t>(pos_ >> 32);
    if (index >= 8192) {
      pcm_.erase(pcm_.begin(), pcm_.begin() + static_cast<std::ptrdiff_t>(index) * 2);
      pcmFrames_ -= index;
      pos_ -= static_cast<std::uint64_t>(index) << 32;
    }
  }
}

}  // namespace platform
