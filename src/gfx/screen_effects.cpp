#include "gfx/screen_effects.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "gfx/core_blit.h"
#include "gfx/sprite_batch.h"

void DDWaveBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int nCycles, double dAmplitude, int nPhase, int nBand,
               DDSURFACEDATA* lpSrc, int sx, int sy, int nFlags, int bVertical) {
  if (nBand <= 0) return;
  const int size = bVertical ? w : h;
  if (size <= 0) return;
  // The slices' offsets first, from the angle accumulated slice by slice as a double.
  const double step = 360.0 / size * nBand;
  double angle = nPhase;
  std::vector<int> offsets;
  offsets.reserve(static_cast<std::size_t>(size / nBand + 1));
  for (int c = 0; c < size; c += nBand) {
    angle += step;
    const double radians = angle * nCycles * std::numbers::pi / 180.0;
    offsets.push_back(static_cast<int>(std::trunc(dAmplitude * std::sin(radians))));
  }
  DDBeginBatch(0);
  int k = 0;
  for (int c = 0; c < size; c += nBand, ++k) {
    const int part = std::min(nBand, size - c);
    const int offset = offsets[static_cast<std::size_t>(k)];
    if (bVertical) {
      DDBlt(lpDst, x + c, y + offset, part, h, lpSrc, sx + c, sy, nFlags);
    } else {
      DDBlt(lpDst, x + offset, y + c, w, part, lpSrc, sx, sy + c, nFlags);
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
  if (nBand < 0) return;
  const int size = bVertical ? w : h;
  const int bands = size / nBand;
  DDBeginBatch(0);
  for (int parity : {1, 0}) {
    for (int i = parity; i < bands; i += 2) {
      const int at = i * nBand;
      const int shift = parity == 0 ? nShift : -nShift;
      if (bVertical) {
        DDBlt(lpDst, x + at, y + shift, nBand, h, lpSrc, sx + at, sy, nFlags);
      } else {
        DDBlt(lpDst, x + shift, y + at, w, nBand, lpSrc, sx, sy + at, nFlags);
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
