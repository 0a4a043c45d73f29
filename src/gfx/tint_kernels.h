#pragma once

#include <cstdint>

#include "gfx/dd_types.h"

// The per-row pixel loops of the tints: d the target run, s the source run, n pixels.
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

// A 16-bit pixel mapped field by field: each of the three fields (its shift and mask) indexes
// a table of the word it adds to the output, and the words are or-ed with a constant. Keyed runs
// leave out source pixels p with (p & keyMask) == keyValue.
struct FieldMap16 {
  int shift[3];
  unsigned mask[3];  // the AVX2 path takes masks up to 63
  WORD word[3][64];
  WORD constant;
  WORD keyMask, keyValue;
};
// The map made ready for the rows of a call: the low and high bytes of its words, which the
// AVX2 lookups read, are split once.
class FieldMapRows16 {
 public:
  explicit FieldMapRows16(const FieldMap16& map);
  void Map(WORD* __restrict d, const WORD* __restrict s, int n, bool keyed) const;

 private:
  FieldMap16 map_;
  bool vector_;  // the AVX2 path chosen, and every mask within the tables
  std::uint8_t low_[3][64], high_[3][64];
};

// One channel as the halving loop gives it: (c + tint) >> 1, `steps` times.
int HalveToward(int c, int tint, int steps);
