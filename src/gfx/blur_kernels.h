#pragma once

#include <cstdint>

// The box blur's arithmetic on one locked rectangle, in baseline and AVX2 versions with equal
// pixels: running column sums over the window's rows, a prefix along each row, and the average
// by a reciprocal corrected to the exact integer quotient.
struct BlurJob {
  // Source: the rectangle's first row and pitch in pixels; only source rows first..last-1 and
  // columns first..last-1 (of the w x h rectangle) are read, the rest count as absent.
  const std::uint8_t* source = nullptr;
  long long sourcePitch = 0;
  int sourceRows[2] = {0, 0}, sourceColumns[2] = {0, 0};
  // Target: likewise, rows and columns of the rectangle that lie on the target record.
  std::uint8_t* target = nullptr;
  long long targetPitch = 0;
  int targetRows[2] = {0, 0}, targetColumns[2] = {0, 0};
  int w = 0, h = 0, rx = 0, ry = 0;
  int bytes = 4;  // 2 or 4
  // A source pixel p is absent when (p & absentMask) == absentValue.
  std::uint32_t absentMask = 0, absentValue = 1;
  bool keyed = false;  // absent places of the source leave the target alone
  // Reading channel k: (p >> readShift[k]) & readMask[k].
  int readShift[3] = {16, 8, 0};
  std::uint32_t readMask[3] = {0xFF, 0xFF, 0xFF};
  // Writing: (old & keep) | extra | (c0 & m0) << s0 | ((c1 & m1) * greenScale) << s1 | (c2 & m2) << s2.
  int writeShift[3] = {16, 8, 0};
  std::uint32_t writeMask[3] = {0xFF, 0xFF, 0xFF};
  std::uint32_t greenScale = 1, keep = 0, extra = 0;
};

// False when the rectangle is too large for exact 32-bit sums (nothing is drawn then).
bool RunBlur(const BlurJob& job);
