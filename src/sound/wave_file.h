#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The "fmt " chunk of a WAVE file, as far as the sound buffers use it.
struct WaveFormat {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSec = 0;
  std::uint32_t avgBytesPerSec = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
};

// A WAVE file read into memory: its format and its samples.
struct WaveData {
  WaveFormat format;
  std::vector<std::uint8_t> samples;
  std::uint32_t size = 0;  // bytes of samples
};

// Reads a PCM WAVE file (a game path). False for a file that is missing, is not RIFF WAVE,
// has no "fmt " of at least 16 bytes followed by a "data" chunk, or is not PCM (tag 1).
bool ReadWaveFile(const char* file, WaveData* wave);
// The same from bytes already in memory. Every chunk size is checked against the bytes:
// a RIFF size past the end is cut to it, a "data" chunk past the end is cut, chunks are
// walked with their pad byte.
bool ReadWaveBytes(std::span<const std::uint8_t> bytes, WaveData* wave);
void FreeWaveData(WaveData* wave);

// Whether a sound buffer can be made for the format: channels 1-2, 8 or 16 bits, 100 to
// 200000 Hz, and a block align of channels x bits / 8.
bool WaveFormatPlayable(const WaveFormat& format);
