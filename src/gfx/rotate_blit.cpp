#include "gfx/rotate_blit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx/back_pixel16.h"
#include "gfx/blend_table.h"
#include "gfx/clip_blt.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/quad_state.h"
#include "gfx/render_target.h"
#include "gfx/surface_lock.h"

namespace {

using platform::Succeeded;

constexpr double kDegree = 0.017453292519943278;

void RotateQuad(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int ox, int oy, double theta, DDSURFACEDATA* lpSrc,
                int sx, int sy, int sw, int sh) {
  DTTEXTUREDATA& src = *lpSrc->lpDT;
  if (src.lpVB == nullptr) return;
  const float s = static_cast<float>(std::sin(theta)), c = static_cast<float>(std::cos(theta));
  const float x0 = (static_cast<float>(x) - 0.5f) + static_cast<float>(ox - (w >> 1));
  const float y0 = (static_cast<float>(y) - 0.5f) + static_cast<float>(oy - (h >> 1));
  const float tw = static_cast<float>(std::max(lpSrc->nTexWidth, 1)), th = static_cast<float>(std::max(lpSrc->nTexHeight, 1));
  const float corners[4][2] = {{static_cast<float>(-ox), static_cast<float>(-oy)},
                               {static_cast<float>(-ox), static_cast<float>(h - oy)},
                               {static_cast<float>(w - ox), static_cast<float>(-oy)},
                               {static_cast<float>(w - ox), static_cast<float>(h - oy)}};
  const float uv[4][2] = {{sx / tw, sy / th}, {sx / tw, (sy + sh) / th}, {(sx + sw) / tw, sy / th},
                          {(sx + sw) / tw, (sy + sh) / th}};
  DTVERTEX* v = nullptr;
  if (!Succeeded(src.lpVB->Lock(0, 4, v))) return;
  for (int i = 0; i < 4; ++i) {
    const float px = corners[i][0], py = corners[i][1];
    v[i] = {x0 + px * c - py * s, y0 + px * s + py * c, 0.0f, 1.0f, lpDTCon->dwDiffuse, uv[i][0], uv[i][1]};
  }
  src.lpVB->Unlock();
  if (!DDBeginScene() || !DDSetRenderTarget(0, lpDst)) return;
  DDSetQuadStage(lpDTCon->nColorOp, lpDTCon->nAlphaOp, lpSrc);
  lpDevice->SetStreamSource(src.lpVB);
  lpDevice->DrawPrimitive(0, 2);
  DDSetRenderTarget(0, lpDTCon->lpRestRT);
}

struct RotateJob {
  long long x, y, w, h, ox, oy, sx, sy;
  long long umin, umax, vmin, vmax;
  long long Si, Ci;  // the inverse rotation's factors
  bool mirrored, keyed, toBack;
};

// Steps [first, end) of 0..n-1.
struct StepRange {
  long long first, end;
};

long long FloorDiv(long long x, long long d) {  // d > 0
  return x >= 0 ? x / d : -((-x + d - 1) / d);
}

// The steps k in 0..n-1 with low <= start + k * step < high: an interval, the value being linear.
StepRange StepsWithin(long long start, long long step, long long low, long long high, long long n) {
  StepRange r{0, n};
  if (step == 0) {
    if (start < low || start >= high) r.end = 0;
    return r;
  }
  if (step > 0) {
    r.first = -FloorDiv(start - low, step);  // ceil((low - start) / step)
    r.end = -FloorDiv(start - high, step);  // ceil((high - start) / step)
  } else {
    r.first = FloorDiv(start - high, -step) + 1;
    r.end = FloorDiv(start - low, -step) + 1;
  }
  r.first = std::max(r.first, 0LL);
  r.end = std::min(r.end, n);
  return r;
}

// Every pixel of the rotated box (2 pixels wider on each side) mapped back into the cell; the
// products advance by the factors from pixel to pixel, as the fixed point allows.
template <typename Pixel>
void RotatePixels(const cSurfaceLock& dst, const cSurfaceLock& src, const RotateJob& job) {
  // Everything the loop reads is a local: a store through a byte row could otherwise be taken
  // to change the job or the locks, and each would be read again for every pixel.
  const RotateJob j = job;
  const long long dstW = dst.m_lpSD->nWidth, dstH = dst.m_lpSD->nHeight;
  const long long srcW = src.m_lpSD->nWidth, srcH = src.m_lpSD->nHeight;
  Pixel* const dstBits = reinterpret_cast<Pixel*>(dst.m_lpBits);
  const Pixel* const srcBits = reinterpret_cast<const Pixel*>(src.m_lpBits);
  const long long dstPitch = dst.m_nPitch, srcPitch = src.m_nPitch;
  const auto key = static_cast<Pixel>(DDTransmitKey);
  const cBackPixel16 toBack = cBackPixel16::Current();
  // Target columns inside the record, as box columns.
  const long long uFirst = std::max(j.umin - 2, -j.x + j.ox);
  const long long uLast = std::min(j.umax + 2, dstW - j.x + j.ox);  // excluded
  // Box rows on the target only.
  const long long vFirst = std::max(j.vmin - 2, j.oy - j.y);
  const long long vLast = std::min(j.vmax + 2, j.oy - j.y + dstH);
  // The cell columns and rows whose source pixel lies inside the source as well.
  const long long cxLo = std::max(0LL, j.mirrored ? j.sx - srcW : -j.sx);
  const long long cxHi = std::min(j.w, j.mirrored ? j.sx : srcW - j.sx);  // excluded
  const long long cyLo = std::max(0LL, -j.sy), cyHi = std::min(j.h, srcH - j.sy);
  if (uFirst >= uLast || cxLo >= cxHi || cyLo >= cyHi) return;
  const long long n = uLast - uFirst;
  for (long long v = vFirst; v < vLast; ++v) {
    const long long dv = v - j.oy, ty = j.y + dv;
    Pixel* row = dstBits + ty * dstPitch;
    const long long a0 = (uFirst - j.ox) * j.Ci - dv * j.Si;
    const long long c0 = (uFirst - j.ox) * j.Si + dv * j.Ci;
    // Steps k of the row where the fixed-point products stay inside those columns and rows:
    // one interval each, as both move by a constant step; no pixel is tested then.
    StepRange k = StepsWithin(a0, j.Ci, (cxLo - j.ox) * 1024, (cxHi - j.ox) * 1024, n);
    const StepRange rows = StepsWithin(c0, j.Si, (cyLo - j.oy) * 1024, (cyHi - j.oy) * 1024, n);
    k.first = std::max(k.first, rows.first);
    k.end = std::min(k.end, rows.end);
    long long a = a0 + k.first * j.Ci;
    long long c = c0 + k.first * j.Si;
    Pixel* out = row + j.x + (uFirst - j.ox) + k.first;
    for (long long step = k.first; step < k.end; ++step, ++out, a += j.Ci, c += j.Si) {
      const long long cx = (a >> 10) + j.ox;
      const long long sxp = j.mirrored ? j.sx - 1 - cx : j.sx + cx;
      const long long syp = j.sy + (c >> 10) + j.oy;
      Pixel pixel = srcBits[syp * srcPitch + sxp];
      if (j.keyed && pixel == key) continue;
      if constexpr (sizeof(Pixel) == 2) {
        if (j.toBack) pixel = static_cast<Pixel>(toBack(pixel));
      }
      *out = pixel;
    }
  }
}

bool RotateSoftware(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int ox, int oy, double theta,
                    DDSURFACEDATA* lpSrc, int sx, int sy, bool mirrored, bool keyed) {
  const bool toBack = lpDTCon != nullptr && DDBpp == 16 && DDIsFullScreenBackBuffer(lpDst);
  cSurfaceLock dst(lpDst);
  if (dst.m_lpBits == nullptr) return false;
  cSurfaceLock src(lpSrc);
  if (src.m_lpBits == nullptr) return false;
  const long long S = static_cast<long long>(std::trunc(std::sin(theta) * 1024.0));
  const long long C = static_cast<long long>(std::trunc(std::cos(theta) * 1024.0));
  RotateJob j{x, y, w, h, ox, oy, sx, sy, 0, 0, 0, 0,
              static_cast<long long>(std::trunc(std::sin(-theta) * 1024.0)),
              static_cast<long long>(std::trunc(std::cos(-theta) * 1024.0)), mirrored, keyed, toBack};
  const long long px[4] = {-ox, w - 1LL - ox, -ox, w - 1LL - ox};
  const long long py[4] = {-oy, -oy, h - 1LL - oy, h - 1LL - oy};
  for (int i = 0; i < 4; ++i) {
    const long long u = ((px[i] * C - py[i] * S) >> 10) + ox;
    const long long v = ((px[i] * S + py[i] * C) >> 10) + oy;
    j.umin = i == 0 ? u : std::min(j.umin, u);
    j.umax = i == 0 ? u : std::max(j.umax, u);
    j.vmin = i == 0 ? v : std::min(j.vmin, v);
    j.vmax = i == 0 ? v : std::max(j.vmax, v);
  }
  switch (dst.m_nBytes) {
    case 1: RotatePixels<BYTE>(dst, src, j); break;
    case 2: RotatePixels<WORD>(dst, src, j); break;
    case 4: RotatePixels<DWORD>(dst, src, j); break;
    default: break;
  }
  return true;
}

}  // namespace

bool DDBltRotate(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int ox, int oy, int nAngle, DDSURFACEDATA* lpSrc,
                 int sx, int sy, int nFlags) {
  if (lpDst == nullptr || lpSrc == nullptr) return true;
  const double theta = nAngle * kDegree;
  const bool keyed = nFlags == 1;
  if (lpDTCon != nullptr) {
    int sw = w, sh = h;
    DDMirrorCellRect(lpSrc, &sx, &sy, &sw, &sh);
    DDResolveAlias(&lpDst);
    DDResolveAlias(&lpSrc);
    DDRedirectBackBuffer(&lpDst);
    DDRedirectBackBuffer(&lpSrc);
    if (lpDst->lpDT == nullptr || lpSrc->lpDT == nullptr) return true;
    if (lpDst->lpDT->bRenderTarget && lpSrc->lpDT->nMemoryType != DTMEMORYTYPE_SYSTEM) {
      RotateQuad(lpDst, x, y, w, h, ox, oy, theta, lpSrc, sx, sy, sw, sh);
      return true;
    }
    return RotateSoftware(lpDst, x, y, w, h, ox, oy, theta, lpSrc, sx, sy, sw < 0, keyed);
  }
  if (DDCtx == nullptr) return true;
  return RotateSoftware(lpDst, x, y, w, h, ox, oy, theta, lpSrc, sx, sy, false, keyed);
}
