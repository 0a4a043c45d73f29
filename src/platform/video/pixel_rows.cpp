#include "platform/video/pixel_rows.h"

#include <cstring>
#include <vector>

namespace platform {
namespace {

// Pixel widths 1, 2 and 4 are handled through their integer types, so that the loops vectorise;
// width 3 (24-bit) goes byte by byte.
template <typename T>
void FillRowT(std::uint8_t* row, int count, std::uint32_t value) {
  T* __restrict p = reinterpret_cast<T*>(row);
  const T v = static_cast<T>(value);
  for (int i = 0; i < count; ++i) p[i] = v;
}

void FillRow24(std::uint8_t* row, int count, std::uint32_t value) {
  for (int i = 0; i < count; ++i) StorePixel24(row + 3 * i, value);
}

template <typename T>
void KeyedRowT(std::uint8_t* __restrict target, const std::uint8_t* __restrict source, int count, std::uint32_t key) {
  T* __restrict d = reinterpret_cast<T*>(target);
  const T* __restrict s = reinterpret_cast<const T*>(source);
  const T k = static_cast<T>(key);
  for (int i = 0; i < count; ++i) {
    const T v = s[i];
    d[i] = v == k ? d[i] : v;
  }
}

void KeyedRow24(std::uint8_t* __restrict target, const std::uint8_t* __restrict source, int count, std::uint32_t key) {
  for (int i = 0; i < count; ++i) {
    const std::uint32_t v = LoadPixel24(source + 3 * i);
    if (v != key) StorePixel24(target + 3 * i, v);
  }
}

template <typename T>
void GatherRowT(std::uint8_t* __restrict target, const std::uint8_t* __restrict source, const int* columns, int count,
                bool keyed, std::uint32_t key) {
  T* __restrict d = reinterpret_cast<T*>(target);
  const T* __restrict s = reinterpret_cast<const T*>(source);
  if (!keyed) {
    for (int i = 0; i < count; ++i) d[i] = s[columns[i]];
    return;
  }
  const T k = static_cast<T>(key);
  for (int i = 0; i < count; ++i) {
    const T v = s[columns[i]];
    d[i] = v == k ? d[i] : v;
  }
}

void GatherRow24(std::uint8_t* __restrict target, const std::uint8_t* __restrict source, const int* columns, int count,
                 bool keyed, std::uint32_t key) {
  for (int i = 0; i < count; ++i) {
    const std::uint32_t v = LoadPixel24(source + 3 * columns[i]);
    if (!keyed || v != key) StorePixel24(target + 3 * i, v);
  }
}

using FillRowFn = void (*)(std::uint8_t*, int, std::uint32_t);
using KeyedRowFn = void (*)(std::uint8_t*, const std::uint8_t*, int, std::uint32_t);
using GatherRowFn = void (*)(std::uint8_t*, const std::uint8_t*, const int*, int, bool, std::uint32_t);

// Indexed by bytes per pixel.
constexpr FillRowFn kFillRows[5] = {nullptr, FillRowT<std::uint8_t>, FillRowT<std::uint16_t>, FillRow24,
                                    FillRowT<std::uint32_t>};
constexpr KeyedRowFn kKeyedRows[5] = {nullptr, KeyedRowT<std::uint8_t>, KeyedRowT<std::uint16_t>, KeyedRow24,
                                      KeyedRowT<std::uint32_t>};
constexpr GatherRowFn kGatherRows[5] = {nullptr, GatherRowT<std::uint8_t>, GatherRowT<std::uint16_t>, GatherRow24,
                                        GatherRowT<std::uint32_t>};

std::uint8_t* PixelPtr(PixelBuffer& buffer, int x, int y) {
  return buffer.Row(y) + static_cast<std::ptrdiff_t>(x) * buffer.bytesPerPixel();
}
const std::uint8_t* PixelPtr(const PixelBuffer& buffer, int x, int y) {
  return buffer.Row(y) + static_cast<std::ptrdiff_t>(x) * buffer.bytesPerPixel();
}

bool Overlaps(const PixelBuffer& target, int x, int y, const PixelBuffer& source, const PixelRect& from) {
  if (&target != &source) return false;
  const PixelRect to{x, y, x + from.Width(), y + from.Height()};
  return !Intersect(to, from).Empty();
}

}  // namespace

void FillPixels(PixelBuffer& target, const PixelRect& rect, std::uint32_t value) {
  if (rect.Empty()) return;
  const FillRowFn fill = kFillRows[target.bytesPerPixel()];
  for (int y = rect.top; y < rect.bottom; ++y) fill(PixelPtr(target, rect.left, y), rect.Width(), value);
}

void CopyPixels(PixelBuffer& target, int x, int y, const PixelBuffer& source, const PixelRect& from) {
  if (from.Empty()) return;
  const std::size_t rowBytes = static_cast<std::size_t>(from.Width()) * source.bytesPerPixel();
  // Rows of an overlapping copy run away from the destination, so no row is read after it
  // was overwritten; memmove handles the overlap within a row.
  const bool upward = &target == &source && y > from.top;
  for (int i = 0; i < from.Height(); ++i) {
    const int row = upward ? from.Height() - 1 - i : i;
    std::memmove(PixelPtr(target, x, y + row), PixelPtr(source, from.left, from.top + row), rowBytes);
  }
}

void CopyPixelsKeyed(PixelBuffer& target, int x, int y, const PixelBuffer& source, const PixelRect& from,
                     std::uint32_t key) {
  if (from.Empty()) return;
  if (Overlaps(target, x, y, source, from)) {
    const PixelBuffer copy = source;
    CopyPixelsKeyed(target, x, y, copy, from, key);
    return;
  }
  const KeyedRowFn keyed = kKeyedRows[source.bytesPerPixel()];
  for (int row = 0; row < from.Height(); ++row) {
    keyed(PixelPtr(target, x, y + row), PixelPtr(source, from.left, from.top + row), from.Width(), key);
  }
}

void StretchPixels(PixelBuffer& target, const PixelBuffer& source, const StretchCopy& copy) {
  if (copy.clip.Empty() || copy.to.Empty()) return;
  if (&target == &source) {
    const PixelBuffer sourceCopy = source;
    StretchPixels(target, sourceCopy, copy);
    return;
  }
  const int width = copy.to.Width();
  const int height = copy.to.Height();
  std::vector<int> columns(static_cast<std::size_t>(copy.clip.Width()));
  for (int x = copy.clip.left; x < copy.clip.right; ++x) {
    columns[static_cast<std::size_t>(x - copy.clip.left)] = SampleIndex(copy.columns, x - copy.to.left, width);
  }
  const GatherRowFn gather = kGatherRows[target.bytesPerPixel()];
  for (int y = copy.clip.top; y < copy.clip.bottom; ++y) {
    const int sourceRow = SampleIndex(copy.rows, y - copy.to.top, height);
    gather(PixelPtr(target, copy.clip.left, y), source.Row(sourceRow), columns.data(), copy.clip.Width(), copy.keyed,
           copy.key);
  }
}

}  // namespace platform
