#include "gfx/dd_fill.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "core/message_boxes.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/fill_batch.h"
#include "gfx/render_target.h"
#include "gfx/surface_lock.h"

namespace {

using platform::Succeeded;

struct FillArea {
  int x, y, w, h;
};

// The part of the rectangle that lies on a record of the given size; false when nothing does.
bool ClipToRecord(int x, int y, int nWidth, int nHeight, int nRecordWidth, int nRecordHeight, FillArea& area) {
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + nWidth, nRecordWidth);
  const int bottom = std::min(y + nHeight, nRecordHeight);
  if (left >= right || top >= bottom) return false;
  area = {left, top, right - left, bottom - top};
  return true;
}

void FillDD(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, DWORD dwPixel) {
  if (lpSD->lpDDraw == nullptr || lpSD->lpDDraw->lpSurface == nullptr) return;
  platform::DrawSurface& surface = *lpSD->lpDDraw->lpSurface;
  FillArea a;
  if (!ClipToRecord(x, y, nWidth, nHeight, std::min(lpSD->nWidth, surface.Width()),
                    std::min(lpSD->nHeight, surface.Height()), a)) {
    return;
  }
  const platform::PixelRect rect{a.x, a.y, a.x + a.w, a.y + a.h};
  surface.Blt(&rect, nullptr, nullptr, platform::kBltColorFill | platform::kBltWait, dwPixel);
}

void ClearRect(DDSURFACEDATA* lpSD, const FillArea& a, D3DCOLOR dwColor) {
  if (!DDBeginScene() || !DDSetRenderTarget(0, lpSD)) return;
  const platform::PixelRect rect{a.x, a.y, a.x + a.w, a.y + a.h};
  lpDevice->Clear(&rect, 1, dwColor);
  DDSetRenderTarget(0, lpDTCon->lpRestRT);
}

void DrawFactorQuad(DDSURFACEDATA* lpSD, const FillArea& a, D3DCOLOR dwColor) {
  DTTEXTUREDATA& dt = *lpSD->lpDT;
  if (dt.lpVB == nullptr) return;
  DTVERTEX* v = nullptr;
  if (!Succeeded(dt.lpVB->Lock(0, 4, v))) return;
  DDQuadVertices(v, a.x, a.y, a.w, a.h, dwColor, 0.0f, 0.0f, 0.0f, 0.0f);
  dt.lpVB->Unlock();
  if (!DDBeginScene() || !DDSetRenderTarget(0, lpSD)) return;
  lpDevice->SetTextureFactor(dwColor);
  platform::StageState stage = lpDevice->GetStageState();
  stage.colorOp = platform::TextureOp::SelectArg2;
  stage.colorArg2 = platform::TextureArg::TFactor;
  stage.alphaOp = platform::TextureOp::SelectArg2;
  stage.alphaArg2 = platform::TextureArg::TFactor;
  lpDevice->SetStageState(stage);
  lpDevice->SetStreamSource(dt.lpVB);
  lpDevice->DrawPrimitive(0, 2);
  DDSetRenderTarget(0, lpDTCon->lpRestRT);
}

void FillRenderTarget(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, D3DCOLOR dwColor) {
  FillArea a;
  if (!ClipToRecord(x, y, nWidth, nHeight, lpSD->nWidth, lpSD->nHeight, a)) return;
  const D3DCOLOR transparent = lpSD == &SDBackBuffer ? lpDTCon->dwBackKey : lpDTCon->dwTexClear;
  if (lpSD->lpDT->bColorKey && (DDBpp == 16 || DDBpp == 32) && dwColor == transparent) {
    ClearRect(lpSD, a, dwColor);
  } else if (DDFillBatch.bOpen) {
    DDFillBatch.Queue.push_back({lpSD, a.x, a.y, a.w, a.h, dwColor});
  } else {
    DrawFactorQuad(lpSD, a, dwColor);
  }
}

// A texture that is not a render target: its pixels are written through the lock.
void FillLockedTexture(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, D3DCOLOR dwColor) {
  cSurfaceLock lock(lpSD);
  if (lock.m_lpBits == nullptr) return;
  FillArea a;
  const int width = std::min(lpSD->nWidth, lpSD->nTexWidth), height = std::min(lpSD->nHeight, lpSD->nTexHeight);
  if (!ClipToRecord(x, y, nWidth, nHeight, width, height, a)) return;
  const DDPixelLayout& f = DDPixelFormat;
  const auto field = [](D3DCOLOR c, int at, int maximum) {
    return (static_cast<int>((c >> at) & 0xFF) * maximum / 255);
  };
  const WORD pixel16 = static_cast<WORD>(
      field(dwColor, 24, f.nAlphaMax) << f.nAlphaShift | field(dwColor, 16, f.nRedMax) << f.nRedShift |
      field(dwColor, 8, f.nGreenMax) << f.nGreenShift | field(dwColor, 0, f.nBlueMax) << f.nBlueShift);
  for (int row = a.y; row < a.y + a.h; ++row) {
    BYTE* p = lock.m_lpBits + (static_cast<std::ptrdiff_t>(row) * lock.m_nPitch + a.x) * lock.m_nBytes;
    for (int i = 0; i < a.w; ++i) {
      if (DDBpp == 32) {
        std::memcpy(p + 4 * i, &dwColor, 4);
      } else if (DDBpp == 16) {
        std::memcpy(p + 2 * i, &pixel16, 2);
      }
    }
  }
}

}  // namespace

void DDFillRect(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, DWORD dwPalNum) {
  const DWORD color = PalNumToRGB(dwPalNum);
  if (lpDTCon != nullptr) {
    DDFillRectRGB(lpSD, x, y, nWidth, nHeight, color);
  } else if (lpSD != nullptr) {
    FillDD(lpSD, x, y, nWidth, nHeight, color);
  }
}

void DDFillSurface(DDSURFACEDATA* lpSD, DWORD dwPalNum) {
  if (lpSD != nullptr) DDFillRect(lpSD, 0, 0, lpSD->nWidth, lpSD->nHeight, dwPalNum);
}

void DDFillRectRGB(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, DWORD dwColor) {
  if (lpSD == nullptr) return;
  if (lpDTCon == nullptr) {
    FillDD(lpSD, x, y, nWidth, nHeight, dwColor);
    return;
  }
  DDResolveAlias(&lpSD);
  DDRedirectBackBuffer(&lpSD);
  if (lpSD->lpDT == nullptr || lpDevice == nullptr) return;
  if (lpSD->lpDT->bRenderTarget) {
    FillRenderTarget(lpSD, x, y, nWidth, nHeight, dwColor);
  } else {
    FillLockedTexture(lpSD, x, y, nWidth, nHeight, dwColor);
  }
}

void DDFillSurfaceRGB(DDSURFACEDATA* lpSD, DWORD dwColor) {
  if (lpSD != nullptr) DDFillRectRGB(lpSD, 0, 0, lpSD->nWidth, lpSD->nHeight, dwColor);
}

int DDBuildIndexMap(std::vector<BYTE>* lpMap, DDSURFACEDATA* lpSD) {
  cSurfaceLock lock(lpSD);
  if (lock.m_lpBits == nullptr) {
    OutOfMemoryExit();
    return 0;
  }
  const int height = std::min(lpSD->nHeight, lock.m_lpSD->nTexHeight);
  const int width = std::min(lpSD->nWidth, lock.m_lpSD->nTexWidth);
  lpMap->assign(static_cast<std::size_t>(lock.m_lpSD->nTexHeight) * static_cast<std::size_t>(lock.m_nPitch), 0);

  // The first palette entry of each colour, keyed by the colour as the pixels hold it.
  const DDPixelLayout& f = DDPixelFormat;
  const bool d3d = lpDTCon != nullptr;
  std::unordered_map<DWORD, BYTE> firstEntry;
  for (int i = 255; i >= 0; --i) {
    const PALETTEENTRY& e = DDPalette[i];
    const DWORD key = DDBpp == 16 && !d3d
                          ? DDPalToRGB16(&e)
                          : static_cast<DWORD>(e.peRed) << 16 | static_cast<DWORD>(e.peGreen) << 8 | e.peBlue;
    firstEntry[key] = static_cast<BYTE>(i);
  }
  const auto widen = [](DWORD p, int shift, int maximum) {
    return maximum != 0
               ? static_cast<DWORD>((p >> shift) & static_cast<DWORD>(maximum)) * 255 / static_cast<DWORD>(maximum)
               : 0;
  };
  const bool keyed = d3d && lpSD->lpDT != nullptr && lpSD->lpDT->bColorKey;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const BYTE* p = lock.m_lpBits + (static_cast<std::ptrdiff_t>(y) * lock.m_nPitch + x) * lock.m_nBytes;
      DWORD pixel = 0;
      std::memcpy(&pixel, p, static_cast<std::size_t>(lock.m_nBytes));
      BYTE& out =
          (*lpMap)[static_cast<std::size_t>(y) * static_cast<std::size_t>(lock.m_nPitch) + static_cast<std::size_t>(x)];
      DWORD key = pixel & 0xFFFFFF;
      if (DDBpp == 16 && d3d) {
        if (keyed && pixel == 0) {
          out = 0;
          continue;
        }
        key = widen(pixel, f.nRedShift, f.nRedMax) << 16 | widen(pixel, f.nGreenShift, f.nGreenMax) << 8 |
              widen(pixel, f.nBlueShift, f.nBlueMax);
      } else if (DDBpp == 16) {
        key = pixel & 0xFFFF;
      }
      if (const auto found = firstEntry.find(key); found != firstEntry.end()) out = found->second;
    }
  }
  return 1;
}
