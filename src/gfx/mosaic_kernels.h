#pragma once

#include <cstdint>

#include "gfx/dd_types.h"

// The loops of DirectDraw's averaging mosaic over one band of blocks, on the AVX2 or the baseline
// path (platform::Avx2Kernels) with the same results.

// A band: `rows` rows from `first` on, `pitch` pixels apart; its block k (of `blocks`) covers
// columns (firstBlock + k) * b to that + b - 1, cut to columns [lo, hi).
struct MosaicBand {
  int rows, b, firstBlock, blocks, lo, hi;
  long long pitch;
};

struct ChannelSums {
  unsigned red = 0, green = 0, blue = 0, count = 0;
};
// Each block's colour bytes summed and its pixels counted into sums[k], leaving out pixels equal
// to the key when keyed.
void SumBand32(const DWORD* first, const MosaicBand& band, DWORD key, bool keyed, ChannelSums* sums);
// Each block k with drawn[k] set to colour[k]'s colour bytes, every pixel keeping its fourth byte.
void FillBand32(DWORD* first, const MosaicBand& band, const DWORD* colour, const std::uint8_t* drawn);

// Each block's channels, widened to 0..255 (field * 255 / max, a maximum below 1 taken as 1),
// summed into sums[k] with its pixels counted, leaving out pixels equal to the key when keyed.
void SumBand16(const WORD* first, const MosaicBand& band, WORD key, bool keyed, const DDPixelLayout& layout,
               ChannelSums* sums);
// Each block k with drawn[k] set to colour[k].
void FillBand16(WORD* first, const MosaicBand& band, const WORD* colour, const std::uint8_t* drawn);
