#include "sound/wave_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "core/host_path.h"

namespace {

std::uint32_t Le32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }

struct Chunk {
  std::size_t body = 0;  // offset of the chunk's bytes
  std::size_t size = 0;  // as far as the bytes reach
};

// Looks for chunk `id` from `from` up to `end`; on success `from` is left after it.
bool FindChunk(std::span<const std::uint8_t> bytes, std::size_t& from, std::size_t end, const char* id, Chunk& out) {
  while (end - from >= 8) {
    const std::uint8_t* head = bytes.data() + from;
    const std::size_t declared = Le32(head + 4);
    const std::size_t body = from + 8;
    const std::size_t size = std::min(declared, end - body);
    // The pad byte of an odd chunk; a chunk that runs to the end has none left.
    const std::size_t next = body + size + (size & 1);
    if (std::memcmp(head, id, 4) == 0) {
      out = {body, size};
      from = std::min(next, end);
      return true;
    }
    from = std::min(next, end);
  }
  return false;
}

}  // namespace

bool ReadWaveBytes(std::span<const std::uint8_t> bytes, WaveData* wave) {
  *wave = WaveData{};
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    return false;
  }
  // A RIFF size that claims more than the file holds is cut to the file.
  const std::size_t end = 8 + std::min<std::size_t>(Le32(bytes.data() + 4), bytes.size() - 8);
  if (end < 12) return false;
  std::size_t at = 12;
  Chunk fmt;
  if (!FindChunk(bytes, at, end, "fmt ", fmt) || fmt.size < 16) return false;
  const std::uint8_t* f = bytes.data() + fmt.body;
  WaveFormat format;
  format.formatTag = Le16(f);
  format.channels = Le16(f + 2);
  format.samplesPerSec = Le32(f + 4);
  format.avgBytesPerSec = Le32(f + 8);
  format.blockAlign = Le16(f + 12);
  format.bitsPerSample = Le16(f + 14);
  if (format.formatTag != 1) return false;
  Chunk data;
  if (!FindChunk(bytes, at, end, "data", data)) return false;
  wave->format = format;
  wave->samples.assign(bytes.begin() + static_cast<std::ptrdiff_t>(data.body),
                       bytes.begin() + static_cast<std::ptrdiff_t>(data.body + data.size));
  wave->size = static_cast<std::uint32_t>(data.size);
  return true;
}

bool ReadWaveFile(const char* file, WaveData* wave) {
  *wave = WaveData{};
  const std::string host = HostPathForRead(file);
  if (host.empty()) return false;
  std::ifstream in(host, std::ios::binary);
  if (!in) return false;
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ReadWaveBytes(bytes, wave);
}

void FreeWaveData(WaveData* wave) {
  wave->samples.clear();
  wave->samples.shrink_to_fit();
  wave->size = 0;
}

bool WaveFormatPlayable(const WaveFormat& format) {
  if (format.channels < 1 || format.channels > 2) return false;
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return false;
  if (format.samplesPerSec < 100 || format.samplesPerSec > 200000) return false;
  return format.blockAlign == format.channels * format.bitsPerSample / 8;
}
