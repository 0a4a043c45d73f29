#include "gfx/fade_rows.h"

#include <immintrin.h>

#include <algorithm>

#include "gfx/dd_state.h"
#include "gfx/field_lookup.h"
#include "gfx/pixel_layouts.h"
#include "platform/video/field_scale.h"
#include "platform/video/kernel_choice.h"

namespace {

template <typename Pixel, typename Mix>
[[gnu::always_inline]] inline void FadeRowsBody(const cSurfaceLock& dst, const cSurfaceLock& src, Mix mix) {
  const int w = dst.m_lpSD->nWidth, h = dst.m_lpSD->nHeight;
  const int sw = src.m_lpSD->nWidth, sh = src.m_lpSD->nHeight;
  const int count = std::min(w, sw);
  for (int y = 0; y < h && y < sh; ++y) {
    Pixel* __restrict to =
        reinterpret_cast<Pixel*>(dst.m_lpBits + static_cast<std::ptrdiff_t>(y) * dst.m_nPitch * sizeof(Pixel));
    const Pixel* __restrict from =
        reinterpret_cast<const Pixel*>(src.m_lpBits + static_cast<std::ptrdiff_t>(y) * src.m_nPitch * sizeof(Pixel));
    for (int x = 0; x < count; ++x) to[x] = mix(from[x]);
  }
}

// The fades of the two 16-bit screen layouts and of 32 bits, each compiled for baseline x86-64
// and for AVX2. Channels are widened and narrowed by the multiply-shifts of field_scale.h,
// which give what the divisions of the general fade (colour_fade.cpp) give.
struct FadeTerms {
  int weight;
  std::uint32_t red, green, blue;  // the colour bytes times (256 - weight)
};

// (c * weight + term) >> 8 in 16-bit lanes: c * weight (at most 255 x 256) fits, the sum may
// not, so the term's high and low bytes are added apart and the low bytes' carry kept.
struct Term16 {
  std::uint16_t high, low;
};
[[gnu::always_inline]] inline std::uint16_t Mix16(std::uint16_t c, std::uint16_t weight, Term16 t) {
  const auto product = static_cast<std::uint16_t>(c * weight);
  return static_cast<std::uint16_t>((product >> 8) + t.high + (((product & 0xFFu) + t.low) >> 8));
}

// One channel's faded field: widened, mixed, narrowed.
[[gnu::always_inline]] inline std::uint16_t FadeField16(std::uint16_t field, bool sixBits, std::uint16_t weight,
                                                        Term16 t) {
  using platform::Narrow5, platform::Narrow6, platform::Widen5, platform::Widen6;
  return sixBits ? Narrow6(Mix16(Widen6(field), weight, t)) : Narrow5(Mix16(Widen5(field), weight, t));
}

Term16 SplitTerm(std::uint32_t term) {
  return Term16{static_cast<std::uint16_t>(term >> 8), static_cast<std::uint16_t>(term & 0xFFu)};
}

template <int RedShift, bool SixBitGreen>
[[gnu::always_inline]] inline void Fade16Body(const cSurfaceLock& dst, const cSurfaceLock& src, const FadeTerms& t) {
  const auto weight = static_cast<std::uint16_t>(t.weight);
  const auto split = [](std::uint32_t term) {
    return Term16{static_cast<std::uint16_t>(term >> 8), static_cast<std::uint16_t>(term & 0xFFu)};
  };
  const Term16 rt = split(t.red), gt = split(t.green), bt = split(t.blue);
  FadeRowsBody<std::uint16_t>(dst, src, [=](std::uint16_t s) {
    using platform::Narrow5, platform::Narrow6, platform::Widen5, platform::Widen6;
    const std::uint16_t r = Narrow5(Mix16(Widen5(static_cast<std::uint16_t>(s >> RedShift & 31u)), weight, rt));
    const std::uint16_t g = SixBitGreen ? Narrow6(Mix16(Widen6(static_cast<std::uint16_t>(s >> 5 & 63u)), weight, gt))
                                        : Narrow5(Mix16(Widen5(static_cast<std::uint16_t>(s >> 5 & 31u)), weight, gt));
    const std::uint16_t b = Narrow5(Mix16(Widen5(static_cast<std::uint16_t>(s & 31u)), weight, bt));
    return static_cast<std::uint16_t>(r << RedShift | g << 5 | b);
  });
}

[[gnu::always_inline]] inline void Fade32Body(const cSurfaceLock& dst, const cSurfaceLock& src, const FadeTerms& t) {
  const std::uint32_t weight = static_cast<std::uint32_t>(t.weight), rt = t.red, gt = t.green, bt = t.blue;
  FadeRowsBody<std::uint32_t>(dst, src, [=](std::uint32_t s) {
    const std::uint32_t r = ((s >> 16 & 0xFFu) * weight + rt) >> 8;
    const std::uint32_t g = ((s >> 8 & 0xFFu) * weight + gt) >> 8;
    const std::uint32_t b = ((s & 0xFFu) * weight + bt) >> 8;
    return (s & 0xFF000000u) | r << 16 | g << 8 | b;
  });
}

enum class FadeKind { Rgb565, Rgb555, Xrgb8888 };

template <FadeKind Kind>
[[gnu::always_inline]] inline void FadeBody(const cSurfaceLock& dst, const cSurfaceLock& src, const FadeTerms& t) {
  if constexpr (Kind == FadeKind::Rgb565) Fade16Body<11, true>(dst, src, t);
  if constexpr (Kind == FadeKind::Rgb555) Fade16Body<10, false>(dst, src, t);
  if constexpr (Kind == FadeKind::Xrgb8888) Fade32Body(dst, src, t);
}
template <FadeKind Kind>
void FadeBaseline(const cSurfaceLock& dst, const cSurfaceLock& src, const FadeTerms& t) {
  FadeBody<Kind>(dst, src, t);
}
// With AVX2 a 16-bit fade looks each field up: a channel's faded field depends on its own field
// only, so a call makes a table of 32 or 64 bytes per channel (FadeField16, the same values the
// arithmetic gives) and rows are read through byte shuffles, 32 or 16 pixels at a time.
[[gnu::target("avx2")]] FieldTable MakeFieldTable(bool sixBits, std::uint16_t weight, Term16 t) {
  std::uint8_t entries[64] = {};
  for (int f = 0; f < (sixBits ? 64 : 32); ++f) {
    entries[f] = static_cast<std::uint8_t>(FadeField16(static_cast<std::uint16_t>(f), sixBits, weight, t));
  }
  return LoadFieldTable(entries);
}

// One channel's fields of two vectors of pixels, those of the first in the low bytes of the
// 16-bit lanes and those of the second in the high bytes, so that each lookup serves 32 pixels.
// A field whose byte's bit 7 lies past the pixel needs no mask (see LookUpField).
template <int Shift, int Bits>
[[gnu::target("avx2")]] inline __m256i PairFields(__m256i first, __m256i second) {
  constexpr int kMask = (1 << Bits) - 1;
  const __m256i low = _mm256_srli_epi16(first, Shift);
  const __m256i high = Shift <= 8 ? _mm256_slli_epi16(second, 8 - Shift) : _mm256_srli_epi16(second, Shift - 8);
  const __m256i merged = _mm256_blendv_epi8(low, high, _mm256_set1_epi16(static_cast<short>(0xFF00)));
  if constexpr (Shift + 7 >= 16) return merged;
  return _mm256_and_si256(merged, _mm256_set1_epi16(static_cast<short>(kMask << 8 | kMask)));
}

// A channel's looked-up fields of a pair back at their place in the first and the second vector.
template <int Shift, int Bits>
[[gnu::target("avx2")]] inline __m256i FirstOfPair(__m256i fields) {
  const __m256i placed = _mm256_slli_epi16(fields, Shift);
  if constexpr (Shift + Bits == 16) return placed;  // the high byte went out of the lane
  return _mm256_and_si256(placed, _mm256_set1_epi16(((1 << Bits) - 1) << Shift));
}
template <int Shift, int Bits>
[[gnu::target("avx2")]] inline __m256i SecondOfPair(__m256i fields) {
  if constexpr (Shift == 8) return _mm256_and_si256(fields, _mm256_set1_epi16(static_cast<short>(0xFF00)));
  const __m256i placed = Shift < 8 ? _mm256_srli_epi16(fields, 8 - Shift) : _mm256_slli_epi16(fields, Shift - 8);
  if constexpr (Shift == 0) return placed;  // the low byte went out of the lane
  return _mm256_and_si256(placed, _mm256_set1_epi16(static_cast<short>(((1 << Bits) - 1) << Shift)));
}

template <int RedShift, bool SixBitGreen>
[[gnu::target("avx2")]] void Fade16Avx2(const cSurfaceLock& dst, const cSurfaceLock& src, const FadeTerms& t) {
  const auto weight = static_cast<std::uint16_t>(t.weight);
  const Term16 rt = SplitTerm(t.red), gt = SplitTerm(t.green), bt = SplitTerm(t.blue);
  const FieldTable red = MakeFieldTable(false, weight, rt);
  const FieldTable green = MakeFieldTable(SixBitGreen, weight, gt);
  const FieldTable blue = MakeFieldTable(false, weight, bt);
  const __m256i five = _mm256_set1_epi16(31), six = _mm256_set1_epi16(SixBitGreen ? 63 : 31);
  const int count = std::min(dst.m_lpSD->nWidth, src.m_lpSD->nWidth);
  const int rows = std::min(dst.m_lpSD->nHeight, src.m_lpSD->nHeight);
  for (int y = 0; y < rows; ++y) {
    auto* to = reinterpret_cast<std::uint16_t*>(dst.m_lpBits + static_cast<std::ptrdiff_t>(y) * dst.m_nPitch * 2);
    const auto* from =
        reinterpret_cast<const std::uint16_t*>(src.m_lpBits + static_cast<std::ptrdiff_t>(y) * src.m_nPitch * 2);
    constexpr int kGreenBits = SixBitGreen ? 6 : 5;
    int x = 0;
    for (; x + 32 <= count; x += 32) {
      const __m256i v0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + x));
      const __m256i v1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + x + 16));
      const __m256i r = LookUpField(red, PairFields<RedShift, 5>(v0, v1), false);
      const __m256i g = LookUpField(green, PairFields<5, kGreenBits>(v0, v1), SixBitGreen);
      const __m256i b = LookUpField(blue, PairFields<0, 5>(v0, v1), false);
      const __m256i out0 = _mm256_or_si256(_mm256_or_si256(FirstOfPair<RedShift, 5>(r), FirstOfPair<5, kGreenBits>(g)),
                                           FirstOfPair<0, 5>(b));
      const __m256i out1 = _mm256_or_si256(
          _mm256_or_si256(SecondOfPair<RedShift, 5>(r), SecondOfPair<5, kGreenBits>(g)), SecondOfPair<0, 5>(b));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x), out0);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x + 16), out1);
    }
    for (; x + 16 <= count; x += 16) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + x));
      const __m256i lowByte = _mm256_set1_epi16(0xFF);
      const __m256i r =
          _mm256_and_si256(LookUpField(red, _mm256_and_si256(_mm256_srli_epi16(v, RedShift), five), false), lowByte);
      const __m256i g =
          _mm256_and_si256(LookUpField(green, _mm256_and_si256(_mm256_srli_epi16(v, 5), six), SixBitGreen), lowByte);
      const __m256i b = _mm256_and_si256(LookUpField(blue, _mm256_and_si256(v, five), false), lowByte);
      const __m256i out = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(r, RedShift), _mm256_slli_epi16(g, 5)), b);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x), out);
    }
    for (; x < count; ++x) {
      const std::uint16_t s = from[x];
      to[x] = static_cast<std::uint16_t>(
          FadeField16(static_cast<std::uint16_t>(s >> RedShift & 31u), false, weight, rt) << RedShift |
          FadeField16(static_cast<std::uint16_t>(s >> 5 & (SixBitGreen ? 63u : 31u)), SixBitGreen, weight, gt) << 5 |
          FadeField16(static_cast<std::uint16_t>(s & 31u), false, weight, bt));
    }
  }
}

template <FadeKind Kind>
[[gnu::target("avx2")]] void FadeAvx2(const cSurfaceLock& dst, const cSurfaceLock& src, const FadeTerms& t) {
  if constexpr (Kind == FadeKind::Rgb565) {
    Fade16Avx2<11, true>(dst, src, t);
  } else if constexpr (Kind == FadeKind::Rgb555) {
    Fade16Avx2<10, false>(dst, src, t);
  } else {
    FadeBody<Kind>(dst, src, t);
  }
}
template <FadeKind Kind>
void Fade(const cSurfaceLock& dst, const cSurfaceLock& src, const FadeTerms& t) {
  if (platform::Avx2Kernels()) {
    FadeAvx2<Kind>(dst, src, t);
  } else {
    FadeBaseline<Kind>(dst, src, t);
  }
}

}  // namespace

bool DDFadeFast(const cSurfaceLock& dst, const cSurfaceLock& src, int nWeight, BYTE cbRed, BYTE cbGreen, BYTE cbBlue) {
  // Weights of 0 to 256 keep every mixed channel within 0..255.
  if (nWeight < 0 || nWeight > 256) return false;
  const int rest = 256 - nWeight;
  const FadeTerms terms{nWeight, static_cast<std::uint32_t>(cbRed * rest), static_cast<std::uint32_t>(cbGreen * rest),
                        static_cast<std::uint32_t>(cbBlue * rest)};
  if (DDBpp == 16 && IsLayout565(DDPixelFormat)) {
    Fade<FadeKind::Rgb565>(dst, src, terms);
  } else if (DDBpp == 16 && IsLayout555(DDPixelFormat)) {
    Fade<FadeKind::Rgb555>(dst, src, terms);
  } else if (DDBpp == 32) {
    Fade<FadeKind::Xrgb8888>(dst, src, terms);
  } else {
    return false;
  }
  return true;
}
