#include "gfx/mosaic_kernels.h"

#include <immintrin.h>

#include <algorithm>
#include <vector>

#include "gfx/pixel_layouts.h"
#include "platform/video/kernel_choice.h"

namespace {

// Columns [begin, end) of block k.
struct BlockColumns {
  int begin, end;
};
inline BlockColumns ColumnsOf(const MosaicBand& band, int k) {
  const long long start = static_cast<long long>(band.firstBlock + k) * band.b;
  return {static_cast<int>(std::max<long long>(start, band.lo)),
          static_cast<int>(std::min<long long>(start + band.b, band.hi))};
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

// Each row of the band is one run through two patterns made once a band: the bits each pixel
// keeps (all of them outside drawn blocks, `drawnKeeps` inside) and the colour it takes.
template <typename Pixel>
[[gnu::always_inline]] inline void FillBody(Pixel* first, const MosaicBand& band, const Pixel* colour,
                                            const std::uint8_t* drawn, Pixel drawnKeeps, Pixel* __restrict keep,
                                            Pixel* __restrict paint) {
  const int n = band.hi - band.lo;
  if (n <= 0) return;
  for (int k = 0; k < band.blocks; ++k) {
    const BlockColumns c = ColumnsOf(band, k);
    const Pixel keeps = drawn[k] ? drawnKeeps : static_cast<Pixel>(~Pixel{0}), paints = drawn[k] ? colour[k] : 0;
    Pixel* __restrict keepRun = keep + (c.begin - band.lo);
    Pixel* __restrict paintRun = paint + (c.begin - band.lo);
    for (int i = 0; i < c.end - c.begin; ++i) {
      keepRun[i] = keeps;
      paintRun[i] = paints;
    }
  }
  for (int j = 0; j < band.rows; ++j) {
    Pixel* __restrict run = first + j * band.pitch + band.lo;
    for (int i = 0; i < n; ++i) run[i] = static_cast<Pixel>((run[i] & keep[i]) | paint[i]);
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

template <typename Pixel>
void FillBaseline(Pixel* first, const MosaicBand& band, const Pixel* colour, const std::uint8_t* drawn,
                  Pixel drawnKeeps, Pixel* keep, Pixel* paint) {
  FillBody(first, band, colour, drawn, drawnKeeps, keep, paint);
}
template <typename Pixel>
[[gnu::target("avx2")]] void FillAvx2(Pixel* first, const MosaicBand& band, const Pixel* colour,
                                      const std::uint8_t* drawn, Pixel drawnKeeps, Pixel* keep, Pixel* paint) {
  FillBody(first, band, colour, drawn, drawnKeeps, keep, paint);
}

template <typename Pixel>
void FillBand(Pixel* first, const MosaicBand& band, const Pixel* colour, const std::uint8_t* drawn, Pixel drawnKeeps) {
  // Columns outside the band's blocks keep all their bits.
  const std::size_t n = static_cast<std::size_t>(std::max(band.hi - band.lo, 0));
  std::vector<Pixel> keep(n, static_cast<Pixel>(~Pixel{0})), paint(n);
  if (platform::Avx2Kernels()) {
    FillAvx2(first, band, colour, drawn, drawnKeeps, keep.data(), paint.data());
  } else {
    FillBaseline(first, band, colour, drawn, drawnKeeps, keep.data(), paint.data());
  }
}

// A 16-bit pixel's three channels on the 0..255 scale, 16 bits apart, with a count of one
// above them: a run's sums then add up in one 64-bit word, 256 pixels at a time (256 x 255
// stays below 2^16). Made once for each screen layout and kept.
const std::uint64_t* WidenedPixels(const DDPixelLayout& layout) {
  struct Cache {
    DDPixelLayout layout;
    std::vector<std::uint64_t> table;
  };
  thread_local Cache cache;
  if (!cache.table.empty() && cache.layout == layout) return cache.table.data();
  cache.layout = layout;
  cache.table.assign(65536, 0);
  const int shifts[3] = {layout.nRedShift, layout.nGreenShift, layout.nBlueShift};
  const int maxes[3] = {std::max(layout.nRedMax, 1), std::max(layout.nGreenMax, 1), std::max(layout.nBlueMax, 1)};
  for (unsigned p = 0; p < 65536; ++p) {
    std::uint64_t entry = std::uint64_t{1} << 48;
    for (int c = 0; c < 3; ++c) {
      const int max = maxes[c];
      const auto field = static_cast<int>((p >> shifts[c]) & (static_cast<unsigned>(max) & 63));
      entry |= static_cast<std::uint64_t>(std::min(field, max) * 255 / max) << (16 * c);
    }
    cache.table[p] = entry;
  }
  return cache.table.data();
}

[[gnu::always_inline]] inline void SumRun16(const WORD* run, int n, WORD key, bool keyed, const std::uint64_t* widened,
                                            ChannelSums& sums) {
  for (int chunk = 0; chunk < n; chunk += 256) {
    const int end = std::min(n, chunk + 256);
    std::uint64_t packed = 0;
    for (int i = chunk; i < end; ++i) packed += keyed && run[i] == key ? 0 : widened[run[i]];
    sums.red += static_cast<unsigned>(packed & 0xFFFF);
    sums.green += static_cast<unsigned>(packed >> 16 & 0xFFFF);
    sums.blue += static_cast<unsigned>(packed >> 32 & 0xFFFF);
    sums.count += static_cast<unsigned>(packed >> 48);
  }
}

void Sum16Baseline(const WORD* first, const MosaicBand& band, WORD key, bool keyed, const std::uint64_t* widened,
                   ChannelSums* sums) {
  for (int k = 0; k < band.blocks; ++k) {
    const BlockColumns c = ColumnsOf(band, k);
    if (c.begin >= c.end) continue;
    for (int j = 0; j < band.rows; ++j) {
      SumRun16(first + j * band.pitch + c.begin, c.end - c.begin, key, keyed, widened, sums[k]);
    }
  }
}

// The two 64-bit lanes added up.
[[gnu::target("avx2")]] inline unsigned HalfTotal(__m128i lanes) {
  return static_cast<unsigned>(_mm_cvtsi128_si64(_mm_add_epi64(lanes, _mm_unpackhi_epi64(lanes, lanes))));
}

// Eight pixels a step for the 5-6-5 (red at 11) and 1-5-5-5 (red at 10) layouts: key pixels are
// cleared and counted, each field is widened by its exact multiply-shift into a 16-bit lane and
// the lanes' low bytes are summed by SAD against zero.
template <bool Keyed, int RedShift>
[[gnu::target("avx2")]] void Sum16Avx2(const WORD* first, const MosaicBand& band, WORD key,
                                       const std::uint64_t* widened, ChannelSums* sums) {
  constexpr bool kSixBitGreen = RedShift == 11;
  const __m128i keys = _mm_set1_epi16(static_cast<short>(key)), zero = _mm_setzero_si128();
  const __m128i five = _mm_set1_epi16(31), greenMask = _mm_set1_epi16(kSixBitGreen ? 63 : 31);
  const __m128i widen5 = _mm_set1_epi16(1053), widen6 = _mm_set1_epi16(259), three = _mm_set1_epi16(3);
  for (int k = 0; k < band.blocks; ++k) {
    const BlockColumns c = ColumnsOf(band, k);
    if (c.begin >= c.end) continue;
    const int n = c.end - c.begin, whole = n & ~7;
    __m128i red = zero, green = zero, blue = zero;
    unsigned keysSeen = 0;
    for (int j = 0; j < band.rows; ++j) {
      const WORD* run = first + j * band.pitch + c.begin;
      for (int i = 0; i < whole; i += 8) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run + i));
        if constexpr (Keyed) {
          const __m128i isKey = _mm_cmpeq_epi16(v, keys);
          v = _mm_andnot_si128(isKey, v);
          keysSeen += static_cast<unsigned>(__builtin_popcount(_mm_movemask_epi8(isKey))) / 2;
        }
        const __m128i r = _mm_srli_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(v, RedShift), five), widen5), 7);
        const __m128i gf = _mm_and_si128(_mm_srli_epi16(v, 5), greenMask);
        const __m128i g = kSixBitGreen ? _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(gf, widen6), three), 6)
                                       : _mm_srli_epi16(_mm_mullo_epi16(gf, widen5), 7);
        const __m128i b = _mm_srli_epi16(_mm_mullo_epi16(_mm_and_si128(v, five), widen5), 7);
        red = _mm_add_epi64(red, _mm_sad_epu8(r, zero));
        green = _mm_add_epi64(green, _mm_sad_epu8(g, zero));
        blue = _mm_add_epi64(blue, _mm_sad_epu8(b, zero));
      }
      if (whole < n) SumRun16(run + whole, n - whole, key, Keyed, widened, sums[k]);
    }
    sums[k].red += HalfTotal(red);
    sums[k].green += HalfTotal(green);
    sums[k].blue += HalfTotal(blue);
    sums[k].count += static_cast<unsigned>(whole) * static_cast<unsigned>(band.rows) - keysSeen;
  }
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
  FillBand<DWORD>(first, band, colour, drawn, 0xFF000000u);
}

void SumBand16(const WORD* first, const MosaicBand& band, WORD key, bool keyed, const DDPixelLayout& layout,
               ChannelSums* sums) {
  const std::uint64_t* widened = WidenedPixels(layout);
  // The vector sums take 5-6-5 (red at 11) and 1-5-5-5 (red at 10).
  const int vector = !platform::Avx2Kernels() ? 0 : IsLayout565(layout) ? 11 : IsLayout555(layout) ? 10 : 0;
  if (vector == 11) {
    keyed ? Sum16Avx2<true, 11>(first, band, key, widened, sums)
          : Sum16Avx2<false, 11>(first, band, key, widened, sums);
  } else if (vector == 10) {
    keyed ? Sum16Avx2<true, 10>(first, band, key, widened, sums)
          : Sum16Avx2<false, 10>(first, band, key, widened, sums);
  } else {
    Sum16Baseline(first, band, key, keyed, widened, sums);
  }
}

void FillBand16(WORD* first, const MosaicBand& band, const WORD* colour, const std::uint8_t* drawn) {
  FillBand<WORD>(first, band, colour, drawn, 0);
}
