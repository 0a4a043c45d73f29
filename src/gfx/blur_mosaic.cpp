#include "gfx/blur_mosaic.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/report_log.h"
#include "gfx/blend_table.h"
#include "gfx/blur_kernels.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/mosaic_kernels.h"
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

// The blur's job in this mode: which source and target places the rectangle covers, how a
// pixel's channels are read and an average written.
BlurJob MakeBlurJob(const Locks& l, int x, int y, int w, int h, int rx, int ry, int sx, int sy, bool keyed,
                    const Channels& ch) {
  BlurJob job;
  const Span sourceColumns = Inside(sx, w, l.src.m_lpSD->nWidth), sourceRows = Inside(sy, h, l.src.m_lpSD->nHeight);
  const Span targetColumns = Inside(x, w, l.dst.m_lpSD->nWidth), targetRows = Inside(y, h, l.dst.m_lpSD->nHeight);
  job.bytes = DDBpp / 8;
  job.source = l.src.m_lpBits + (static_cast<long long>(sy) * l.src.m_nPitch + sx) * job.bytes;
  job.sourcePitch = l.src.m_nPitch;
  job.sourceRows[0] = sourceRows.first;
  job.sourceRows[1] = sourceRows.last;
  job.sourceColumns[0] = sourceColumns.first;
  job.sourceColumns[1] = sourceColumns.last;
  job.target = l.dst.m_lpBits + (static_cast<long long>(y) * l.dst.m_nPitch + x) * job.bytes;
  job.targetPitch = l.dst.m_nPitch;
  job.targetRows[0] = targetRows.first;
  job.targetRows[1] = targetRows.last;
  job.targetColumns[0] = targetColumns.first;
  job.targetColumns[1] = targetColumns.last;
  job.w = w;
  job.h = h;
  job.rx = rx;
  job.ry = ry;
  job.keyed = keyed;
  if (keyed) {
    if (!ch.direct3D) {
      job.absentMask = 0xFFFFFFFFu;
      job.absentValue = DDTransmitKey;
    } else {
      job.absentMask = DDBpp == 16 ? 0xA000u : 0xFF000000u;
      job.absentValue = 0;
    }
  }
  if (DDBpp == 32) {
    job.keep = ch.direct3D ? 0u : 0xFF000000u;
    job.extra = ch.direct3D ? 0xFF000000u : 0u;
    return job;
  }
  const DDPixelLayout& f = DDPixelFormat;
  const int shifts[3] = {f.nRedShift, f.nGreenShift, f.nBlueShift};
  const int maxes[3] = {f.nRedMax, f.nGreenMax, f.nBlueMax};
  for (int k = 0; k < 3; ++k) {
    job.readShift[k] = shifts[k];
    job.readMask[k] = static_cast<unsigned>(maxes[k]);
  }
  if (ch.toBack) {
    const DDPixelLayout& b = DDBackPixelFormat;
    const int backShifts[3] = {b.nRedShift, b.nGreenShift, b.nBlueShift};
    for (int k = 0; k < 3; ++k) {
      job.writeShift[k] = backShifts[k];
      job.writeMask[k] = 0xFFFFFFFFu;
    }
    job.greenScale = 2;
    return job;
  }
  for (int k = 0; k < 3; ++k) {
    job.writeShift[k] = shifts[k];
    job.writeMask[k] = static_cast<unsigned>(maxes[k]);
  }
  if (ch.direct3D) job.extra = (static_cast<unsigned>(f.nAlphaMax) & 1) << f.nAlphaShift;
  return job;
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

// A band of blocks at a time: its sums, then its colours, then its rows filled.
template <typename Pixel>
void MosaicAverage(const Locks& l, int x, int y, int w, int h, int b, int sx, int sy, bool keyed) {
  const DDPixelLayout& f = DDPixelFormat;
  const int shifts[3] = {f.nRedShift, f.nGreenShift, f.nBlueShift};
  const int maxes[3] = {std::max(f.nRedMax, 1), std::max(f.nGreenMax, 1), std::max(f.nBlueMax, 1)};
  const Span targetColumns = Inside(x, w, l.dst.m_lpSD->nWidth), targetRows = Inside(y, h, l.dst.m_lpSD->nHeight);
  const Span sourceColumns = Inside(sx, w, l.src.m_lpSD->nWidth), sourceRows = Inside(sy, h, l.src.m_lpSD->nHeight);
  // Only blocks that meet both the source's and the target's columns are walked: the others have
  // no pixel to average or none to fill. So the records' widths bound the work, not w.
  const int lo = std::max(sourceColumns.first, targetColumns.first);
  const int hi = std::min(sourceColumns.last, targetColumns.last);
  if (lo >= hi) return;
  const int firstBlock = lo / b, blocks = (hi - 1) / b - firstBlock + 1;
  std::vector<ChannelSums> sums(static_cast<std::size_t>(blocks));
  std::vector<Pixel> colours(sums.size());
  std::vector<std::uint8_t> drawn(sums.size());
  const auto key = static_cast<Pixel>(DDTransmitKey);
  for (long long bj = 0; bj < h; bj += b) {
    std::fill(sums.begin(), sums.end(), ChannelSums{});
    const int j0 = static_cast<int>(std::max<long long>(bj, sourceRows.first));
    const int j1 = static_cast<int>(std::min<long long>(bj + b, sourceRows.last));
    if (j0 < j1) {
      const MosaicBand band{j1 - j0, b, firstBlock, blocks, sourceColumns.first, sourceColumns.last, l.src.m_nPitch};
      const Pixel* first = RowOf<Pixel>(l.src, static_cast<long long>(sy) + j0) + sx;
      if constexpr (sizeof(Pixel) == 4) {
        SumBand32(first, band, key, keyed, sums.data());
      } else {
        SumBand16(first, band, key, keyed, f, sums.data());
      }
    }
    for (std::size_t k = 0; k < sums.size(); ++k) {
      const ChannelSums& s = sums[k];
      drawn[k] = 0;
      if (s.count == 0) continue;
      const unsigned average[3] = {s.red / s.count, s.green / s.count, s.blue / s.count};
      DWORD colour = 0;
      for (int c = 0; c < 3; ++c) {
        colour |= sizeof(Pixel) == 4 ? average[c] << (16 - 8 * c)
                                     : (average[c] * static_cast<unsigned>(maxes[c]) / 255) << shifts[c];
      }
      if (keyed && colour == (sizeof(Pixel) == 4 ? (DDTransmitKey & 0xFFFFFFu) : DDTransmitKey)) continue;
      colours[k] = static_cast<Pixel>(colour);
      drawn[k] = 1;
    }
    const int t0 = static_cast<int>(std::max<long long>(bj, targetRows.first));
    const int t1 = static_cast<int>(std::min<long long>(bj + b, targetRows.last));
    if (t0 < t1) {
      const MosaicBand band{t1 - t0, b, firstBlock, blocks, targetColumns.first, targetColumns.last, l.dst.m_nPitch};
      Pixel* first = RowOf<Pixel>(l.dst, static_cast<long long>(y) + t0) + x;
      if constexpr (sizeof(Pixel) == 4) {
        FillBand32(first, band, colours.data(), drawn.data());
      } else {
        FillBand16(first, band, colours.data(), drawn.data());
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
    RunBlur(MakeBlurJob(l, x, y, w, h, rx, ry, sx, sy, keyed, ch));
  } else if (DDBpp == 32) {
    RunBlur(MakeBlurJob(l, x, y, w, h, rx, ry, sx, sy, keyed, ch));
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
