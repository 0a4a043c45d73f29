#include "gfx/blur_mosaic.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/report_log.h"
#include "gfx/blend_table.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/surface_lock.h"

namespace {

// A blit rectangle larger than this is refused: the blur's running sums stay exact in 32 bits.
constexpr long long kMaxEffectPixels = 1LL << 24;

struct Locks {
  Locks(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc) : dst(lpDst), src(lpSrc) {}
  bool ok() const { return dst.m_lpBits != nullptr && src.m_lpBits != nullptr; }
  cSurfaceLock dst;
  cSurfaceLock src;
};

template <typename Pixel>
Pixel Load(const cSurfaceLock& lock, long long x, long long y) {
  Pixel p;
  std::memcpy(&p, lock.m_lpBits + (y * lock.m_nPitch + x) * static_cast<long long>(sizeof(Pixel)), sizeof(Pixel));
  return p;
}
template <typename Pixel>
void Store(const cSurfaceLock& lock, long long x, long long y, Pixel p) {
  std::memcpy(lock.m_lpBits + (y * lock.m_nPitch + x) * static_cast<long long>(sizeof(Pixel)), &p, sizeof(Pixel));
}

bool Inside(const cSurfaceLock& lock, long long x, long long y) {
  return x >= 0 && y >= 0 && x < lock.m_lpSD->nWidth && y < lock.m_lpSD->nHeight;
}

// How one mode reads a source pixel's three channels and writes an average.
struct Channels {
  bool direct3D = false;
  bool toBack = false;  // Direct3D 16 bits onto the full-screen back buffer
  bool Transparent(DWORD p, bool keyed) const {
    if (!keyed) return false;
    if (!direct3D) return p == DDTransmitKey;
    return DDBpp == 16 ? (p & 0xA000) == 0 : (p >> 24) == 0;
  }
  void Read(DWORD p, unsigned out[3]) const {
    if (DDBpp == 32) {
      out[0] = (p >> 16) & 0xFF;
      out[1] = (p >> 8) & 0xFF;
      out[2] = p & 0xFF;
      return;
    }
    const DDPixelLayout& f = DDPixelFormat;
    out[0] = (p >> f.nRedShift) & static_cast<unsigned>(f.nRedMax);
    out[1] = (p >> f.nGreenShift) & static_cast<unsigned>(f.nGreenMax);
    out[2] = (p >> f.nBlueShift) & static_cast<unsigned>(f.nBlueMax);
  }
  DWORD Write(const unsigned c[3], DWORD old) const {
    if (DDBpp == 32) {
      const DWORD high = direct3D ? 0xFF000000u : (old & 0xFF000000u);
      return high | c[0] << 16 | c[1] << 8 | c[2];
    }
    if (toBack) {
      const DDPixelLayout& b = DDBackPixelFormat;
      return c[0] << b.nRedShift | (c[1] * 2) << b.nGreenShift | c[2] << b.nBlueShift;
    }
    const DDPixelLayout& f = DDPixelFormat;
    DWORD p = (c[0] & static_cast<unsigned>(f.nRedMax)) << f.nRedShift |
              (c[1] & static_cast<unsigned>(f.nGreenMax)) << f.nGreenShift |
              (c[2] & static_cast<unsigned>(f.nBlueMax)) << f.nBlueShift;
    if (direct3D) p |= (static_cast<unsigned>(f.nAlphaMax) & 1) << f.nAlphaShift;
    return p;
  }
};

template <typename Pixel>
void Blur(const Locks& l, int x, int y, int w, int h, int rx, int ry, int sx, int sy, bool keyed, const Channels& ch) {
  // Running sums over the blit rectangle: integral images of the three channels and of the
  // counted pixels, so each window costs four reads whatever its size.
  const std::size_t stride = static_cast<std::size_t>(w) + 1;
  std::vector<std::uint32_t> sum[4];
  for (auto& s : sum) s.assign(stride * (static_cast<std::size_t>(h) + 1), 0);
  std::vector<std::uint8_t> transparent(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 1);
  for (int j = 0; j < h; ++j) {
    std::uint32_t row[4] = {0, 0, 0, 0};
    for (int i = 0; i < w; ++i) {
      if (Inside(l.src, sx + i, sy + j)) {
        const DWORD p = Load<Pixel>(l.src, sx + i, sy + j);
        if (!ch.Transparent(p, keyed)) {
          unsigned c[3];
          ch.Read(p, c);
          row[0] += c[0];
          row[1] += c[1];
          row[2] += c[2];
          row[3] += 1;
          transparent[static_cast<std::size_t>(j) * static_cast<std::size_t>(w) + static_cast<std::size_t>(i)] = 0;
        }
      }
      const std::size_t at = (static_cast<std::size_t>(j) + 1) * stride + static_cast<std::size_t>(i) + 1;
      for (int k = 0; k < 4; ++k) sum[k][at] = sum[k][at - stride] + row[k];
    }
  }
  auto box = [&](int k, int i0, int j0, int i1, int j1) {
    return sum[k][static_cast<std::size_t>(j1) * stride + static_cast<std::size_t>(i1)] -
           sum[k][static_cast<std::size_t>(j0) * stride + static_cast<std::size_t>(i1)] -
           sum[k][static_cast<std::size_t>(j1) * stride + static_cast<std::size_t>(i0)] +
           sum[k][static_cast<std::size_t>(j0) * stride + static_cast<std::size_t>(i0)];
  };
  for (int j = 0; j < h; ++j) {
    if (!Inside(l.dst, 0, static_cast<long long>(y) + j)) continue;
    const int j0 = std::max(0, j - ry), j1 = std::min(h, j + ry);
    for (int i = 0; i < w; ++i) {
      if (!Inside(l.dst, static_cast<long long>(x) + i, static_cast<long long>(y) + j)) continue;
      if (keyed && transparent[static_cast<std::size_t>(j) * static_cast<std::size_t>(w) + static_cast<std::size_t>(i)]) {
        continue;
      }
      const int i0 = std::max(0, i - rx), i1 = std::min(w, i + rx);
      const std::uint32_t count = box(3, i0, j0, i1, j1);
      if (count == 0) continue;
      const unsigned c[3] = {box(0, i0, j0, i1, j1) / count, box(1, i0, j0, i1, j1) / count,
                             box(2, i0, j0, i1, j1) / count};
      const DWORD old = Load<Pixel>(l.dst, x + i, y + j);
      Store<Pixel>(l.dst, x + i, y + j, static_cast<Pixel>(ch.Write(c, old)));
    }
  }
}

template <typename Pixel>
void MosaicTopLeft(const Locks& l, int x, int y, int w, int h, int b, int sx, int sy, bool keyed, const Channels& ch) {
  for (int bj = 0; bj < h; bj += b) {
    for (int bi = 0; bi < w; bi += b) {
      if (!Inside(l.src, static_cast<long long>(sx) + bi, static_cast<long long>(sy) + bj)) continue;
      DWORD p = Load<Pixel>(l.src, sx + bi, sy + bj);
      if (ch.Transparent(p, keyed)) continue;
      if (ch.direct3D && DDBpp == 32) p |= 0xFF000000u;
      if (ch.toBack) {
        unsigned c[3];
        ch.Read(p, c);
        p = ch.Write(c, 0);
      }
      for (int j = bj; j < std::min(h, bj + b); ++j) {
        for (int i = bi; i < std::min(w, bi + b); ++i) {
          if (Inside(l.dst, static_cast<long long>(x) + i, static_cast<long long>(y) + j)) {
            Store<Pixel>(l.dst, x + i, y + j, static_cast<Pixel>(p));
          }
        }
      }
    }
  }
}

template <typename Pixel>
void MosaicAverage(const Locks& l, int x, int y, int w, int h, int b, int sx, int sy, bool keyed) {
  const DDPixelLayout& f = DDPixelFormat;
  const int shifts[3] = {f.nRedShift, f.nGreenShift, f.nBlueShift};
  const int maxes[3] = {f.nRedMax, f.nGreenMax, f.nBlueMax};
  for (int bj = 0; bj < h; bj += b) {
    for (int bi = 0; bi < w; bi += b) {
      unsigned sum[3] = {0, 0, 0}, count = 0;
      for (int j = bj; j < std::min(h, bj + b); ++j) {
        for (int i = bi; i < std::min(w, bi + b); ++i) {
          if (!Inside(l.src, static_cast<long long>(sx) + i, static_cast<long long>(sy) + j)) continue;
          const DWORD p = Load<Pixel>(l.src, sx + i, sy + j);
          if (keyed && p == DDTransmitKey) continue;
          for (int c = 0; c < 3; ++c) {
            if (sizeof(Pixel) == 4) {
              sum[c] += (p >> (16 - 8 * c)) & 0xFF;
            } else {
              sum[c] += ((p >> shifts[c]) & static_cast<unsigned>(maxes[c])) * 255 / static_cast<unsigned>(maxes[c]);
            }
          }
          ++count;
        }
      }
      if (count == 0) continue;
      DWORD colour = 0;
      for (int c = 0; c < 3; ++c) {
        const unsigned average = sum[c] / count;
        colour |= sizeof(Pixel) == 4 ? average << (16 - 8 * c)
                                     : (average * static_cast<unsigned>(maxes[c]) / 255) << shifts[c];
      }
      if (keyed && colour == (sizeof(Pixel) == 4 ? (DDTransmitKey & 0xFFFFFFu) : DDTransmitKey)) {
        continue;
      }
      for (int j = bj; j < std::min(h, bj + b); ++j) {
        for (int i = bi; i < std::min(w, bi + b); ++i) {
          if (!Inside(l.dst, static_cast<long long>(x) + i, static_cast<long long>(y) + j)) continue;
          const DWORD old = Load<Pixel>(l.dst, x + i, y + j);
          const DWORD out = sizeof(Pixel) == 4 ? ((old & 0xFF000000u) | colour) : colour;
          Store<Pixel>(l.dst, x + i, y + j, static_cast<Pixel>(out));
        }
      }
    }
  }
}

bool Refused(int w, int h) { return w <= 0 || h <= 0 || static_cast<long long>(w) * h > kMaxEffectPixels; }

}  // namespace

bool DDBlurBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int rx, int ry, DDSURFACEDATA* lpSrc, int sx, int sy,
               int nFlags) {
  if (rx == 0 || ry == 0) return true;
  if (rx < 0 || ry < 0 || Refused(w, h) || lpDst == nullptr || lpSrc == nullptr) return true;
  Locks l(lpDst, lpSrc);
  if (!l.ok()) return false;
  Channels ch;
  ch.direct3D = lpDTCon != nullptr;
  ch.toBack = ch.direct3D && DDBpp == 16 && DDIsFullScreenBackBuffer(l.dst.m_lpSD);
  const bool keyed = nFlags == 1;
  if (DDBpp == 8) {
    ErrLogf("8ビットぼかしは不可能！");
  } else if (DDBpp == 16) {
    Blur<WORD>(l, x, y, w, h, rx, ry, sx, sy, keyed, ch);
  } else if (DDBpp == 32) {
    Blur<DWORD>(l, x, y, w, h, rx, ry, sx, sy, keyed, ch);
  }
  return true;
}

bool DDMosaicBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int b, DDSURFACEDATA* lpSrc, int sx, int sy,
                 int nFlags) {
  if (b == 0) return true;
  if (b < 0 || Refused(w, h) || lpDst == nullptr || lpSrc == nullptr) return true;
  Locks l(lpDst, lpSrc);
  if (!l.ok()) return false;
  Channels ch;
  ch.direct3D = lpDTCon != nullptr;
  ch.toBack = ch.direct3D && DDBpp == 16 && DDIsFullScreenBackBuffer(l.dst.m_lpSD);
  const bool keyed = nFlags == 1;
  if (ch.direct3D) {
    if (DDBpp == 16) MosaicTopLeft<WORD>(l, x, y, w, h, b, sx, sy, keyed, ch);
    if (DDBpp == 32) MosaicTopLeft<DWORD>(l, x, y, w, h, b, sx, sy, keyed, ch);
  } else if (DDBpp == 8) {
    MosaicTopLeft<BYTE>(l, x, y, w, h, b, sx, sy, keyed, ch);
  } else if (DDBpp == 16) {
    MosaicAverage<WORD>(l, x, y, w, h, b, sx, sy, keyed);
  } else if (DDBpp == 32) {
    MosaicAverage<DWORD>(l, x, y, w, h, b, sx, sy, keyed);
  }
  return true;
}
