#include "gfx/bitmap_copy.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "core/report_log.h"
#include "gfx/bitmap_file.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/render_target.h"
#include "gfx/surface_lock.h"
#include "platform/video/gdi_copy.h"

namespace {

using platform::BmpImage;

// Column x of a cell of size `cell` goes to column cell - 1 - (x mod cell) of the same cell; a
// cell size of 0 leaves the axis unmirrored.
int MirrorIndex(int v, int cell) { return cell > 0 ? cell * (v / cell + 1) - (v % cell) - 1 : v; }

// Calls `copy(sourceX, sourceY, targetX, targetY)` for every pixel of the bitmap through the
// mirror mapping: a mirrored index past the bitmap ends that axis, so only whole cells are
// copied. Targets outside the surface are left out, should the file have changed size
// since the surface was made.
template <class Copy>
void ForEachMirroredPixel(const BmpImage& bitmap, int cellWidth, int cellHeight, int surfaceWidth, int surfaceHeight,
                          Copy copy) {
  for (int y = 0; y < bitmap.height; ++y) {
    const int ty = MirrorIndex(y, cellHeight);
    if (ty >= bitmap.height) break;
    if (ty >= surfaceHeight) continue;
    for (int x = 0; x < bitmap.width; ++x) {
      const int tx = MirrorIndex(x, cellWidth);
      if (tx >= bitmap.width) break;
      if (tx < surfaceWidth) copy(x, y, tx, ty);
    }
  }
}

platform::Palette GamePalette() {
  platform::PaletteEntry entries[256];
  for (int i = 0; i < 256; ++i) entries[i] = {DDPalette[i].peRed, DDPalette[i].peGreen, DDPalette[i].peBlue, 0};
  return platform::Palette(entries);
}

// Depth 8: the bitmap's palette indices. A bitmap of more bits has no indices; its colours go
// to the nearest entries of the game's palette.
void CopyIndices(DDSURFACEDATA* lpSD, const BmpImage& bitmap, const char* szFileName, int cellWidth, int cellHeight) {
  DDSURFACEDESC2 desc;
  BYTE* bits = nullptr;
  if (!DDLock(lpSD, &desc, &bits, 8) || bits == nullptr) return;
  const int width = static_cast<int>(desc.dwWidth), height = static_cast<int>(desc.dwHeight);
  if (width != bitmap.width || height != bitmap.height) {
    ErrLogf("CopyBitmap Err %s Surface(%d,%d) Bmp(%d,%d)", szFileName, width, height, bitmap.width, bitmap.height);
  } else if (bitmap.bitsPerPixel == 8) {
    ForEachMirroredPixel(bitmap, cellWidth, cellHeight, width, height,
                         [&](int x, int y, int tx, int ty) { bits[ty * desc.lPitch + tx] = bitmap.Row(y)[x]; });
  } else {
    const platform::Palette palette = GamePalette();
    std::unordered_map<std::uint32_t, BYTE> nearest;
    ForEachMirroredPixel(bitmap, cellWidth, cellHeight, width, height, [&](int x, int y, int tx, int ty) {
      const std::uint32_t color = bitmap.ColorAt(x, y);
      auto found = nearest.find(color);
      if (found == nearest.end()) found = nearest.emplace(color, platform::NearestPaletteIndex(palette, color)).first;
      bits[ty * desc.lPitch + tx] = found->second;
    });
  }
  DDUnlock(lpSD);
}

// Depth 16 from a 24- or 32-bit bitmap: the transparent colour becomes DDTransmitKey and no
// opaque pixel may become it.
void CopyHiColor(DDSURFACEDATA* lpSD, const BmpImage& bitmap, int cellWidth, int cellHeight) {
  DDSURFACEDESC2 desc;
  BYTE* bits = nullptr;
  if (!DDLock(lpSD, &desc, &bits, 16) || bits == nullptr) return;
  const DDPixelLayout& f = DDPixelFormat;
  const RGBTRIPLE key = DDCtx != nullptr ? DDCtx->rgbKey16 : RGBTRIPLE{};
  ForEachMirroredPixel(bitmap, cellWidth, cellHeight, static_cast<int>(desc.dwWidth), static_cast<int>(desc.dwHeight),
                       [&](int x, int y, int tx, int ty) {
                         const std::uint32_t c = bitmap.ColorAt(x, y);
                         const int r = static_cast<int>(c >> 16 & 0xFF), g = static_cast<int>(c >> 8 & 0xFF),
                                   b = static_cast<int>(c & 0xFF);
                         DWORD pixel;
                         if (b == key.rgbtBlue && g == key.rgbtGreen && r == key.rgbtRed) {
                           pixel = DDTransmitKey;
                         } else {
                           pixel = static_cast<DWORD>(r * f.nRedMax / 255) << f.nRedShift |
                                   static_cast<DWORD>(g * f.nGreenMax / 255) << f.nGreenShift |
                                   static_cast<DWORD>(b * f.nBlueMax / 255) << f.nBlueShift;
                           if (pixel == DDTransmitKey) {
                             const bool blueAtMaximum =
                                 static_cast<int>((pixel >> f.nBlueShift) & f.nBlueMax) == f.nBlueMax;
                             pixel = blueAtMaximum ? pixel - 1 : pixel + 1;
                           }
                         }
                         const auto word = static_cast<WORD>(pixel);
                         std::memcpy(bits + ty * desc.lPitch + tx * 2, &word, 2);
                       });
  DDUnlock(lpSD);
}

// Every other depth and bitmap: through the surface's device context, which converts colours.
void CopyThroughContext(DDSURFACEDATA* lpSD, const BmpImage& bitmap, int cellWidth, int cellHeight) {
  platform::DrawSurface& surface = *lpSD->lpDDraw->lpSurface;
  platform::DeviceContext dc;
  if (!platform::Succeeded(surface.GetDC(dc))) return;
  const int w = bitmap.width, h = bitmap.height;
  if (cellWidth != 0 && cellHeight != 0) {
    for (int j = 0; j < h / cellHeight; ++j) {
      for (int i = 0; i < w / cellWidth; ++i) {
        platform::GdiStretchBlt(dc, i * cellWidth + cellWidth - 1, j * cellHeight + cellHeight - 1, -cellWidth,
                                -cellHeight, bitmap, i * cellWidth, j * cellHeight, cellWidth, cellHeight);
      }
    }
  } else if (cellWidth != 0) {
    for (int i = 0; i < w / cellWidth; ++i) {
      platform::GdiStretchBlt(dc, i * cellWidth + cellWidth - 1, 0, -cellWidth, h, bitmap, i * cellWidth, 0, cellWidth,
                              h);
    }
  } else if (cellHeight != 0) {
    for (int j = 0; j < h / cellHeight; ++j) {
      platform::GdiStretchBlt(dc, 0, j * cellHeight + cellHeight - 1, w, -cellHeight, bitmap, 0, j * cellHeight, w,
                              cellHeight);
    }
  } else {
    platform::GdiBitBlt(dc, 0, 0, w, h, bitmap, 0, 0);
  }
  surface.ReleaseDC();
}

}  // namespace

bool CopyBitmap(DDSURFACEDATA* lpSD, const char* szFileName, int nBpp, int bIndexMap, int nMirrorWidth,
                int nMirrorHeight) {
  if (lpDTCon != nullptr || szFileName == nullptr || szFileName[0] == '\0') return true;
  BmpImage bitmap;
  if (!DDLoadBitmapFile(szFileName, bitmap)) return false;
  if (lpSD == nullptr || lpSD->lpDDraw == nullptr || lpSD->lpDDraw->lpSurface == nullptr) return true;
  if (nBpp == 8) {
    CopyIndices(lpSD, bitmap, szFileName, nMirrorWidth, nMirrorHeight);
  } else if (nBpp == 16 && bitmap.bitsPerPixel != 8) {
    CopyHiColor(lpSD, bitmap, nMirrorWidth, nMirrorHeight);
  } else {
    CopyThroughContext(lpSD, bitmap, nMirrorWidth, nMirrorHeight);
  }
  lpSD->nWidth = bitmap.width;
  lpSD->nHeight = bitmap.height;
  lpSD->nMirrorWidth = nMirrorWidth;
  lpSD->nMirrorHeight = nMirrorHeight;
  DDCopyName(lpSD->szFileName, szFileName);
  if (bIndexMap && nBpp != 8) return DDBuildIndexMap(&lpSD->lpDDraw->IndexMap, lpSD) != 0;
  lpSD->lpDDraw->IndexMap.clear();
  return true;
}

bool CreateMirror(DDSURFACEDATA* lpSD, DDSURFACEDATA* lpSrc, int nMirrorWidth, int nMirrorHeight) {
  if (lpDTCon == nullptr || nMirrorWidth == 0 || nMirrorHeight != 0) return true;
  if (lpSD == nullptr || lpSrc == nullptr || lpSD->lpDT == nullptr) return true;
  if (lpSD->lpDT->bRenderTarget && DDSetRenderTarget(0, lpSD)) {
    lpDevice->Clear(nullptr, 0, lpDTCon->dwTexClear);
    DDSetRenderTarget(0, lpDTCon->lpRestRT);
  }
  // Each whole cell flipped left to right in place, pixel for pixel, as the core blit copies a
  // cell drawn with a negative source width.
  cSurfaceLock target(lpSD);
  cSurfaceLock source(lpSrc);
  if (target.m_lpBits == nullptr || source.m_lpBits == nullptr) return true;
  const int bytes = target.m_nBytes;
  const int cells = lpSrc->nWidth / nMirrorWidth;
  const int rows = std::min(lpSrc->nHeight, lpSD->nTexHeight);
  for (int y = 0; y < rows; ++y) {
    BYTE* out = target.m_lpBits + static_cast<std::ptrdiff_t>(y) * target.m_nPitch * bytes;
    const BYTE* in = source.m_lpBits + static_cast<std::ptrdiff_t>(y) * source.m_nPitch * bytes;
    for (int i = 0; i < cells; ++i) {
      for (int k = 0; k < nMirrorWidth; ++k) {
        const int tx = i * nMirrorWidth + k;
        const int sx = i * nMirrorWidth + nMirrorWidth - 1 - k;
        if (tx < lpSD->nTexWidth && sx < lpSrc->nTexWidth) std::memcpy(out + tx * bytes, in + sx * bytes, bytes);
      }
    }
  }
  return true;
}
