#include "gfx/blend_kernels.h"

#include <immintrin.h>

#include "gfx/pixel_layouts.h"
#include "platform/video/field_scale.h"
#include "platform/video/kernel_choice.h"

void BlendRow8(BYTE* __restrict t, const BYTE* __restrict s, int n, const BYTE* __restrict table, bool keyed) {
  for (int i = 0; i < n; ++i) {
    const unsigned sv = s[i], dv = t[i];
    const BYTE mixed = dv == 0 ? static_cast<BYTE>(sv) : table[dv * 256 + sv];
    t[i] = keyed && sv == 0 ? static_cast<BYTE>(dv) : mixed;
  }
}

void MakeBlend16Tables(Blend16Tables& tables, const DDPixelLayout& layout) {
  const std::int32_t shifts[3] = {layout.nRedShift, layout.nGreenShift, layout.nBlueShift};
  const std::int32_t masks[3] = {layout.nRedMax, layout.nGreenMax, layout.nBlueMax};
  for (int c = 0; c < 3; ++c) {
    const int mask = masks[c] > 0 && masks[c] < 64 ? masks[c] : 1;
    tables.shift[c] = static_cast<std::uint16_t>(shifts[c]);
    tables.mask[c] = static_cast<std::uint16_t>(mask);
    for (int v = 0; v < 64; ++v) tables.widen[c][v] = static_cast<BYTE>(v <= mask ? v * 255 / mask : 255);
    for (int v = 0; v < 256; ++v) tables.narrow[c][v] = static_cast<std::uint16_t>((v * mask / 255) << shifts[c]);
  }
}

namespace {

// Each mix as a plain loop; the baseline path runs it as it stands.
[[gnu::always_inline]] inline void Row16KeyBody(WORD* __restrict t, const WORD* __restrict s, int n,
                                                const Blend16Tables& tb, WORD key, bool keyed) {
  for (int i = 0; i < n; ++i) {
    const unsigned sv = s[i], dv = t[i];
    unsigned mixed = 0;
    for (int c = 0; c < 3; ++c) {
      const unsigned sc = tb.widen[c][(sv >> tb.shift[c]) & tb.mask[c]];
      const unsigned dc = tb.widen[c][(dv >> tb.shift[c]) & tb.mask[c]];
      mixed |= tb.narrow[c][(sc + dc) >> 1];
    }
    const unsigned out = dv == key ? sv : mixed;
    t[i] = static_cast<WORD>(keyed && sv == key ? dv : out);
  }
}

[[gnu::always_inline]] inline void Row32KeyBody(DWORD* __restrict t, const DWORD* __restrict s, int n, DWORD key,
                                                bool keyed) {
  for (int i = 0; i < n; ++i) {
    const DWORD sv = s[i], dv = t[i];
    // Halves of each byte, with the carry of the two low bits: (a + b) >> 1 per byte.
    const DWORD average = ((sv & 0xFEFEFE) >> 1) + ((dv & 0xFEFEFE) >> 1) + (sv & dv & 0x010101);
    const DWORD colour = dv == key ? (sv & 0xFFFFFF) : average;
    const DWORD out = (dv & 0xFF000000u) | colour;
    t[i] = keyed && sv == key ? dv : out;
  }
}

[[gnu::always_inline]] inline void Row32AlphaBody(DWORD* __restrict t, const DWORD* __restrict s, int n, bool keyed) {
  for (int i = 0; i < n; ++i) {
    const DWORD sv = s[i], dv = t[i];
    const DWORD average = ((sv & 0xFEFEFE) >> 1) + ((dv & 0xFEFEFE) >> 1) + (sv & dv & 0x010101);
    t[i] = keyed && (sv >> 24) == 0 ? dv : (0xFF000000u | average);
  }
}

[[gnu::always_inline]] inline void Row16TextureBody(WORD* __restrict t, const WORD* __restrict s, int n,
                                                    const DDPixelLayout& tex, bool keyed) {
  const unsigned rs = tex.nRedShift, gs = tex.nGreenShift, bs = tex.nBlueShift;
  const unsigned rm = tex.nRedMax, gm = tex.nGreenMax, bm = tex.nBlueMax;
  const unsigned alpha = (static_cast<unsigned>(tex.nAlphaMax) & 1) << tex.nAlphaShift;
  for (int i = 0; i < n; ++i) {
    const unsigned sv = s[i], dv = t[i];
    const unsigned r = ((((sv >> rs) & rm) + ((dv >> rs) & rm)) >> 1) & rm;
    const unsigned g = ((((sv >> gs) & gm) + ((dv >> gs) & gm)) >> 1) & gm;
    const unsigned b = ((((sv >> bs) & bm) + ((dv >> bs) & bm)) >> 1) & bm;
    const unsigned out = r << rs | g << gs | b << bs | alpha;
    t[i] = static_cast<WORD>(keyed && (sv & 0xA000) == 0 ? dv : out);
  }
}

[[gnu::always_inline]] inline void Row16BackBody(WORD* __restrict t, const WORD* __restrict s, int n,
                                                 const DDPixelLayout& tex, const DDPixelLayout& back, bool keyed) {
  const unsigned trs = tex.nRedShift, tgs = tex.nGreenShift, tbs = tex.nBlueShift;
  const unsigned trm = tex.nRedMax, tgm = tex.nGreenMax, tbm = tex.nBlueMax;
  const unsigned brs = back.nRedShift, bgs = back.nGreenShift, bbs = back.nBlueShift;
  const unsigned brm = back.nRedMax, bgm = back.nGreenMax, bbm = back.nBlueMax;
  for (int i = 0; i < n; ++i) {
    const unsigned sv = s[i], dv = t[i];
    const unsigned r = (((sv >> trs) & trm) + ((dv >> brs) & brm)) >> 1;
    const unsigned g = (((dv >> bgs) & bgm) + 2 * ((sv >> tgs) & tgm)) >> 1;
    const unsigned b = (((sv >> tbs) & tbm) + ((dv >> bbs) & bbm)) >> 1;
    const unsigned out = r << brs | g << bgs | b << bbs;
    t[i] = static_cast<WORD>(keyed && (sv & 0xA000) == 0 ? dv : out);
  }
}

[[gnu::always_inline]] inline void Row16Key565Body(WORD* __restrict t, const WORD* __restrict s, int n, WORD key,
                                                   bool keyed) {
  for (int i = 0; i < n; ++i) {
    // The divisions' multiply-shifts, in 16-bit lanes.
    using platform::Narrow5, platform::Narrow6, platform::Widen5, platform::Widen6;
    const std::uint16_t sv = s[i], dv = t[i];
    const std::uint16_t r = Narrow5(static_cast<std::uint16_t>(
        (Widen5(static_cast<std::uint16_t>(sv >> 11)) + Widen5(static_cast<std::uint16_t>(dv >> 11))) >> 1));
    const std::uint16_t g = Narrow6(static_cast<std::uint16_t>(
        (Widen6(static_cast<std::uint16_t>((sv >> 5) & 63)) + Widen6(static_cast<std::uint16_t>((dv >> 5) & 63))) >> 1));
    const std::uint16_t b = Narrow5(static_cast<std::uint16_t>(
        (Widen5(static_cast<std::uint16_t>(sv & 31)) + Widen5(static_cast<std::uint16_t>(dv & 31))) >> 1));
    const auto mixed = static_cast<std::uint16_t>(r << 11 | g << 5 | b);
    const std::uint16_t out = dv == key ? sv : mixed;
    t[i] = keyed && sv == key ? dv : out;
  }
}

// Bytewise (a + b) >> 1: the rounded-up average less the low bit in which the two differ.
[[gnu::target("avx2")]] inline __m256i FloorAverage(__m256i a, __m256i b) {
  return _mm256_sub_epi8(_mm256_avg_epu8(a, b), _mm256_and_si256(_mm256_xor_si256(a, b), _mm256_set1_epi8(1)));
}

// The 32-bit mixes, eight pixels a step; the rest of a row goes through the plain loop.
[[gnu::target("avx2")]] void Row32KeyAvx2(DWORD* __restrict t, const DWORD* __restrict s, int n, DWORD key,
                                          bool keyed) {
  const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
  const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + i));
    const __m256i colour = _mm256_blendv_epi8(FloorAverage(sv, dv), sv, _mm256_cmpeq_epi32(dv, keys));
    __m256i out = _mm256_blendv_epi8(colour, dv, alphaBytes);
    if (keyed) out = _mm256_blendv_epi8(out, dv, _mm256_cmpeq_epi32(sv, keys));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(t + i), out);
  }
  Row32KeyBody(t + i, s + i, n - i, key, keyed);
}

[[gnu::target("avx2")]] void Row32AlphaAvx2(DWORD* __restrict t, const DWORD* __restrict s, int n, bool keyed) {
  const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + i));
    __m256i out = _mm256_or_si256(FloorAverage(sv, dv), alphaBytes);
    if (keyed) {
      const __m256i clear = _mm256_cmpeq_epi32(_mm256_srli_epi32(sv, 24), _mm256_setzero_si256());
      out = _mm256_blendv_epi8(out, dv, clear);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(t + i), out);
  }
  Row32AlphaBody(t + i, s + i, n - i, keyed);
}

// Sixteen 5-6-5 pixels a step. The fields are widened by field_scale.h's multiply-shifts and the
// halved sums narrowed by high-half multiplies: c * 249 >> 11 is c * 7968 >> 16, and green's
// c * 253 >> 10, put at bit 5, is c * 253 >> 5 with the other bits cleared.
[[gnu::target("avx2")]] void Row16Key565Avx2(WORD* __restrict t, const WORD* __restrict s, int n, WORD key,
                                             bool keyed) {
  const __m256i keys = _mm256_set1_epi16(static_cast<short>(key));
  const __m256i widen5 = _mm256_set1_epi16(1053), widen6 = _mm256_set1_epi16(259), three = _mm256_set1_epi16(3);
  const __m256i five = _mm256_set1_epi16(31), six = _mm256_set1_epi16(63);
  const __m256i narrow5 = _mm256_set1_epi16(7968), narrow6 = _mm256_set1_epi16(253);
  const __m256i greenField = _mm256_set1_epi16(0x07E0);
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + i));
    const __m256i rs = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(sv, 11), widen5), 7);
    const __m256i rd = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(dv, 11), widen5), 7);
    const __m256i gs = _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi16(sv, 5), six), widen6), three), 6);
    const __m256i gd = _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi16(dv, 5), six), widen6), three), 6);
    const __m256i bs = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_and_si256(sv, five), widen5), 7);
    const __m256i bd = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_and_si256(dv, five), widen5), 7);
    const __m256i r = _mm256_mulhi_epu16(_mm256_srli_epi16(_mm256_add_epi16(rs, rd), 1), narrow5);
    const __m256i g = _mm256_and_si256(
        _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(_mm256_add_epi16(gs, gd), 1), narrow6), 5), greenField);
    const __m256i b = _mm256_mulhi_epu16(_mm256_srli_epi16(_mm256_add_epi16(bs, bd), 1), narrow5);
    const __m256i mixed = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(r, 11), g), b);
    __m256i out = _mm256_blendv_epi8(mixed, sv, _mm256_cmpeq_epi16(dv, keys));
    if (keyed) out = _mm256_blendv_epi8(out, dv, _mm256_cmpeq_epi16(sv, keys));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(t + i), out);
  }
  Row16Key565Body(t + i, s + i, n - i, key, keyed);
}
// The other 16-bit mixes are the plain loops, compiled a second time for AVX2's wider lanes.
[[gnu::target("avx2")]] void Row16TextureAvx2(WORD* __restrict t, const WORD* __restrict s, int n,
                                              const DDPixelLayout& tex, bool keyed) {
  Row16TextureBody(t, s, n, tex, keyed);
}
[[gnu::target("avx2")]] void Row16BackAvx2(WORD* __restrict t, const WORD* __restrict s, int n,
                                           const DDPixelLayout& tex, const DDPixelLayout& back, bool keyed) {
  Row16BackBody(t, s, n, tex, back, keyed);
}

// The usual pair, a 1-5-5-5 texture over a 5-6-5 back buffer, sixteen pixels a step: green's
// (back + 2 * texture) >> 1 is the texture's field plus the back buffer's halved.
[[gnu::target("avx2")]] void Row1555Over565Avx2(WORD* __restrict t, const WORD* __restrict s, int n,
                                                const DDPixelLayout& tex, const DDPixelLayout& back, bool keyed) {
  const __m256i five = _mm256_set1_epi16(31), shown = _mm256_set1_epi16(static_cast<short>(0xA000));
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + i));
    const __m256i r = _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_and_si256(_mm256_srli_epi16(sv, 10), five), _mm256_srli_epi16(dv, 11)), 1);
    const __m256i g = _mm256_add_epi16(_mm256_and_si256(_mm256_srli_epi16(sv, 5), five),
                                       _mm256_and_si256(_mm256_srli_epi16(dv, 6), five));
    const __m256i b = _mm256_srli_epi16(_mm256_add_epi16(_mm256_and_si256(sv, five), _mm256_and_si256(dv, five)), 1);
    __m256i out = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(r, 11), _mm256_slli_epi16(g, 5)), b);
    if (keyed) {
      const __m256i hidden = _mm256_cmpeq_epi16(_mm256_and_si256(sv, shown), _mm256_setzero_si256());
      out = _mm256_blendv_epi8(out, dv, hidden);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(t + i), out);
  }
  Row16BackBody(t + i, s + i, n - i, tex, back, keyed);
}

}  // namespace

void BlendRow16Key(WORD* __restrict t, const WORD* __restrict s, int n, const Blend16Tables& tables, WORD key,
                   bool keyed) {
  Row16KeyBody(t, s, n, tables, key, keyed);
}

void BlendRow16Key565(WORD* __restrict t, const WORD* __restrict s, int n, WORD key, bool keyed) {
  if (platform::Avx2Kernels()) {
    Row16Key565Avx2(t, s, n, key, keyed);
  } else {
    Row16Key565Body(t, s, n, key, keyed);
  }
}

void BlendRow32Key(DWORD* __restrict t, const DWORD* __restrict s, int n, DWORD key, bool keyed) {
  if (platform::Avx2Kernels()) {
    Row32KeyAvx2(t, s, n, key, keyed);
  } else {
    Row32KeyBody(t, s, n, key, keyed);
  }
}

void BlendRow32Alpha(DWORD* __restrict t, const DWORD* __restrict s, int n, bool keyed) {
  if (platform::Avx2Kernels()) {
    Row32AlphaAvx2(t, s, n, keyed);
  } else {
    Row32AlphaBody(t, s, n, keyed);
  }
}

void BlendRow16Texture(WORD* __restrict t, const WORD* __restrict s, int n, const DDPixelLayout& tex, bool keyed) {
  if (platform::Avx2Kernels()) {
    Row16TextureAvx2(t, s, n, tex, keyed);
  } else {
    Row16TextureBody(t, s, n, tex, keyed);
  }
}

void BlendRow16Back(WORD* __restrict t, const WORD* __restrict s, int n, const DDPixelLayout& tex,
                    const DDPixelLayout& back, bool keyed) {
  if (platform::Avx2Kernels() && IsLayout555(tex) && IsLayout565(back)) {
    Row1555Over565Avx2(t, s, n, tex, back, keyed);
  } else if (platform::Avx2Kernels()) {
    Row16BackAvx2(t, s, n, tex, back, keyed);
  } else {
    Row16BackBody(t, s, n, tex, back, keyed);
  }
}
