#include "gfx/circle_lens.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gfx/back_pixel16.h"
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

namespace {

// How a lens pixel is taken: DirectDraw's colour key; 32-bit textures' alpha (invisible texels
// write nothing, or clear when asked); 16-bit textures' alpha bits, onto a texture or, widened
// to the back buffer's fields, onto the full-screen back buffer.
enum class LensKind { Keyed, AlphaTexels, AlphaBit, AlphaBitToBack };

struct LensJob {
  std::uint8_t* dst;
  const std::uint8_t* src;
  long long dstPitch, srcPitch;  // pixels
  long long dstW, dstH, srcW, srcH;
  long long cx, cy, scx, scy;
  long long r, k, r2, R2;
  std::uint32_t key;
  bool keyed, clear;
  cBackPixel16 toBack;
};

// The source offset an offset of a quadrant is bent to, for either sign of each axis: the
// conversion truncates as trunc does, so a negative offset is not the positive one negated.
struct Bend {
  long long plusX, minusX, plusY, minusY;
};

// Everything the loop reads is in locals or the job copy: a store through a byte row could
// otherwise be taken to change them, and each would be read again for every pixel.
template <typename Pixel, LensKind Kind>
void LensPixels(const LensJob& job) {
  const LensJob j = job;
  Pixel* const dst = reinterpret_cast<Pixel*>(j.dst);
  const Pixel* const src = reinterpret_cast<const Pixel*>(j.src);
  // Offsets whose target pixel lies on the target only: nothing else is ever written.
  const long long dyFirst = std::max(-j.r, -j.cy);
  const long long dyLast = std::min(j.r, j.dstH - 1 - j.cy);
  const long long dxFirst = std::max(-j.r, -j.cx);
  const long long dxLast = std::min(j.r, j.dstW - 1 - j.cx);
  if (dyFirst > dyLast || dxFirst > dxLast) return;
  // The lens bends (dx, dy) by dx k / s and dy k / s, s = sqrt(R^2 - d^2): once per call for
  // each offset of a quadrant, as the sign of an offset only flips the sign of its quotient.
  const long long spanX = std::max(std::llabs(dxFirst), std::llabs(dxLast)) + 1;
  const long long spanY = std::max(std::llabs(dyFirst), std::llabs(dyLast)) + 1;
  std::vector<Bend> bends(static_cast<std::size_t>(spanX * spanY));
  for (long long ay = 0; ay < spanY; ++ay) {
    for (long long ax = 0; ax < spanX; ++ax) {
      const long long d2 = ax * ax + ay * ay;
      if (d2 > j.r2) continue;
      const double s = std::sqrt(static_cast<double>(j.R2 - d2));
      Bend& bend = bends[static_cast<std::size_t>(ay * spanX + ax)];
      if (s == 0.0) {  // flat: the offset is kept
        bend = {ax, -ax, ay, -ay};
        continue;
      }
      const double x = static_cast<double>(ax) * j.k / s, y = static_cast<double>(ay) * j.k / s;
      bend = {static_cast<long long>(x + 0.5), static_cast<long long>(-x + 0.5), static_cast<long long>(y + 0.5),
              static_cast<long long>(-y + 0.5)};
    }
  }
  for (long long dy = dyFirst; dy <= dyLast; ++dy) {
    const long long ty = j.cy + dy;
    const Bend* row = bends.data() + std::llabs(dy) * spanX;
    Pixel* out = dst + ty * j.dstPitch + j.cx;
    const long long dy2 = dy * dy;
    for (long long dx = dxFirst; dx <= dxLast; ++dx) {
      if (dx * dx + dy2 > j.r2) {
        if (Kind == LensKind::AlphaTexels && j.clear) out[dx] = 0;
        continue;
      }
      const Bend& bend = row[std::llabs(dx)];
      const long long px = j.scx + (dx < 0 ? bend.minusX : bend.plusX);
      const long long py = j.scy + (dy < 0 ? bend.minusY : bend.plusY);
      const bool insideSource = px >= 0 && px < j.srcW && py >= 0 && py < j.srcH;
      std::uint32_t pixel = insideSource ? src[py * j.srcPitch + px] : 0;
      if constexpr (Kind == LensKind::AlphaTexels) {
        if (insideSource && (pixel >> 24) != 0) {
          out[dx] = static_cast<Pixel>(pixel);
        } else if (j.clear) {
          out[dx] = 0;
        }
      } else if constexpr (Kind == LensKind::Keyed) {
        if (insideSource && pixel != j.key) out[dx] = static_cast<Pixel>(pixel);
      } else {
        if (!insideSource || (j.keyed && (pixel & 0xA000) == 0)) continue;
        if constexpr (Kind == LensKind::AlphaBitToBack) pixel = j.toBack(pixel);
        out[dx] = static_cast<Pixel>(pixel);
      }
    }
  }
}

}  // namespace

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
  LensJob job;
  job.dst = dst.m_lpBits;
  job.src = src.m_lpBits;
  job.dstPitch = dst.m_nPitch;
  job.srcPitch = src.m_nPitch;
  job.dstW = dst.m_lpSD->nWidth;
  job.dstH = dst.m_lpSD->nHeight;
  job.srcW = src.m_lpSD->nWidth;
  job.srcH = src.m_lpSD->nHeight;
  job.cx = cx, job.cy = cy, job.scx = scx, job.scy = scy;
  job.r = r, job.k = k, job.r2 = r2, job.R2 = R2;
  job.key = DDTransmitKey & (bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1);
  job.keyed = nFlags == 1;
  job.clear = d3d && bytes == 4 && bClearOutside != 0;
  job.toBack = cBackPixel16::Current();
  if (!d3d) {
    if (bytes == 1) LensPixels<std::uint8_t, LensKind::Keyed>(job);
    if (bytes == 2) LensPixels<std::uint16_t, LensKind::Keyed>(job);
    if (bytes == 4) LensPixels<std::uint32_t, LensKind::Keyed>(job);
  } else if (bytes == 4) {
    LensPixels<std::uint32_t, LensKind::AlphaTexels>(job);
  } else if (DDIsFullScreenBackBuffer(dst.m_lpSD)) {
    LensPixels<std::uint16_t, LensKind::AlphaBitToBack>(job);
  } else {
    LensPixels<std::uint16_t, LensKind::AlphaBit>(job);
  }
  return true;
}
