#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/video/pixel_format.h"

namespace platform {

// A rectangle of pixels: left and top inside, right and bottom outside.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const PixelRect&) const = default;
};

PixelRect Intersect(const PixelRect& a, const PixelRect& b);

// The pixels of one surface, texture level or frame: rows top-down, each row padded to a
// multiple of four bytes. Every pixel starts at zero.
class PixelBuffer {
 public:
  // Largest side and largest size accepted, so that no request (a hostile bitmap header, a
  // runaway size) can make an unbounded allocation.
  static constexpr int kMaxSide = 32768;
  static constexpr std::size_t kMaxBytes = std::size_t{256} << 20;

  PixelBuffer() = default;
  PixelBuffer(const PixelBuffer& other);
  PixelBuffer& operator=(const PixelBuffer& other);
  PixelBuffer(PixelBuffer&&) noexcept = default;
  PixelBuffer& operator=(PixelBuffer&&) noexcept = default;

  // False (and the buffer left empty) for a size of 0 or below, or beyond the limits.
  bool Allocate(int width, int height, PixelFormat format);
  void Release();

  int width() const { return width_; }
  int height() const { return height_; }
  int pitch() const { return pitch_; }
  PixelFormat format() const { return format_; }
  int bytesPerPixel() const { return BytesPerPixel(format_); }
  std::size_t byteCount() const { return static_cast<std::size_t>(pitch_) * static_cast<std::size_t>(height_); }
  bool empty() const { return bytes_ == nullptr; }
  PixelRect Bounds() const { return {0, 0, width_, height_}; }

  std::uint8_t* data() { return bytes_.get(); }
  const std::uint8_t* data() const { return bytes_.get(); }
  std::uint8_t* Row(int y) { return bytes_.get() + static_cast<std::ptrdiff_t>(y) * pitch_; }
  const std::uint8_t* Row(int y) const { return bytes_.get() + static_cast<std::ptrdiff_t>(y) * pitch_; }

  // One pixel as an integer of the format's width; for tests and slow paths only.
  std::uint32_t PixelAt(int x, int y) const;
  void SetPixel(int x, int y, std::uint32_t value);

  void Clear();

 private:
  std::unique_ptr<std::uint8_t[]> bytes_;
  int width_ = 0;
  int height_ = 0;
  int pitch_ = 0;
  PixelFormat format_ = PixelFormat::Xrgb8888;
};

// Pixel loads and stores by byte width, for the row loops that are written once per width.
inline std::uint32_t LoadPixel24(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16;
}
inline void StorePixel24(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
}

}  // namespace platform
