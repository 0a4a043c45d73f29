#include "gfx/mosaic_kernels.h"

#include <immintrin.h>

#include <algorithm>
#include <vector>

#include "platform/video/kernel_choice.h"

namespace {

// Columns [begin, end) of block k.
struct BlockColumns {
  int begin, end;
};
inline BlockColumns ColumnsOf(const MosaicBand& band, int k) {
  return {std::max(k * band.b, band.lo), std::min(k * band.b + band.b, band.hi)};
}

[[gnu::always_inline]] inline void SumRun(const DWORD* __restrict run, int n, DWORD key, bool keyed,
                                          ChannelSums& sums) {
  unsigned red = 0, green = 0, blue = 0, count = 0;
  for (int i = 0; i < n; ++i) {
    const DWORD p = run[i];
    if (keyed && p == key) continue;
    red += (p >> 16) & 0xFF;
    green += (p >> 8) & 0xFF;
    blue += p & 0xFF;
    ++count;
  }
  sums.red += red;
  sums.green += green;
  sums.blue += blue;
  sums.count += count;
}

// Each row of the band is one run through two patterns made once a band: the bytes each pixel
// keeps (all of them outside drawn blocks, the fourth inside) and the colour it takes.
[[gnu::always_inline]] inline void FillBody(DWORD* first, const MosaicBand& band, const DWORD* colour,
                                            const std::uint8_t* drawn, DWORD* __restrict keep,
                                            DWORD* __restrict paint) {
  const int n = band.hi - band.lo;
  if (n <= 0) return;
  for (int k = 0; k < band.blocks; ++k) {
    const BlockColumns c = ColumnsOf(band, k);
    const DWORD keeps = drawn[k] ? 0xFF000000u : 0xFFFFFFFFu, paints = drawn[k] ? colour[k] : 0u;
    DWORD* __restrict keepRun = keep + (c.begin - band.lo);
    DWORD* __restrict paintRun = paint + (c.begin - band.lo);
    for (int i = 0; i < c.end - c.begin; ++i) {
      keepRun[i] = keeps;
      paintRun[i] = paints;
    }
  }
  for (int j = 0; j < band.rows; ++j) {
    DWORD* __restrict run = first + j * band.pitch + band.lo;
    for (int i = 0; i < n; ++i) run[i] = (run[i] & keep[i]) | paint[i];
  }
}

void SumBaseline(const DWORD* first, const MosaicBand& band, DWORD key, bool keyed, ChannelSums* sums) {
  for (int k = 0; k < band.blocks; ++k) {
    const BlockColumns c = ColumnsOf(band, k);
    if (c.begin >= c.end) continue;
    for (int j = 0; j < band.rows; ++j) SumRun(first + j * band.pitch + c.begin, c.end - c.begin, key, keyed, sums[k]);
  }
}

// The four 64-bit lanes added up.
[[gnu::target("avx2")]] inline unsigned LaneTotal(__m256i lanes) {
  const __m128i pair = _mm_add_epi64(_mm256_castsi256_si128(lanes), _mm256_extracti128_si256(lanes, 1));
  return static_cast<unsigned>(_mm_cvtsi128_si64(_mm_add_epi64(pair, _mm_unpackhi_epi64(pair, pair))));
}

// Eight pixels a step: key pixels are cleared and counted, each channel is masked out of the
// others and its bytes are summed by SAD against zero, two pixels to each 64-bit lane.
template <bool Keyed>
[[gnu::target("avx2")]] void SumAvx2Keyed(const DWORD* first, const MosaicBand& band, DWORD key, ChannelSums* sums) {
  const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
  const __m256i zero = _mm256_setzero_si256();
  const __m256i redBytes = _mm256_set1_epi32(0x00FF0000), greenBytes = _mm256_set1_epi32(0x0000FF00),
                blueBytes = _mm256_set1_epi32(0x000000FF);
  for (int k = 0; k < band.blocks; ++k) {
    const BlockColumns c = ColumnsOf(band, k);
    if (c.begin >= c.end) continue;
    const int n = c.end - c.begin, whole = n & ~7;
    __m256i red = zero, green = zero, blue = zero, keysSeen = zero;
    for (int j = 0; j < band.rows; ++j) {
      const DWORD* run = first + j * band.pitch + c.begin;
      for (int i = 0; i < whole; i += 8) {
        __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(run + i));
        if constexpr (Keyed) {
          const __m256i isKey = _mm256_cmpeq_epi32(v, keys);
          v = _mm256_andnot_si256(isKey, v);
          keysSeen = _mm256_sub_epi32(keysSeen, isKey);
        }
        red = _mm256_add_epi64(red, _mm256_sad_epu8(_mm256_and_si256(v, redBytes), zero));
        green = _mm256_add_epi64(green, _mm256_sad_epu8(_mm256_and_si256(v, greenBytes), zero));
        blue = _mm256_add_epi64(blue, _mm256_sad_epu8(_mm256_and_si256(v, blueBytes), zero));
      }
      if (whole < n) SumRun(run + whole, n - whole, key, Keyed, sums[k]);
    }
    // The key counts of the eight 32-bit lanes, added as four 64-bit ones.
    const __m256i seen =
        _mm256_add_epi64(_mm256_and_si256(keysSeen, _mm256_set1_epi64x(0xFFFFFFFF)), _mm256_srli_epi64(keysSeen, 32));
    sums[k].red += LaneTotal(red);
    sums[k].green += LaneTotal(green);
    sums[k].blue += LaneTotal(blue);
    sums[k].count += static_cast<unsigned>(whole) * static_cast<unsigned>(band.rows) - LaneTotal(seen);
  }
}

[[gnu::target("avx2")]] void SumAvx2(const DWORD* first, const MosaicBand& band, DWORD key, bool keyed,
                                     ChannelSums* sums) {
  if (keyed) {
    SumAvx2Keyed<true>(first, band, key, sums);
  } else {
    SumAvx2Keyed<false>(first, band, key, sums);
  }
}

void FillBaseline(DWORD* first, const MosaicBand& band, const DWORD* colour, const std::uint8_t* drawn, DWORD* keep,
                  DWORD* paint) {
  FillBody(first, band, colour, drawn, keep, paint);
}
[[gnu::target("avx2")]] void FillAvx2(DWORD* first, const MosaicBand& band, const DWORD* colour,
                                      const std::uint8_t* drawn, DWORD* keep, DWORD* paint) {
  FillBody(first, band, colour, drawn, keep, paint);
}

}  // namespace

void SumBand32(const DWORD* first, const MosaicBand& band, DWORD key, bool keyed, ChannelSums* sums) {
  if (platform::Avx2Kernels()) {
    SumAvx2(first, band, key, keyed, sums);
  } else {
    SumBaseline(first, band, key, keyed, sums);
  }
}

void FillBand32(DWORD* first, const MosaicBand& band, const DWORD* colour, const std::uint8_t* drawn) {
  const std::size_t n = static_cast<std::size_t>(std::max(band.hi - band.lo, 0));
  std::vector<DWORD> keep(n), paint(n);
  if (platform::Avx2Kernels()) {
    FillAvx2(first, band, colour, drawn, keep.data(), paint.data());
  } else {
    FillBaseline(first, band, colour, drawn, keep.data(), paint.data());
  }
}
