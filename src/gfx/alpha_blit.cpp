#include "gfx/alpha_blit.h"

#include <algorithm>

#include "gfx/blend_kernels.h"
#include "gfx/blend_table.h"
#include "gfx/clip_blt.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/pixel_layouts.h"
#include "gfx/pixel_pairs.h"
#include "gfx/quad_state.h"
#include "gfx/render_target.h"

namespace {

using platform::Succeeded;

void AlphaQuad(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw, int sh,
               int nAlpha) {
  DTTEXTUREDATA& src = *lpSrc->lpDT;
  if (src.lpVB == nullptr) return;
  DTVERTEX* v = nullptr;
  if (!Succeeded(src.lpVB->Lock(0, 4, v))) return;
  DDWriteSpriteQuad(v, lpSrc, x, y, w, h, sx, sy, sw, sh, static_cast<D3DCOLOR>(255 - nAlpha) << 24 | 0xFFFFFFu);
  src.lpVB->Unlock();
  if (!DDBeginScene() || !DDSetRenderTarget(0, lpDst)) return;
  DDSetQuadStage(D3DTOP_MODULATE, D3DTOP_MODULATE, lpSrc);
  lpDevice->SetStreamSource(src.lpVB);
  lpDevice->DrawPrimitive(0, 2);
  if (DDSetRenderTarget(0, lpDTCon->lpRestRT)) {
    platform::StageState stage = lpDevice->GetStageState();
    stage.alphaOp = platform::TextureOp::SelectArg1;
    stage.alphaArg1 = platform::TextureArg::Texture;
    lpDevice->SetStageState(stage);
  }
}

// The two records locked, target first; false when either cannot be.
struct LockedPair {
  LockedPair(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc) : dst(lpDst), src(lpSrc) {}
  bool ok() const { return dst.m_lpBits != nullptr && src.m_lpBits != nullptr; }
  cSurfaceLock dst;
  cSurfaceLock src;
};

void SoftwareD3D(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy,
                 bool mirrored, bool keyed) {
  const bool toBack = DDIsFullScreenBackBuffer(lpDst) != 0;
  LockedPair locks(lpDst, lpSrc);
  if (!locks.ok()) return;
  if (DDBpp == 32) {
    DDWalkPixelPairs<DWORD>(locks.dst, locks.src, x, y, w, h, sx, sy, mirrored,
                            [&](DWORD* t, const DWORD* s, int n) { BlendRow32Alpha(t, s, n, keyed); });
  } else if (DDBpp == 16) {
    DDWalkPixelPairs<WORD>(locks.dst, locks.src, x, y, w, h, sx, sy, mirrored, [&](WORD* t, const WORD* s, int n) {
      if (toBack) {
        BlendRow16Back(t, s, n, DDPixelFormat, DDBackPixelFormat, keyed);
      } else {
        BlendRow16Texture(t, s, n, DDPixelFormat, keyed);
      }
    });
  }
}

bool SoftwareDD(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, bool keyed,
                const BYTE* lpTable) {
  LockedPair locks(lpDst, lpSrc);
  if (!locks.ok()) return false;
  if (DDBpp == 8) {
    const BYTE* table = lpTable != nullptr ? lpTable : DDBlendTable;
    DDWalkPixelPairs<BYTE>(locks.dst, locks.src, x, y, w, h, sx, sy, false,
                           [&](BYTE* t, const BYTE* s, int n) { BlendRow8(t, s, n, table, keyed); });
  } else if (DDBpp == 16 && IsLayout565(DDPixelFormat)) {
    const auto key = static_cast<WORD>(DDTransmitKey);
    DDWalkPixelPairs<WORD>(locks.dst, locks.src, x, y, w, h, sx, sy, false,
                           [&](WORD* t, const WORD* s, int n) { BlendRow16Key565(t, s, n, key, keyed); });
  } else if (DDBpp == 16) {
    Blend16Tables tables;
    MakeBlend16Tables(tables, DDPixelFormat);
    const auto key = static_cast<WORD>(DDTransmitKey);
    DDWalkPixelPairs<WORD>(locks.dst, locks.src, x, y, w, h, sx, sy, false,
                           [&](WORD* t, const WORD* s, int n) { BlendRow16Key(t, s, n, tables, key, keyed); });
  } else if (DDBpp == 32) {
    DDWalkPixelPairs<DWORD>(locks.dst, locks.src, x, y, w, h, sx, sy, false,
                            [&](DWORD* t, const DWORD* s, int n) { BlendRow32Key(t, s, n, DDTransmitKey, keyed); });
  }
  return true;
}

}  // namespace

bool DDBltAlpha(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int nFlags,
                const BYTE* lpTable, int nAlpha) {
  if (lpDst == nullptr || lpSrc == nullptr) return true;
  nAlpha = std::clamp(nAlpha, 0, 255);
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
      AlphaQuad(lpDst, x, y, w, h, lpSrc, sx, sy, sw, sh, nAlpha);
    } else {
      SoftwareD3D(lpDst, x, y, w, h, lpSrc, sx, sy, sw < 0, keyed);
    }
    return true;
  }
  if (DDCtx == nullptr) return true;
  return SoftwareDD(lpDst, x, y, w, h, lpSrc, sx, sy, keyed, lpTable);
}

bool DDBltHalf(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int nFlags,
               const BYTE* lpTable) {
  return DDBltAlpha(lpDst, x, y, w, h, lpSrc, sx, sy, nFlags, lpTable, 128);
}
