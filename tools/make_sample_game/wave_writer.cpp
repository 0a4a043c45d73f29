#include "make_sample_game/wave_writer.h"

namespace sample {

namespace {

void PutU16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void PutU32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

}  // namespace

std::string EncodeWave(const std::vector<std::int16_t>& samples, int rate) {
  constexpr std::uint16_t kChannels = 1;
  constexpr std::uint16_t kBits = 16;
  constexpr std::uint16_t kBlockAlign = kChannels * kBits / 8;
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBlockAlign);
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  PutU32(out, 36 + dataBytes);
  out += "WAVE";
  out += "fmt ";
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, kChannels);
  PutU32(out, static_cast<std::uint32_t>(rate));
  PutU32(out, static_cast<std::uint32_t>(rate) * kBlockAlign);
  PutU16(out, kBlockAlign);
  PutU16(out, kBits);
  out += "data";
  PutU32(out, dataBytes);
  for (std::int16_t s : samples) PutU16(out, static_cast<std::uint16_t>(s));
  return out;
}

}  // namespace sample
