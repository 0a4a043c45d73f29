#include "gfx/rotate_blit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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

bool RotateSoftware(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int ox, int oy, double theta,
                    DDSURFACEDATA* lpSrc, int sx, int sy, bool mirrored, bool keyed) {
  const bool toBack = lpDTCon != nullptr && DDBpp == 16 && DDIsFullScreenBackBuffer(lpDst);
  cSurfaceLock dst(lpDst);
  if (dst.m_lpBits == nullptr) return false;
  cSurfaceLock src(lpSrc);
  if (src.m_lpBits == nullptr) return false;
  const int bytes = dst.m_nBytes;
  if (bytes != 1 && bytes != 2 && bytes != 4) return true;
  const long long S = static_cast<long long>(std::trunc(std::sin(theta) * 1024.0));
  const long long C = static_cast<long long>(std::trunc(std::cos(theta) * 1024.0));
  const long long Si = static_cast<long long>(std::trunc(std::sin(-theta) * 1024.0));
  const long long Ci = static_cast<long long>(std::trunc(std::cos(-theta) * 1024.0));
  long long umin = 0, umax = 0, vmin = 0, vmax = 0;
  const long long px[4] = {-ox, w - 1LL - ox, -ox, w - 1LL - ox};
  const long long py[4] = {-oy, -oy, h - 1LL - oy, h - 1LL - oy};
  for (int i = 0; i < 4; ++i) {
    const long long u = ((px[i] * C - py[i] * S) >> 10) + ox;
    const long long v = ((px[i] * S + py[i] * C) >> 10) + oy;
    if (i == 0 || u < umin) umin = u;
    if (i == 0 || u > umax) umax = u;
    if (i == 0 || v < vmin) vmin = v;
    if (i == 0 || v > vmax) vmax = v;
  }
  const long long dstW = dst.m_lpSD->nWidth, dstH = dst.m_lpSD->nHeight;
  const long long srcW = src.m_lpSD->nWidth, srcH = src.m_lpSD->nHeight;
  const DDPixelLayout& t = DDPixelFormat;
  const DDPixelLayout& b = DDBackPixelFormat;
  for (long long v = vmin - 2; v < vmax + 2; ++v) {
    const long long dv = v - oy, ty = y + dv;
    if (ty < 0 || ty >= dstH) continue;
    for (long long u = umin - 2; u < umax + 2; ++u) {
      const long long du = u - ox, tx = x + du;
      if (tx < 0 || tx >= dstW) continue;
      const long long cx = ((du * Ci - dv * Si) >> 10) + ox;
      const long long cy = ((du * Si + dv * Ci) >> 10) + oy;
      if (cx < 0 || cx >= w || cy < 0 || cy >= h) continue;
      const long long sxp = mirrored ? sx - 1 - cx : sx + cx, syp = sy + cy;
      if (sxp < 0 || sxp >= srcW || syp < 0 || syp >= srcH) continue;
      std::uint32_t pixel = 0;
      std::memcpy(&pixel, src.m_lpBits + (syp * src.m_nPitch + sxp) * bytes, static_cast<std::size_t>(bytes));
      const std::uint32_t mask = bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1;
      if (keyed && pixel == (DDTransmitKey & mask)) continue;
      if (toBack) {
        const std::uint32_t r = (pixel >> t.nRedShift) & static_cast<std::uint32_t>(t.nRedMax);
        const std::uint32_t g = (pixel >> t.nGreenShift) & static_cast<std::uint32_t>(t.nGreenMax);
        const std::uint32_t bl = (pixel >> t.nBlueShift) & static_cast<std::uint32_t>(t.nBlueMax);
        pixel = r << b.nRedShift | (g << 1) << b.nGreenShift | bl << b.nBlueShift;
      }
      std::memcpy(dst.m_lpBits + (ty * dst.m_nPitch + tx) * bytes, &pixel, static_cast<std::size_t>(bytes));
    }
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
