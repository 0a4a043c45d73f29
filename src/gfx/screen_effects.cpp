#include "gfx/screen_effects.h"

#include <cmath>
#include <numbers>

#include "gfx/core_blit.h"
#include "gfx/sprite_batch.h"

void DDWaveBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int nCycles, double dAmplitude, int nPhase, int nBand,
               DDSURFACEDATA* lpSrc, int sx, int sy, int nFlags, int bVertical) {
  if (nBand <= 0 || lpDst == nullptr) return;
  const int size = bVertical ? w : h;
  if (size <= 0) return;
  // Slices start at their own column (row), whatever their offset: those past the target's far
  // edge are not walked. The angle is accumulated slice by slice as a double.
  const long long origin = bVertical ? x : y;
  const long long extent = bVertical ? lpDst->nWidth : lpDst->nHeight;
  const double step = 360.0 / size * nBand;
  double angle = nPhase;
  DDBeginBatch(0);
  for (long long c = 0; c < size; c += nBand) {
    angle += step;
    if (origin + c >= extent) break;
    const int part = static_cast<int>(std::min<long long>(nBand, size - c));
    if (origin + c + part <= 0) continue;
    const double radians = angle * nCycles * std::numbers::pi / 180.0;
    const int offset = static_cast<int>(std::trunc(dAmplitude * std::sin(radians)));
    const int at = static_cast<int>(c);
    if (bVertical) {
      DDBlt(lpDst, x + at, y + offset, part, h, lpSrc, sx + at, sy, nFlags);
    } else {
      DDBlt(lpDst, x + offset, y + at, w, part, lpSrc, sx, sy + at, nFlags);
    }
  }
  DDFlushBatch();
}

void DDInterlaceBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int nBand, int nShift, DDSURFACEDATA* lpSrc,
                    int sx, int sy, int nFlags, int bVertical) {
  if (nBand == 0) {
    DDBlt(lpDst, x, y, w, h, lpSrc, sx, sy, nFlags);
    return;
  }
  if (nBand < 0 || lpDst == nullptr) return;
  const int size = bVertical ? w : h;
  const long long bands = size / nBand;
  // Only the bands that meet the target's columns (rows) are walked.
  const long long origin = bVertical ? x : y;
  const long long extent = bVertical ? lpDst->nWidth : lpDst->nHeight;
  const long long before = -origin - nBand;  // a band at or before this start ends left of the target
  const long long first = before < 0 ? 0 : before / nBand + 1;
  DDBeginBatch(0);
  for (int parity : {1, 0}) {
    for (long long i = first + ((first % 2) != parity ? 1 : 0); i < bands; i += 2) {
      const long long at = i * nBand;
      if (origin + at >= extent) break;
      const int shift = parity == 0 ? nShift : -nShift;
      const int a = static_cast<int>(at);
      if (bVertical) {
        DDBlt(lpDst, x + a, y + shift, nBand, h, lpSrc, sx + a, sy, nFlags);
      } else {
        DDBlt(lpDst, x + shift, y + a, w, nBand, lpSrc, sx, sy + a, nFlags);
      }
    }
  }
  DDFlushBatch();
}

void DDFlipBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrcA, int sxA, int syA,
               DDSURFACEDATA* lpSrcB, int sxB, int syB, int sw, int sh, int nFlags, int nCounter, int nMode) {
  if (nMode != 0 && nMode != 1) return;
  const int s = nMode == 0 ? w : h;
  if (s < 2) return;
  const int u = s >> 1;
  const int c = nCounter;
  // Floor division and a non-negative remainder, so a negative counter turns the card back.
  auto floorDiv = [](int a, int b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); };
  const int q = floorDiv(c, u);
  const int r = c - q * u;
  const int v = (q % 2 == 0) ? r : u - r - 1;
  const bool faceB = (floorDiv(c + u, s) % 2) != 0;
  DDSURFACEDATA* src = faceB ? lpSrcB : lpSrcA;
  const int fx = faceB ? sxB : sxA;
  const int fy = faceB ? syB : syA;
  if (nMode == 0) {
    DDBltStretch(lpDst, x + v, y, w - 2 * v, h, src, fx, fy, sw, sh, nFlags);
  } else {
    DDBltStretch(lpDst, x, y + v, w, h - 2 * v, src, fx, fy, sw, sh, nFlags);
  }
}

void DDSplitBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int nGap,
                int nFlags) {
  const int hw = w >> 1, hh = h >> 1;
  DDBeginBatch(0);
  DDBlt(lpDst, x - nGap, y - nGap, hw, hh, lpSrc, sx, sy, nFlags);
  DDBlt(lpDst, x + hw + nGap, y - nGap, hw, hh, lpSrc, sx + hw, sy, nFlags);
  DDBlt(lpDst, x - nGap, y + hh + nGap, hw, hh, lpSrc, sx, sy + hh, nFlags);
  DDBlt(lpDst, x + hw + nGap, y + hh + nGap, hw, hh, lpSrc, sx + hw, sy + hh, nFlags);
  DDFlushBatch();
}
