#include "gfx/tint_kernels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gfx/field_lookup.h"
#include "platform/video/kernel_choice.h"

int HalveToward(int c, int tint, int steps) {
  // Past eight steps a channel no longer moves: it has reached the tint, or one below it.
  for (int k = 0; k < std::min(steps, 16); ++k) c = (c + tint) >> 1;
  return c;
}

namespace {

// k halvings of c toward t are (c + (2^k - 1) t) >> k, since halving a floor is the floor of the
// quarter; from k = 8 on the result stays where it is, so k is at most 8 and each channel fits
// in 16 bits.
[[gnu::always_inline]] inline void HalvingBody(DWORD* __restrict d, const DWORD* __restrict s, int n,
                                               const TintHalving& h, DWORD key, bool keyed) {
  const unsigned k = static_cast<unsigned>(std::clamp(h.steps, 0, 8));
  const unsigned pull = (1u << k) - 1;
  const unsigned r = pull * h.tint[0], g = pull * h.tint[1], b = pull * h.tint[2];
  for (int i = 0; i < n; ++i) {
    const DWORD sv = s[i], dv = d[i];
    const DWORD px = (dv & 0xFF000000u) | ((((sv >> 16) & 0xFF) + r) >> k) << 16 |
                     ((((sv >> 8) & 0xFF) + g) >> k) << 8 | (((sv & 0xFF) + b) >> k);
    d[i] = keyed && sv == key ? dv : px;
  }
}

[[gnu::always_inline]] inline void WeightedBody(DWORD* __restrict d, const DWORD* __restrict s, int n,
                                                const TintWeights& w, bool keyed) {
  if (w.half) {
    const DWORD r = static_cast<DWORD>(w.tint[0]), g = static_cast<DWORD>(w.tint[1]), b = static_cast<DWORD>(w.tint[2]);
    for (int i = 0; i < n; ++i) {
      const DWORD sv = s[i];
      const DWORD px = 0xFF000000u | ((((sv >> 16) & 0xFF) + r) >> 1) << 16 | ((((sv >> 8) & 0xFF) + g) >> 1) << 8 |
                       (((sv & 0xFF) + b) >> 1);
      d[i] = keyed && (sv >> 24) == 0 ? d[i] : px;
    }
    return;
  }
  const float a = w.weight, rr = w.rest[0], rg = w.rest[1], rb = w.rest[2];
  // Truncating a non-negative float to an integer is what std::trunc and the cast both give.
  const auto channel = [a](DWORD c, float rest) {
    return static_cast<DWORD>(static_cast<int>(static_cast<float>(static_cast<int>(c)) * a + rest));
  };
  for (int i = 0; i < n; ++i) {
    const DWORD sv = s[i];
    const DWORD px = 0xFF000000u | channel((sv >> 16) & 0xFF, rr) << 16 | channel((sv >> 8) & 0xFF, rg) << 8 |
                     channel(sv & 0xFF, rb);
    d[i] = keyed && (sv >> 24) == 0 ? d[i] : px;
  }
}

// The masks are cut to the tables' 64 entries once, and the key test is chosen once a row.
template <bool Keyed>
[[gnu::always_inline]] inline void MapLoop(WORD* __restrict d, const WORD* __restrict s, int n, const FieldMap16& m) {
  const unsigned s0 = static_cast<unsigned>(m.shift[0]), s1 = static_cast<unsigned>(m.shift[1]),
                 s2 = static_cast<unsigned>(m.shift[2]);
  const unsigned m0 = m.mask[0] & 63, m1 = m.mask[1] & 63, m2 = m.mask[2] & 63;
  const WORD* __restrict w0 = m.word[0];
  const WORD* __restrict w1 = m.word[1];
  const WORD* __restrict w2 = m.word[2];
  const unsigned constant = m.constant, keyMask = m.keyMask, keyValue = m.keyValue;
  for (int i = 0; i < n; ++i) {
    const unsigned sv = s[i];
    if (Keyed && (sv & keyMask) == keyValue) continue;
    d[i] = static_cast<WORD>(constant | w0[(sv >> s0) & m0] | w1[(sv >> s1) & m1] | w2[(sv >> s2) & m2]);
  }
}
[[gnu::always_inline]] inline void MapBody(WORD* __restrict d, const WORD* __restrict s, int n, const FieldMap16& m,
                                           bool keyed) {
  if (keyed) {
    MapLoop<true>(d, s, n, m);
  } else {
    MapLoop<false>(d, s, n, m);
  }
}

// Each field's word comes from two byte lookups, its low and its high byte.
[[gnu::target("avx2")]] void MapAvx2(WORD* __restrict d, const WORD* __restrict s, int n, const FieldMap16& m,
                                     const std::uint8_t (&lowTables)[3][64], const std::uint8_t (&highTables)[3][64],
                                     bool keyed) {
  FieldTable low[3], high[3];
  __m128i shift[3];
  __m256i mask[3];
  bool sixBits[3];
  for (int c = 0; c < 3; ++c) {
    low[c] = LoadFieldTable(lowTables[c]);
    high[c] = LoadFieldTable(highTables[c]);
    shift[c] = _mm_cvtsi32_si128(m.shift[c]);
    mask[c] = _mm256_set1_epi16(static_cast<short>(m.mask[c]));
    sixBits[c] = m.mask[c] > 31;
  }
  const __m256i lowByte = _mm256_set1_epi16(0xFF);
  const __m256i constant = _mm256_set1_epi16(static_cast<short>(m.constant));
  const __m256i keyMask = _mm256_set1_epi16(static_cast<short>(m.keyMask));
  const __m256i keyValue = _mm256_set1_epi16(static_cast<short>(m.keyValue));
  // The second vector's fields go to the high bytes: shifted up or down to bit 8.
  __m128i pairShift[3];
  bool pairUp[3];
  for (int c = 0; c < 3; ++c) {
    pairUp[c] = m.shift[c] <= 8;
    pairShift[c] = _mm_cvtsi32_si128(pairUp[c] ? 8 - m.shift[c] : m.shift[c] - 8);
  }
  const __m256i highBytes = _mm256_set1_epi16(static_cast<short>(0xFF00));
  int i = 0;
  // Thirty-two pixels a step: the fields of the first vector in the low bytes and those of the
  // second in the high bytes, so that each lookup serves both.
  for (; i + 32 <= n; i += 32) {
    const __m256i s0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    const __m256i s1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 16));
    __m256i out0 = constant, out1 = constant;
    for (int c = 0; c < 3; ++c) {
      const __m256i first = _mm256_srl_epi16(s0, shift[c]);
      const __m256i second = pairUp[c] ? _mm256_sll_epi16(s1, pairShift[c]) : _mm256_srl_epi16(s1, pairShift[c]);
      const __m256i bothMasks = _mm256_or_si256(mask[c], _mm256_slli_epi16(mask[c], 8));
      const __m256i fields = _mm256_and_si256(_mm256_blendv_epi8(first, second, highBytes), bothMasks);
      const __m256i lows = LookUpField(low[c], fields, sixBits[c]);
      const __m256i highs = LookUpField(high[c], fields, sixBits[c]);
      out0 = _mm256_or_si256(out0, _mm256_or_si256(_mm256_and_si256(lows, lowByte), _mm256_slli_epi16(highs, 8)));
      out1 = _mm256_or_si256(out1, _mm256_or_si256(_mm256_srli_epi16(lows, 8), _mm256_and_si256(highs, highBytes)));
    }
    if (keyed) {
      const __m256i d0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i));
      const __m256i d1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i + 16));
      out0 = _mm256_blendv_epi8(out0, d0, _mm256_cmpeq_epi16(_mm256_and_si256(s0, keyMask), keyValue));
      out1 = _mm256_blendv_epi8(out1, d1, _mm256_cmpeq_epi16(_mm256_and_si256(s1, keyMask), keyValue));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), out0);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i + 16), out1);
  }
  for (; i + 16 <= n; i += 16) {
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    __m256i out = constant;
    for (int c = 0; c < 3; ++c) {
      const __m256i fields = _mm256_and_si256(_mm256_srl_epi16(sv, shift[c]), mask[c]);
      const __m256i lowPart = _mm256_and_si256(LookUpField(low[c], fields, sixBits[c]), lowByte);
      const __m256i highPart = _mm256_slli_epi16(LookUpField(high[c], fields, sixBits[c]), 8);
      out = _mm256_or_si256(out, _mm256_or_si256(lowPart, highPart));
    }
    if (keyed) {
      const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i));
      out = _mm256_blendv_epi8(out, dv, _mm256_cmpeq_epi16(_mm256_and_si256(sv, keyMask), keyValue));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), out);
  }
  MapBody(d + i, s + i, n - i, m, keyed);
}

[[gnu::target("avx2")]] void HalvingAvx2(DWORD* __restrict d, const DWORD* __restrict s, int n, const TintHalving& h,
                                         DWORD key, bool keyed) {
  HalvingBody(d, s, n, h, key, keyed);
}
[[gnu::target("avx2")]] void WeightedAvx2(DWORD* __restrict d, const DWORD* __restrict s, int n, const TintWeights& w,
                                          bool keyed) {
  WeightedBody(d, s, n, w, keyed);
}

}  // namespace

void TintRow32Halving(DWORD* __restrict d, const DWORD* __restrict s, int n, const TintHalving& h, DWORD key,
                      bool keyed) {
  if (platform::Avx2Kernels()) {
    HalvingAvx2(d, s, n, h, key, keyed);
  } else {
    HalvingBody(d, s, n, h, key, keyed);
  }
}

FieldMapRows16::FieldMapRows16(const FieldMap16& map)
    : map_(map), vector_(platform::Avx2Kernels() && map.mask[0] < 64 && map.mask[1] < 64 && map.mask[2] < 64) {
  for (int c = 0; c < 3; ++c) {
    for (int f = 0; f < 64; ++f) {
      low_[c][f] = static_cast<std::uint8_t>(map.word[c][f] & 0xFF);
      high_[c][f] = static_cast<std::uint8_t>(map.word[c][f] >> 8);
    }
  }
}

void FieldMapRows16::Map(WORD* __restrict d, const WORD* __restrict s, int n, bool keyed) const {
  if (vector_) {
    MapAvx2(d, s, n, map_, low_, high_, keyed);
  } else {
    MapBody(d, s, n, map_, keyed);
  }
}

void TintRow32Weighted(DWORD* __restrict d, const DWORD* __restrict s, int n, const TintWeights& w, bool keyed) {
  if (platform::Avx2Kernels()) {
    WeightedAvx2(d, s, n, w, keyed);
  } else {
    WeightedBody(d, s, n, w, keyed);
  }
}
