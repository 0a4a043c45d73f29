#pragma once

#include "gfx/dd_types.h"

// The per-row pixel loops of the 32-bit tints: d the target run, s the source run, n pixels.
// Each runs on the AVX2 or the baseline path (platform::Avx2Kernels) with the same pixels.

// DirectDraw: each colour byte halved toward its tint byte `steps` times, the target's fourth
// byte kept; keyed runs leave out source pixels equal to the key.
struct TintHalving {
  int steps;     // 0 or more
  BYTE tint[3];  // red, green, blue
};
void TintRow32Halving(DWORD* __restrict d, const DWORD* __restrict s, int n, const TintHalving& h, DWORD key,
                      bool keyed);

// Direct3D: each colour byte c becomes trunc(c * weight + rest) in floats, or (c + tint) >> 1 at
// the half level; alpha 255; keyed runs leave out sources of alpha 0.
struct TintWeights {
  bool half;
  float weight;
  float rest[3];  // red, green, blue
  int tint[3];
};
void TintRow32Weighted(DWORD* __restrict d, const DWORD* __restrict s, int n, const TintWeights& w, bool keyed);

// One channel as the halving loop gives it: (c + tint) >> 1, `steps` times.
int HalveToward(int c, int tint, int steps);
