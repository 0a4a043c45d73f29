#include "gfx/tint_kernels.h"

#include <algorithm>
#include <cmath>

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
    const DWORD px = (dv & 0xFF000000u) | ((((sv >> 16) & 0xFF) + r) >> k) << 16 | ((((sv >> 8) & 0xFF) + g) >> k) << 8 |
                     (((sv & 0xFF) + b) >> k);
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

void TintRow32Weighted(DWORD* __restrict d, const DWORD* __restrict s, int n, const TintWeights& w, bool keyed) {
  if (platform::Avx2Kernels()) {
    WeightedAvx2(d, s, n, w, keyed);
  } else {
    WeightedBody(d, s, n, w, keyed);
  }
}
