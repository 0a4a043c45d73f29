#include "platform/video/bmp_image.h"

#include <cstring>

#include "platform/files/file_replace.h"
#include "platform/video/pixel_buffer.h"

namespace platform {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kMasksOffset =
    kFileHeaderSize + 40;  // masks follow the 40-byte header, or sit inside a longer one

std::uint32_t U32(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
  return v;
}
std::uint16_t U16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1])
                                                                               << 8);
}

bool KnownInfoHeader(std::uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool PlainMasks(std::string_view bytes) {
  if (bytes.size() < kMasksOffset + 12) return false;
  return U32(bytes, kMasksOffset) == 0x00FF0000u && U32(bytes, kMasksOffset + 4) == 0x0000FF00u &&
         U32(bytes, kMasksOffset + 8) == 0x000000FFu;
}

struct Header {
  std::uint32_t pixelOffset = 0;
  std::uint32_t infoSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  int bits = 0;
  std::uint32_t colorsUsed = 0;
};

BmpError ReadHeader(std::string_view bytes, Header& h) {
  if (bytes.size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return BmpError::NotBitmap;
  h.pixelOffset = U32(bytes, 10);
  h.infoSize = U32(bytes, 14);
  if (!KnownInfoHeader(h.infoSize)) return BmpError::UnsupportedHeader;
  if (bytes.size() < kFileHeaderSize + h.infoSize) return BmpError::NotBitmap;
  h.width = static_cast<std::int32_t>(U32(bytes, 18));
  h.height = static_cast<std::int32_t>(U32(bytes, 22));
  const std::uint16_t planes = U16(bytes, 26);
  h.bits = U16(bytes, 28);
  const std::uint32_t compression = U32(bytes, 30);
  h.colorsUsed = U32(bytes, 46);
  if (planes != 1 || (h.bits != 8 && h.bits != 24 && h.bits != 32)) return BmpError::UnsupportedDepth;
  const bool bitFields = compression == 3 && h.bits == 32;
  if (compression != 0 && !(bitFields && PlainMasks(bytes))) return BmpError::Compressed;
  if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) return BmpError::BadSize;
  return BmpError::None;
}

}  // namespace

const char* BmpErrorText(BmpError error) {
  switch (error) {
    case BmpError::None: return "ok";
    case BmpError::CannotRead: return "the file cannot be read";
    case BmpError::NotBitmap: return "not a bitmap file";
    case BmpError::UnsupportedHeader: return "unsupported bitmap header";
    case BmpError::UnsupportedDepth: return "unsupported bits per pixel";
    case BmpError::Compressed: return "compressed bitmaps are not supported";
    case BmpError::BadSize: return "bad bitmap size";
    case BmpError::TooLarge: return "bitmap too large";
    case BmpError::Truncated: return "bitmap file cut short";
  }
  return "unknown bitmap error";
}

std::uint32_t BmpImage::ColorAt(int x, int y) const {
  const std::uint8_t* p = Row(y);
  switch (bitsPerPixel) {
    case 8: return colors[p[x]];
    case 24: return LoadPixel24(p + 3 * x);
    default: return LoadPixel24(p + 4 * x);
  }
}

BmpError ParseBmp(std::string_view bytes, BmpImage& image) {
  image = BmpImage{};
  Header h;
  if (const BmpError error = ReadHeader(bytes, h); error != BmpError::None) return error;

  const bool bottomUp = h.height > 0;
  const std::int64_t height = bottomUp ? h.height : -static_cast<std::int64_t>(h.height);
  if (h.width > PixelBuffer::kMaxSide || height > PixelBuffer::kMaxSide) return BmpError::TooLarge;
  const std::uint64_t stride =
      ((static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.bits) + 31) / 32) * 4;
  const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(height);
  if (pixelBytes > PixelBuffer::kMaxBytes) return BmpError::TooLarge;
  if (static_cast<std::uint64_t>(h.pixelOffset) + pixelBytes > bytes.size()) return BmpError::Truncated;

  if (h.bits == 8) {
    const std::uint32_t count = h.colorsUsed == 0 || h.colorsUsed > 256 ? 256 : h.colorsUsed;
    const std::uint64_t tableAt = kFileHeaderSize + h.infoSize;
    if (tableAt + 4ull * count > bytes.size()) return BmpError::Truncated;
    for (std::uint32_t i = 0; i < count; ++i) image.colors[i] = U32(bytes, tableAt + 4ull * i) & 0xFFFFFFu;
    image.colorCount = static_cast<int>(count);
  }

  image.width = h.width;
  image.height = static_cast<int>(height);
  image.bitsPerPixel = h.bits;
  image.pitch = static_cast<int>(stride);
  image.pixels.resize(pixelBytes);
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t fileRow = bottomUp ? height - 1 - y : y;
    std::memcpy(image.pixels.data() + static_cast<std::size_t>(y) * stride,
                bytes.data() + h.pixelOffset + static_cast<std::size_t>(fileRow) * stride, stride);
  }
  return BmpError::None;
}

BmpError LoadBmpFile(const std::string& hostPath, BmpImage& image) {
  image = BmpImage{};
  std::string bytes;
  // The largest bitmap a surface can hold, plus headers and a full colour table.
  if (hostPath.empty() || !ReadFileContents(hostPath, PixelBuffer::kMaxBytes + 4096, bytes)) {
    return BmpError::CannotRead;
  }
  return ParseBmp(bytes, image);
}

}  // namespace platform
