#include "make_sample_game/bmp_writer.h"

#include <cstdint>

namespace sample {

namespace {

void PutU16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void PutU32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kColorTableBytes = 256 * 4;

}  // namespace

std::string EncodeBmp8(const Canvas& canvas, const PaletteColors& palette) {
  const auto width = static_cast<std::uint32_t>(canvas.Width());
  const auto height = static_cast<std::uint32_t>(canvas.Height());
  const std::uint32_t stride = (width + 3) / 4 * 4;
  const std::uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes + kColorTableBytes;
  const std::uint32_t imageBytes = stride * height;
  std::string out;
  out.reserve(offset + imageBytes);
  out += "BM";
  PutU32(out, offset + imageBytes);
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, kInfoHeaderBytes);
  PutU32(out, width);
  PutU32(out, height);  // positive: rows bottom-up
  PutU16(out, 1);       // planes
  PutU16(out, 8);       // bits per pixel
  PutU32(out, 0);       // uncompressed
  PutU32(out, imageBytes);
  PutU32(out, 2835);  // 72 dots per inch, both ways
  PutU32(out, 2835);
  PutU32(out, 256);  // colours used
  PutU32(out, 0);    // all important
  for (const Rgb& c : palette) {
    out += static_cast<char>(c.b);
    out += static_cast<char>(c.g);
    out += static_cast<char>(c.r);
    out += '\0';
  }
  for (int y = canvas.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < canvas.Width(); ++x) out += static_cast<char>(canvas.At(x, y));
    for (std::uint32_t pad = width; pad < stride; ++pad) out += '\0';
  }
  return out;
}

}  // namespace sample
