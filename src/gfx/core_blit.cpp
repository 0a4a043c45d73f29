#include "gfx/core_blit.h"

#include <cstring>

#include "gfx/clip_blt.h"
#include "gfx/dd_state.h"
#include "gfx/quad_state.h"
#include "gfx/render_target.h"
#include "gfx/sprite_batch.h"
#include "gfx/software_blit.h"

namespace {

using platform::Succeeded;

platform::DrawSurface* DrawSurfaceOf(DDSURFACEDATA* lpSD) {
  return lpSD != nullptr && lpSD->lpDDraw != nullptr ? lpSD->lpDDraw->lpSurface.get() : nullptr;
}

void BltStretchDD(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                  int sh, int nFlags) {
  platform::DrawSurface* target = DrawSurfaceOf(lpDst);
  platform::DrawSurface* source = DrawSurfaceOf(lpSrc);
  if (target == nullptr || source == nullptr) return;
  if (!DDClipBlt(lpDst, &x, &y, &w, &h, lpSrc, &sx, &sy, &sw, &sh)) return;
  const platform::PixelRect to{x, y, x + w, y + h};
  const platform::PixelRect from{sx, sy, sx + sw, sy + sh};
  target->Blt(&to, source, &from, platform::kBltWait | (nFlags == 1 ? platform::kBltKeySrc : 0u));
}

void DrawQuadNow(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int x, int y, int w, int h, int sx, int sy, int sw,
                 int sh, int nFlags) {
  DTTEXTUREDATA& src = *lpSrc->lpDT;
  if (src.lpVB == nullptr) return;
  DTVERTEX* v = nullptr;
  if (!Succeeded(src.lpVB->Lock(0, 4, v))) return;
  DDWriteSpriteQuad(v, lpSrc, x, y, w, h, sx, sy, sw, sh, lpDTCon->dwDiffuse);
  src.lpVB->Unlock();
  if (!DDBeginScene() || !DDSetRenderTarget(0, lpDst)) return;
  DDKeyClear(lpDst, lpSrc, nFlags, x, y, w, h);
  DDSetQuadStage(lpDTCon->nColorOp, lpDTCon->nAlphaOp, lpSrc);
  lpDevice->SetStreamSource(src.lpVB);
  lpDevice->DrawPrimitive(0, 2);
  DDSetRenderTarget(0, lpDTCon->lpRestRT);
}

void BltStretchD3D(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                   int sh, int nFlags) {
  if (lpDst == nullptr || lpSrc == nullptr) return;
  DDResolveAlias(&lpDst);
  DDResolveAlias(&lpSrc);
  if (lpDTCon->bCopyMode) {
    lpDst = &SDBackBuffer;
    lpSrc = &SDVirBackBuffer;
  } else {
    DDRedirectBackBuffer(&lpDst);
    DDRedirectBackBuffer(&lpSrc);
  }
  if (lpDst->lpDT == nullptr || lpSrc->lpDT == nullptr) return;
  if (!lpDst->lpDT->bRenderTarget || lpSrc->lpDT->nMemoryType == DTMEMORYTYPE_SYSTEM) {
    DDSoftwareBlt(lpDst, x, y, w, h, lpSrc, sx, sy, sw, sh, nFlags);
    return;
  }
  if (!DDClipBlt(lpDst, &x, &y, &w, &h, lpSrc, &sx, &sy, &sw, &sh)) return;
  if (DDSpriteBatch.bOpen) {
    DDBatchQueue(lpDst, lpSrc, x, y, w, h, sx, sy, sw, sh, nFlags);
    return;
  }
  DrawQuadNow(lpDst, lpSrc, x, y, w, h, sx, sy, sw, sh, nFlags);
}

}  // namespace

void DDBltStretch(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                  int sh, int nFlags) {
  DDMirrorCellRect(lpSrc, &sx, &sy, &sw, &sh);
  if (lpDTCon != nullptr) {
    BltStretchD3D(lpDst, x, y, w, h, lpSrc, sx, sy, sw, sh, nFlags);
  } else if (DDCtx != nullptr) {
    BltStretchDD(lpDst, x, y, w, h, lpSrc, sx, sy, sw, sh, nFlags);
  }
}

int DDBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int nFlags) {
  if (lpDTCon != nullptr) {
    DDBltStretch(lpDst, x, y, w, h, lpSrc, sx, sy, w, h, nFlags);
    return 0;
  }
  platform::DrawSurface* target = DrawSurfaceOf(lpDst);
  platform::DrawSurface* source = DrawSurfaceOf(lpSrc);
  if (target == nullptr || source == nullptr) return 0;
  int sw = w, sh = h;
  if (!DDClipBlt(lpDst, &x, &y, &w, &h, lpSrc, &sx, &sy, &sw, &sh)) return 0;
  const platform::PixelRect from{sx, sy, sx + w, sy + h};
  const unsigned flags = platform::kBltFastWait | (nFlags == 1 ? platform::kBltFastSrcColorKey : 0u);
  return static_cast<int>(target->BltFast(x, y, *source, &from, flags));
}

void DDBltStretchWithState(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy,
                           int sw, int sh, int nFlags, const DTDRAWSTATE* lpState) {
  if (lpDTCon == nullptr || lpState == nullptr) {
    DDBltStretch(lpDst, x, y, w, h, lpSrc, sx, sy, sw, sh, nFlags);
    return;
  }
  DDSetDiffuse(lpState->dwDiffuse);
  DDSetColorOp(lpState->nColorOp);
  DDBltStretch(lpDst, x, y, w, h, lpSrc, sx, sy, sw, sh, nFlags);
  DDResetDiffuse();
  DDResetColorOp();
}

void DDBltWithState(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy,
                    int nFlags, const DTDRAWSTATE* lpState) {
  if (lpDTCon == nullptr) {
    DDBlt(lpDst, x, y, w, h, lpSrc, sx, sy, nFlags);
    return;
  }
  DDBltStretchWithState(lpDst, x, y, w, h, lpSrc, sx, sy, w, h, nFlags, lpState);
}
