#include "gfx/circle_lens.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gfx/blend_table.h"
#include "gfx/core_blit.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/render_target.h"
#include "gfx/sprite_batch.h"
#include "gfx/surface_lock.h"

namespace {

// Half width of disc row i: floor(sqrt(r^2 - i^2)), the radius itself becoming radius - 1.
int HalfWidth(long long radius, long long i) {
  const long long left = radius * radius - i * i;
  if (left < 0) return 0;
  long long hw = static_cast<long long>(std::sqrt(static_cast<double>(left)));
  while (hw * hw > left) --hw;
  while ((hw + 1) * (hw + 1) <= left) ++hw;
  if (hw == radius) hw = radius - 1;
  return static_cast<int>(hw);
}

}  // namespace

void DDBltCircle(DDSURFACEDATA* lpDst, int dcx, int dcy, int hx, int hy, int nRadius, int nBand, DDSURFACEDATA* lpSrc,
                 int scx, int scy, int nFlags) {
  if (nRadius <= 0 || nBand <= 0 || lpDst == nullptr || lpSrc == nullptr) return;
  if (lpDTCon != nullptr) {
    DDResolveAlias(&lpDst);
    DDResolveAlias(&lpSrc);
  }
  const int left = std::max(0, scx - hx);
  const int right = std::min(scx + hx, lpSrc->nWidth);
  auto span = [&](int hw, int row, int sourceRow, int height) {
    int sx0 = scx - hw, width = 2 * hw, dx0 = dcx - hw;
    if (sx0 < left) {
      width -= left - sx0;
      dx0 += left - sx0;
      sx0 = left;
    }
    if (sx0 + width >= right) width = right - sx0;
    if (width <= 0) return;
    if (lpDTCon != nullptr) {
      DDBltStretch(lpDst, dx0, row, width, height, lpSrc, sx0, sourceRow, width, height, nFlags);
    } else {
      DDBlt(lpDst, dx0, row, width, height, lpSrc, sx0, sourceRow, nFlags);
    }
  };
  DDBeginBatch(0);
  if (nBand == 1) {
    // Rows at or below hy, and rows under the target, are left out: the walk starts above them.
    const long long bottom = static_cast<long long>(lpDst->nHeight) - 1 - dcy;
    for (long long i = std::min<long long>({nRadius - 1LL, hy - 1LL, bottom}); i >= -static_cast<long long>(nRadius); --i) {
      if (i < -hy || dcy + i < 0) break;
      span(HalfWidth(nRadius, i), static_cast<int>(dcy + i), static_cast<int>(scy + i), 1);
    }
  } else {
    long long h = static_cast<long long>(nRadius) - nBand;
    if (h >= hy) h -= ((h - hy) / nBand + 1) * static_cast<long long>(nBand);  // the bands skipped above hy
    const long long targetHeight = lpDst->nHeight;
    while (h >= -static_cast<long long>(nRadius)) {
      if (h + nBand <= -hy) break;
      if (h + nBand > hy) {
        h = hy - nBand;
      } else if (h < -hy) {
        h = -hy;
      }
      if (dcy + h + nBand <= 0) break;  // above the target: so is every band after it
      if (dcy + h >= targetHeight) {
        // Under the target: on to the first band that can reach it, without passing -hy, where
        // the last band is clamped.
        const long long reach = (dcy + h - targetHeight) / nBand + 1;
        const long long free = (h + hy) / nBand;
        h -= std::min(reach, std::max(free, 1LL)) * nBand;
        continue;
      }
      span(HalfWidth(nRadius, h + (nBand >> 1)), static_cast<int>(dcy + h), static_cast<int>(scy + h), nBand);
      h -= nBand;
    }
  }
  DDFlushBatch();
}

bool DDBltLens(DDSURFACEDATA* lpDst, int cx, int cy, int r, int k, DDSURFACEDATA* lpSrc, int scx, int scy, int nFlags,
               int bClearOutside) {
  if (r < 0 || k < 0 || lpDst == nullptr || lpSrc == nullptr) return false;
  const long long r2 = static_cast<long long>(r) * r;
  const long long big = static_cast<long long>(std::trunc(std::sqrt(static_cast<double>(r2) + static_cast<double>(k) * k)));
  if (big <= k) return false;
  const long long R2 = big * big;
  cSurfaceLock dst(lpDst);
  if (dst.m_lpBits == nullptr) return false;
  cSurfaceLock src(lpSrc);
  if (src.m_lpBits == nullptr) return false;
  const bool d3d = lpDTCon != nullptr;
  const int bytes = dst.m_nBytes;
  if (bytes != 1 && bytes != 2 && bytes != 4) return true;
  if (d3d && bytes == 1) return true;
  const bool clear = d3d && bytes == 4 && bClearOutside != 0;
  const bool toBack = d3d && bytes == 2 && DDIsFullScreenBackBuffer(dst.m_lpSD);
  const long long dstW = dst.m_lpSD->nWidth, dstH = dst.m_lpSD->nHeight;
  const long long srcW = src.m_lpSD->nWidth, srcH = src.m_lpSD->nHeight;
  const std::uint32_t mask = bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1;
  const DDPixelLayout& t = DDPixelFormat;
  const DDPixelLayout& b = DDBackPixelFormat;
  // Pixel sizes spelt out, so each access is one load or store rather than a copy call.
  auto write = [&](long long x, long long y, std::uint32_t p) {
    std::uint8_t* at = dst.m_lpBits + (y * dst.m_nPitch + x) * bytes;
    if (bytes == 1) {
      *at = static_cast<std::uint8_t>(p);
    } else if (bytes == 2) {
      const auto v = static_cast<std::uint16_t>(p);
      std::memcpy(at, &v, 2);
    } else {
      std::memcpy(at, &p, 4);
    }
  };
  auto read = [&](long long x, long long y) {
    const std::uint8_t* at = src.m_lpBits + (y * src.m_nPitch + x) * bytes;
    if (bytes == 1) return static_cast<std::uint32_t>(*at);
    if (bytes == 2) {
      std::uint16_t v;
      std::memcpy(&v, at, 2);
      return static_cast<std::uint32_t>(v);
    }
    std::uint32_t v;
    std::memcpy(&v, at, 4);
    return v;
  };
  // Offsets whose target pixel lies on the target only: nothing else is ever written.
  const long long dyFirst = std::max(-static_cast<long long>(r), -static_cast<long long>(cy));
  const long long dyLast = std::min(static_cast<long long>(r), dstH - 1 - cy);
  const long long dxFirst = std::max(-static_cast<long long>(r), -static_cast<long long>(cx));
  const long long dxLast = std::min(static_cast<long long>(r), dstW - 1 - cx);
  if (dyFirst > dyLast || dxFirst > dxLast) return true;
  // The lens bends (dx, dy) by dx k / s and dy k / s, s = sqrt(R^2 - d^2): once per call for
  // each offset of a quadrant, as the sign of an offset only flips the sign of its quotient.
  const long long spanX = std::max(std::llabs(dxFirst), std::llabs(dxLast)) + 1;
  const long long spanY = std::max(std::llabs(dyFirst), std::llabs(dyLast)) + 1;
  struct Bend {
    double x, y;
    bool flat;  // s is 0: the offset is kept
  };
  std::vector<Bend> bends(static_cast<std::size_t>(spanX * spanY));
  for (long long ay = 0; ay < spanY; ++ay) {
    for (long long ax = 0; ax < spanX; ++ax) {
      const long long d2 = ax * ax + ay * ay;
      if (d2 > r2) continue;
      const double s = std::sqrt(static_cast<double>(R2 - d2));
      Bend& bend = bends[static_cast<std::size_t>(ay * spanX + ax)];
      bend.flat = s == 0.0;
      if (!bend.flat) bend = {static_cast<double>(ax) * k / s, static_cast<double>(ay) * k / s, false};
    }
  }
  for (long long dy = dyFirst; dy <= dyLast; ++dy) {
    const long long ty = cy + dy;
    const Bend* row = bends.data() + std::llabs(dy) * spanX;
    for (long long dx = dxFirst; dx <= dxLast; ++dx) {
      const long long tx = cx + dx;
      const long long d2 = dx * dx + dy * dy;
      const bool insideTarget = tx >= 0 && tx < dstW;
      if (d2 > r2) {
        if (clear && insideTarget) write(tx, ty, 0);
        continue;
      }
      if (!insideTarget) continue;
      long long ox = dx, oy = dy;
      const Bend& bend = row[std::llabs(dx)];
      if (!bend.flat) {
        // The conversion truncates as trunc does.
        ox = static_cast<long long>((dx < 0 ? -bend.x : bend.x) + 0.5);
        oy = static_cast<long long>((dy < 0 ? -bend.y : bend.y) + 0.5);
      }
      const long long px = scx + ox, py = scy + oy;
      const bool insideSource = px >= 0 && px < srcW && py >= 0 && py < srcH;
      std::uint32_t pixel = 0;
      if (insideSource) pixel = read(px, py);
      if (d3d && bytes == 4) {
        const bool visible = insideSource && (pixel >> 24) != 0;
        if (visible) {
          write(tx, ty, pixel);
        } else if (clear) {
          write(tx, ty, 0);
        }
      } else if (d3d) {
        if (!insideSource || (nFlags == 1 && (pixel & 0xA000) == 0)) continue;
        if (toBack) {
          const std::uint32_t rr = (pixel >> t.nRedShift) & static_cast<std::uint32_t>(t.nRedMax);
          const std::uint32_t gg = (pixel >> t.nGreenShift) & static_cast<std::uint32_t>(t.nGreenMax);
          const std::uint32_t bb = (pixel >> t.nBlueShift) & static_cast<std::uint32_t>(t.nBlueMax);
          pixel = rr << b.nRedShift | (gg << 1) << b.nGreenShift | bb << b.nBlueShift;
        }
        write(tx, ty, pixel);
      } else {
        if (!insideSource || pixel == (DDTransmitKey & mask)) continue;
        write(tx, ty, pixel);
      }
    }
  }
  return true;
}
