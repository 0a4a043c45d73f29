#include "platform/video/pixel_rows.h"

#include <immintrin.h>

#include <cstring>
#include <vector>

#include "platform/video/kernel_choice.h"

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

// The keyed rows are inlined into rectangle loops compiled twice, for baseline x86-64 and for
// AVX2, so that a blit makes one call however many rows it has.
template <typename T>
[[gnu::always_inline]] inline void KeyedRowT(std::uint8_t* __restrict target, const std::uint8_t* __restrict source,
                                             int count, std::uint32_t key) {
  T* __restrict d = reinterpret_cast<T*>(target);
  const T* __restrict s = reinterpret_cast<const T*>(source);
  const T k = static_cast<T>(key);
  for (int i = 0; i < count; ++i) {
    const T v = s[i];
    d[i] = v == k ? d[i] : v;
  }
}

// Whole words where a fourth byte can be read and written back unchanged: the byte after a
// pixel is the next pixel's, rewritten by it in turn, so only the row's last pixel goes byte
// by byte.
[[gnu::always_inline]] inline void KeyedRow24(std::uint8_t* __restrict target, const std::uint8_t* __restrict source,
                                              int count, std::uint32_t key) {
  int i = 0;
  for (; i + 1 < count; ++i) {
    std::uint32_t v, old;
    std::memcpy(&v, source + 3 * i, 4);
    std::memcpy(&old, target + 3 * i, 4);
    const std::uint32_t colour = v & 0xFFFFFFu;
    const std::uint32_t out = colour == key ? old : (old & 0xFF000000u) | colour;
    std::memcpy(target + 3 * i, &out, 4);
  }
  if (i < count) {
    const std::uint32_t v = LoadPixel24(source + 3 * i);
    if (v != key) StorePixel24(target + 3 * i, v);
  }
}

struct KeyedRect {
  std::uint8_t* target;
  std::ptrdiff_t targetPitch;
  const std::uint8_t* source;
  std::ptrdiff_t sourcePitch;
  int width;
  int height;
  std::uint32_t key;
};

template <int Bytes>
[[gnu::always_inline]] inline void KeyedRectBody(const KeyedRect& r) {
  // Locals, so that the row stores cannot be taken to change them.
  std::uint8_t* to = r.target;
  const std::uint8_t* from = r.source;
  const std::ptrdiff_t toPitch = r.targetPitch, fromPitch = r.sourcePitch;
  const int width = r.width, height = r.height;
  const std::uint32_t key = r.key;
  for (int y = 0; y < height; ++y, to += toPitch, from += fromPitch) {
    if constexpr (Bytes == 1) KeyedRowT<std::uint8_t>(to, from, width, key);
    if constexpr (Bytes == 2) KeyedRowT<std::uint16_t>(to, from, width, key);
    if constexpr (Bytes == 3) KeyedRow24(to, from, width, key);
    if constexpr (Bytes == 4) KeyedRowT<std::uint32_t>(to, from, width, key);
  }
}

template <int Bytes>
void KeyedRectBaseline(const KeyedRect& r) {
  KeyedRectBody<Bytes>(r);
}
// Source pixels equal to the key, lane by lane, for one pixel width.
template <int Bytes>
[[gnu::target("avx2")]] inline __m256i KeyLanes(__m256i source, __m256i key) {
  if constexpr (Bytes == 1) return _mm256_cmpeq_epi8(source, key);
  if constexpr (Bytes == 2) return _mm256_cmpeq_epi16(source, key);
  return _mm256_cmpeq_epi32(source, key);
}

template <int Bytes>
[[gnu::target("avx2")]] inline void KeyedVector(std::uint8_t* to, const std::uint8_t* from, __m256i key) {
  const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
  const __m256i below = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), _mm256_blendv_epi8(source, below, KeyLanes<Bytes>(source, key)));
}

// Rows of at least one vector go by whole vectors, the last of them ending at the row's end
// and overlapping the one before: a keyed copy made twice leaves the same pixels (where the
// source is the key the target is left alone both times), so no row needs a loop for its tail,
// and tiles of a few vectors a row pay for no more than their vectors.
template <int Bytes>
[[gnu::target("avx2")]] void KeyedRectAvx2(const KeyedRect& r) {
  if constexpr (Bytes == 3) {
    KeyedRectBody<Bytes>(r);
  } else {
    if (r.width * Bytes < 32) {
      KeyedRectBody<Bytes>(r);
      return;
    }
    __m256i key;
    if constexpr (Bytes == 1) key = _mm256_set1_epi8(static_cast<char>(r.key));
    if constexpr (Bytes == 2) key = _mm256_set1_epi16(static_cast<short>(r.key));
    if constexpr (Bytes == 4) key = _mm256_set1_epi32(static_cast<int>(r.key));
    // Locals, so that the row stores cannot be taken to change them.
    std::uint8_t* to = r.target;
    const std::uint8_t* from = r.source;
    const std::ptrdiff_t toPitch = r.targetPitch, fromPitch = r.sourcePitch;
    const int height = r.height;
    const int last = r.width * Bytes - 32;
    for (int y = 0; y < height; ++y, to += toPitch, from += fromPitch) {
      for (int at = 0; at < last; at += 32) KeyedVector<Bytes>(to + at, from + at, key);
      KeyedVector<Bytes>(to + last, from + last, key);
    }
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
using KeyedRectFn = void (*)(const KeyedRect&);
using GatherRowFn = void (*)(std::uint8_t*, const std::uint8_t*, const int*, int, bool, std::uint32_t);

// Indexed by bytes per pixel.
constexpr FillRowFn kFillRows[5] = {nullptr, FillRowT<std::uint8_t>, FillRowT<std::uint16_t>, FillRow24,
                                    FillRowT<std::uint32_t>};
// [AVX2][bytes per pixel]
constexpr KeyedRectFn kKeyedRects[2][5] = {
    {nullptr, KeyedRectBaseline<1>, KeyedRectBaseline<2>, KeyedRectBaseline<3>, KeyedRectBaseline<4>},
    {nullptr, KeyedRectAvx2<1>, KeyedRectAvx2<2>, KeyedRectAvx2<3>, KeyedRectAvx2<4>}};
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
  const KeyedRect rect{PixelPtr(target, x, y), target.pitch(), PixelPtr(source, from.left, from.top),
                       source.pitch(), from.Width(), from.Height(), key};
  kKeyedRects[Avx2Kernels() ? 1 : 0][source.bytesPerPixel()](rect);
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
