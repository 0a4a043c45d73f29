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

// Exact division of a channel sum by a pixel count through a multiply: for a count d the sum
// is at most 255 d, and with m = ceil(2^48 / d) the product stays below 2^56 and the quotient is
// exact while 255 d^3 < 2^48; larger counts divide.
struct Divider {
  std::uint64_t multiplier = 0;
  std::uint32_t divisor = 1;
  explicit Divider(std::uint32_t d) : divisor(d) {
    if (d > 0 && d < 10000) multiplier = ((std::uint64_t{1} << 48) + d - 1) / d;
  }
  std::uint32_t operator()(std::uint32_t n) const {
    return multiplier != 0 ? static_cast<std::uint32_t>((n * multiplier) >> 48) : n / divisor;
  }
};

template <typename Pixel>
void Blur(const Locks& l, int x, int y, int w, int h, int rx, int ry, int sx, int sy, bool keyed, const Channels& ch) {
  // The source rectangle's channels (0 where a pixel is not counted) and counts, once.
  const std::size_t W = static_cast<std::size_t>(w);
  const std::size_t area = W * static_cast<std::size_t>(h);
  std::vector<std::uint16_t> value[4];
  for (auto& v : value) v.assign(area, 0);
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      if (!Inside(l.src, static_cast<long long>(sx) + i, static_cast<long long>(sy) + j)) continue;
      const DWORD p = Load<Pixel>(l.src, sx + i, sy + j);
      if (ch.Transparent(p, keyed)) continue;
      unsigned c[3];
      ch.Read(p, c);
      const std::size_t at = static_cast<std::size_t>(j) * W + static_cast<std::size_t>(i);
      value[0][at] = static_cast<std::uint16_t>(c[0]);
      value[1][at] = static_cast<std::uint16_t>(c[1]);
      value[2][at] = static_cast<std::uint16_t>(c[2]);
      value[3][at] = 1;
    }
  }
  // Running sums: per column over the window's rows, then along the row over its columns.
  std::vector<std::uint32_t> column[4];
  for (auto& c : column) c.assign(W, 0);
  auto addRow = [&](int row, int sign) {
    for (int k = 0; k < 4; ++k) {
      std::uint32_t* __restrict col = column[k].data();
      const std::uint16_t* __restrict v = value[k].data() + static_cast<std::size_t>(row) * W;
      for (std::size_t i = 0; i < W; ++i) col[i] += static_cast<std::uint32_t>(sign) * v[i];
    }
  };
  for (int row = 0; row < std::min(h, ry); ++row) addRow(row, 1);
  // Counts below the table's size take a precomputed multiplier.
  constexpr std::uint32_t kDividerTable = 4096;
  std::vector<Divider> dividers;
  dividers.reserve(kDividerTable);
  for (std::uint32_t d = 0; d < kDividerTable; ++d) dividers.emplace_back(d);
  for (int j = 0; j < h; ++j) {
    if (j > 0) {
      if (j + ry - 1 < h) addRow(j + ry - 1, 1);
      if (j - ry - 1 >= 0) addRow(j - ry - 1, -1);
    }
    const long long ty = static_cast<long long>(y) + j;
    if (!Inside(l.dst, 0, ty)) continue;
    std::uint32_t sum[4] = {0, 0, 0, 0};
    for (int i = 0; i < std::min(w, rx); ++i)
      for (int k = 0; k < 4; ++k) sum[k] += column[k][static_cast<std::size_t>(i)];
    for (int i = 0; i < w; ++i) {
      if (i > 0) {
        if (i + rx - 1 < w)
          for (int k = 0; k < 4; ++k) sum[k] += column[k][static_cast<std::size_t>(i + rx - 1)];
        if (i - rx - 1 >= 0)
          for (int k = 0; k < 4; ++k) sum[k] -= column[k][static_cast<std::size_t>(i - rx - 1)];
      }
      const long long tx = static_cast<long long>(x) + i;
      if (!Inside(l.dst, tx, ty)) continue;
      const std::size_t at = static_cast<std::size_t>(j) * W + static_cast<std::size_t>(i);
      if (keyed && value[3][at] == 0) continue;
      const std::uint32_t count = sum[3];
      if (count == 0) continue;
      const Divider divide = count < kDividerTable ? dividers[count] : Divider(count);
      const unsigned c[3] = {divide(sum[0]), divide(sum[1]), divide(sum[2])};
      const DWORD old = Load<Pixel>(l.dst, tx, ty);
      Store<Pixel>(l.dst, tx, ty, static_cast<Pixel>(ch.Write(c, old)));
    }
  }
}

// The rectangle's rows or columns (0..n-1) whose place origin + k lies in 0..size-1.
struct Span {
  int first = 0;
  int last = 0;  // excluded
};
Span Inside(long long origin, int n, long long size) {
  const long long first = std::max(0LL, -origin);
  const long long last = std::min<long long>(n, size - origin);
  return first < last ? Span{static_cast<int>(first), static_cast<int>(last)} : Span{0, 0};
}

template <typename Pixel>
Pixel* RowOf(const cSurfaceLock& lock, long long y) {
  return reinterpret_cast<Pixel*>(lock.m_lpBits) + y * lock.m_nPitch;
}

// Where block (bi, bj) of size b covers the target: the block cut by the rectangle and the
// target record.
template <typename Pixel, typename Put>
void FillBlock(const cSurfaceLock& dst, int x, int y, int bi, int bj, int b, Span columns, Span rows, Put&& put) {
  const int i0 = std::max(bi, columns.first), i1 = std::min(bi + b, columns.last);
  const int j0 = std::max(bj, rows.first), j1 = std::min(bj + b, rows.last);
  for (int j = j0; j < j1; ++j) {
    Pixel* row = RowOf<Pixel>(dst, static_cast<long long>(y) + j) + x;
    for (int i = i0; i < i1; ++i) row[i] = put(row[i]);
  }
}

template <typename Pixel>
void MosaicTopLeft(const Locks& l, int x, int y, int w, int h, int b, int sx, int sy, bool keyed, const Channels& ch) {
  const Span targetColumns = Inside(x, w, l.dst.m_lpSD->nWidth), targetRows = Inside(y, h, l.dst.m_lpSD->nHeight);
  const Span sourceColumns = Inside(sx, w, l.src.m_lpSD->nWidth), sourceRows = Inside(sy, h, l.src.m_lpSD->nHeight);
  for (int bj = 0; bj < h; bj += b) {
    if (bj < sourceRows.first || bj >= sourceRows.last) continue;
    const Pixel* sourceRow = RowOf<Pixel>(l.src, static_cast<long long>(sy) + bj) + sx;
    for (int bi = 0; bi < w; bi += b) {
      if (bi < sourceColumns.first || bi >= sourceColumns.last) continue;
      DWORD p = sourceRow[bi];
      if (ch.Transparent(p, keyed)) continue;
      if (ch.direct3D && DDBpp == 32) p |= 0xFF000000u;
      if (ch.toBack) {
        unsigned c[3];
        ch.Read(p, c);
        p = ch.Write(c, 0);
      }
      const auto colour = static_cast<Pixel>(p);
      FillBlock<Pixel>(l.dst, x, y, bi, bj, b, targetColumns, targetRows, [colour](Pixel) { return colour; });
    }
  }
}

template <typename Pixel>
void MosaicAverage(const Locks& l, int x, int y, int w, int h, int b, int sx, int sy, bool keyed) {
  const DDPixelLayout& f = DDPixelFormat;
  const int shifts[3] = {f.nRedShift, f.nGreenShift, f.nBlueShift};
  const int maxes[3] = {std::max(f.nRedMax, 1), std::max(f.nGreenMax, 1), std::max(f.nBlueMax, 1)};
  // 16-bit fields on the 0..255 scale, once.
  unsigned widen[3][64] = {};
  for (int c = 0; c < 3; ++c)
    for (int v = 0; v < 64; ++v) widen[c][v] = static_cast<unsigned>(std::min(v, maxes[c]) * 255 / maxes[c]);
  const auto key = static_cast<Pixel>(DDTransmitKey);
  const Span targetColumns = Inside(x, w, l.dst.m_lpSD->nWidth), targetRows = Inside(y, h, l.dst.m_lpSD->nHeight);
  const Span sourceColumns = Inside(sx, w, l.src.m_lpSD->nWidth), sourceRows = Inside(sy, h, l.src.m_lpSD->nHeight);
  for (int bj = 0; bj < h; bj += b) {
    for (int bi = 0; bi < w; bi += b) {
      unsigned sum[3] = {0, 0, 0}, count = 0;
      const int i0 = std::max(bi, sourceColumns.first), i1 = std::min(bi + b, sourceColumns.last);
      const int j0 = std::max(bj, sourceRows.first), j1 = std::min(bj + b, sourceRows.last);
      for (int j = j0; j < j1; ++j) {
        const Pixel* row = RowOf<Pixel>(l.src, static_cast<long long>(sy) + j) + sx;
        for (int i = i0; i < i1; ++i) {
          const Pixel p = row[i];
          if (keyed && p == key) continue;
          if constexpr (sizeof(Pixel) == 4) {
            sum[0] += (p >> 16) & 0xFF;
            sum[1] += (p >> 8) & 0xFF;
            sum[2] += p & 0xFF;
          } else {
            for (int c = 0; c < 3; ++c) sum[c] += widen[c][(p >> shifts[c]) & static_cast<unsigned>(maxes[c]) & 63];
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
      if (keyed && colour == (sizeof(Pixel) == 4 ? (DDTransmitKey & 0xFFFFFFu) : DDTransmitKey)) continue;
      FillBlock<Pixel>(l.dst, x, y, bi, bj, b, targetColumns, targetRows, [colour](Pixel old) {
        return static_cast<Pixel>(sizeof(Pixel) == 4 ? ((old & 0xFF000000u) | colour) : colour);
      });
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
