#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// Writes 44100 Hz 16-bit stereo frames to a WAVE file. The header's sizes are brought up to
// date after every write, so the file is whole even when the process ends without a close.
class WaveCapture {
 public:
  WaveCapture() = default;
  ~WaveCapture();
  WaveCapture(const WaveCapture&) = delete;
  WaveCapture& operator=(const WaveCapture&) = delete;

  bool Open(const std::string& hostPath, int rate);
  void Write(const std::int16_t* stereo, int frames);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

 private:
  void PatchSizes();
  std::FILE* file_ = nullptr;
  std::uint32_t dataBytes_ = 0;
};

}  // namespace platform
