#include "platform/video/pixel_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform {

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  if (r.Empty()) return {};
  return r;
}

PixelBuffer::PixelBuffer(const PixelBuffer& other) { *this = other; }

PixelBuffer& PixelBuffer::operator=(const PixelBuffer& other) {
  if (this == &other) return *this;
  if (other.empty()) {
    Release();
    format_ = other.format_;
    return *this;
  }
  if (!Allocate(other.width_, other.height_, other.format_)) return *this;
  std::memcpy(bytes_.get(), other.bytes_.get(), byteCount());
  return *this;
}

bool PixelBuffer::Allocate(int width, int height, PixelFormat format) {
  Release();
  format_ = format;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(BytesPerPixel(format));
  const std::size_t pitch = (rowBytes + 3) & ~std::size_t{3};
  const std::size_t total = pitch * static_cast<std::size_t>(height);
  if (total > kMaxBytes) return false;
  bytes_.reset(new (std::nothrow) std::uint8_t[total]());
  if (bytes_ == nullptr) return false;
  width_ = width;
  height_ = height;
  pitch_ = static_cast<int>(pitch);
  return true;
}

void PixelBuffer::Release() {
  bytes_.reset();
  width_ = height_ = pitch_ = 0;
}

std::uint32_t PixelBuffer::PixelAt(int x, int y) const {
  const std::uint8_t* p = Row(y) + static_cast<std::ptrdiff_t>(x) * bytesPerPixel();
  switch (bytesPerPixel()) {
    case 1: return *p;
    case 2: {
      std::uint16_t v;
      std::memcpy(&v, p, 2);
      return v;
    }
    case 3: return LoadPixel24(p);
    default: {
      std::uint32_t v;
      std::memcpy(&v, p, 4);
      return v;
    }
  }
}

void PixelBuffer::SetPixel(int x, int y, std::uint32_t value) {
  std::uint8_t* p = Row(y) + static_cast<std::ptrdiff_t>(x) * bytesPerPixel();
  switch (bytesPerPixel()) {
    case 1: *p = static_cast<std::uint8_t>(value); break;
    case 2: {
      const auto v = static_cast<std::uint16_t>(value);
      std::memcpy(p, &v, 2);
      break;
    }
    case 3: StorePixel24(p, value); break;
    default: std::memcpy(p, &value, 4); break;
  }
}

void PixelBuffer::Clear() {
  if (bytes_ != nullptr) std::memset(bytes_.get(), 0, byteCount());
}

}  // namespace platform
