#include "gfx/software_blit.h"

#include <cstring>

#include "gfx/back_pixel16.h"
#include "gfx/dd_state.h"
#include "gfx/surface_lock.h"

namespace {

// The pixel copy of one depth: how a pixel is read, tested and stored.
template <typename Pixel>
struct PixelCopy {
  const cSurfaceLock& dst;
  const cSurfaceLock& src;
  int dstW, dstH, srcW, srcH;
  bool keyed;
  bool toBackBuffer16;
  cBackPixel16 toBack;

  Pixel Read(int x, int y) const {
    Pixel p;
    std::memcpy(&p, src.m_lpBits + (static_cast<std::ptrdiff_t>(y) * src.m_nPitch + x) * sizeof(Pixel), sizeof(p));
    return p;
  }
  void Write(int x, int y, Pixel p) const {
    std::memcpy(dst.m_lpBits + (static_cast<std::ptrdiff_t>(y) * dst.m_nPitch + x) * sizeof(Pixel), &p, sizeof(p));
  }
  static bool Transparent(Pixel p) {
    // At 16 bits bits 15 and 13 are tested together, as the layouts of the two 16-bit texture
    // formats have always been told apart here.
    if constexpr (sizeof(Pixel) == 2) return (p & 0xA000) == 0;
    return (p >> 24) == 0;
  }
  Pixel Convert(Pixel s) const {
    if constexpr (sizeof(Pixel) == 2) {
      if (!toBackBuffer16) return s;
      return static_cast<Pixel>(toBack(s));
    }
    return s;
  }
  void Put(int tx, int ty, int sxp, int syp) const {
    const Pixel s = Read(sxp, syp);
    if (keyed && Transparent(s)) return;
    Write(tx, ty, Convert(s));
  }

  void Run(int x, int y, int w, int h, int sx, int sy, int sw, int sh) const {
    if (w == sw && h == sh) {
      for (int j = 0; j < h; ++j) {
        if (y + j < 0 || y + j >= dstH || sy + j < 0 || sy + j >= srcH) continue;
        for (int i = 0; i < w; ++i) {
          if (x + i < 0 || x + i >= dstW || sx + i < 0 || sx + i >= srcW) continue;
          Put(x + i, y + j, sx + i, sy + j);
        }
      }
      return;
    }
    const float rx = static_cast<float>(sw) / static_cast<float>(w);
    const float ry = static_cast<float>(sh) / static_cast<float>(h);
    for (int j = 0; j < h; ++j) {
      if (y + j < 0 || y + j >= dstH) continue;
      const int sj = static_cast<int>(static_cast<float>(j) * ry);
      if (sy + sj < 0 || sy + sj >= srcH) continue;
      for (int i = 0; i < w; ++i) {
        if (x + i < 0 || x + i >= dstW) continue;
        int si = static_cast<int>(static_cast<float>(i) * rx);
        if (sw >= 0) {
          if (si < 0 || si >= sw) continue;
        } else {
          if (!(sw < si && si <= 0)) continue;
          si -= 1;
        }
        if (sx + si < 0 || sx + si >= srcW) continue;
        Put(x + i, y + j, sx + si, sy + sj);
      }
    }
  }
};

}  // namespace

void DDSoftwareBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                   int sh, int nFlags) {
  if (w == 0 || h == 0) return;
  cSurfaceLock dst(lpDst);
  if (dst.m_lpBits == nullptr) return;
  cSurfaceLock src(lpSrc);
  if (src.m_lpBits == nullptr) return;
  const bool keyed = nFlags == 1;
  if (DDBpp == 32) {
    PixelCopy<std::uint32_t>{dst, src, dst.m_lpSD->nWidth, dst.m_lpSD->nHeight, src.m_lpSD->nWidth,
                             src.m_lpSD->nHeight, keyed, false, cBackPixel16::Current()}
        .Run(x, y, w, h, sx, sy, sw, sh);
  } else if (DDBpp == 16) {
    const bool toBack = dst.m_lpSD == &SDBackBuffer && !DDWindowed;
    PixelCopy<std::uint16_t>{dst, src, dst.m_lpSD->nWidth, dst.m_lpSD->nHeight, src.m_lpSD->nWidth,
                             src.m_lpSD->nHeight, keyed, toBack, cBackPixel16::Current()}
        .Run(x, y, w, h, sx, sy, sw, sh);
  }
}
