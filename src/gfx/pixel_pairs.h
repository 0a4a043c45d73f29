#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gfx/surface_lock.h"

// The walk every two-record pixel routine shares: rows i of 0..h-1 and columns j of 0..w-1 whose
// target pixel (x + j, y + i) and source pixel (sx + j, sy + i), or (sx - 1 - j, sy + i) for a
// mirrored cell, both lie inside their records. The tests are made once per row, so each row is
// one run that the kernel takes as two plain arrays: kernel(target, source, count).
template <typename Pixel, typename Kernel>
void DDWalkPixelPairs(const cSurfaceLock& dst, const cSurfaceLock& src, int x, int y, int w, int h, int sx, int sy,
                      bool mirrored, Kernel&& kernel) {
  const long long dstW = dst.m_lpSD->nWidth, dstH = dst.m_lpSD->nHeight;
  const long long srcW = src.m_lpSD->nWidth, srcH = src.m_lpSD->nHeight;
  long long first = std::max(0LL, -static_cast<long long>(x));
  long long last = std::min<long long>(w, dstW - x);
  if (mirrored) {
    first = std::max(first, static_cast<long long>(sx) - srcW);
    last = std::min<long long>(last, sx);
  } else {
    first = std::max(first, -static_cast<long long>(sx));
    last = std::min<long long>(last, srcW - sx);
  }
  if (first >= last) return;
  const int count = static_cast<int>(last - first);
  std::vector<Pixel> reversed(mirrored ? static_cast<std::size_t>(count) : 0);
  // Rows inside both records only, so that no rectangle size makes a long walk.
  const long long rowFirst = std::max({0LL, -static_cast<long long>(y), -static_cast<long long>(sy)});
  const long long rowLast = std::min({static_cast<long long>(h), dstH - y, srcH - sy});
  for (long long i = rowFirst; i < rowLast; ++i) {
    const long long ty = y + i, syy = sy + i;
    Pixel* target = reinterpret_cast<Pixel*>(dst.m_lpBits) + ty * dst.m_nPitch + x + first;
    const Pixel* source = reinterpret_cast<const Pixel*>(src.m_lpBits) + syy * src.m_nPitch;
    if (mirrored) {
      for (int j = 0; j < count; ++j) reversed[static_cast<std::size_t>(j)] = source[sx - 1 - (first + j)];
      kernel(target, reversed.data(), count);
    } else {
      kernel(target, source + sx + first, count);
    }
  }
}
