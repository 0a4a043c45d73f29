#include "platform/sound/wave_capture.h"

#include <array>

namespace platform {

namespace {

void PutLE(std::uint8_t* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

WaveCapture::~WaveCapture() { Close(); }

bool WaveCapture::Open(const std::string& hostPath, int rate) {
  Close();
  file_ = std::fopen(hostPath.c_str(), "wb");
  if (file_ == nullptr) return false;
  std::array<std::uint8_t, 44> head{};
  const char* tags[] = {"RIFF", "WAVE", "fmt ", "data"};
  const int at[] = {0, 8, 12, 36};
  for (int i = 0; i < 4; ++i) {
    for (int c = 0; c < 4; ++c) head[at[i] + c] = static_cast<std::uint8_t>(tags[i][c]);
  }
  PutLE(&head[4], 36, 4);
  PutLE(&head[16], 16, 4);
  PutLE(&head[20], 1, 2);
  PutLE(&head[22], 2, 2);
  PutLE(&head[24], static_cast<std::uint32_t>(rate), 4);
  PutLE(&head[28], static_cast<std::uint32_t>(rate) * 4, 4);
  PutLE(&head[32], 4, 2);
  PutLE(&head[34], 16, 2);
  dataBytes_ = 0;
  std::fwrite(head.data(), 1, head.size(), file_);
  std::fflush(file_);
  return true;
}

void WaveCapture::Write(const std::int16_t* stereo, int frames) {
  if (file_ == nullptr || frames <= 0) return;
  std::array<std::uint8_t, 4096> bytes;
  std::size_t used = 0;
  for (int i = 0; i < frames * 2; ++i) {
    PutLE(&bytes[used], static_cast<std::uint16_t>(stereo[i]), 2);
    used += 2;
    if (used == bytes.size()) {
      std::fwrite(bytes.data(), 1, used, file_);
      used = 0;
    }
  }
  std::fwrite(bytes.data(), 1, used, file_);
  dataBytes_ += static_cast<std::uint32_t>(frames) * 4;
  PatchSizes();
}

void WaveCapture::PatchSizes() {
  std::uint8_t size[4];
  PutLE(size, 36 + dataBytes_, 4);
  std::fseek(file_, 4, SEEK_SET);
  std::fwrite(size, 1, 4, file_);
  PutLE(size, dataBytes_, 4);
  std::fseek(file_, 40, SEEK_SET);
  std::fwrite(size, 1, 4, file_);
  std::fseek(file_, 0, SEEK_END);
  std::fflush(file_);
}

void WaveCapture::Close() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  file_ = nullptr;
}

}  // namespace platform
