#include "gfx/quad_state.h"

#include "gfx/dd_state.h"
#include "gfx/render_target.h"

void DDWriteSpriteQuad(DTVERTEX* lpV, DDSURFACEDATA* lpSrc, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                       D3DCOLOR dwDiffuse) {
  const float tw = static_cast<float>(lpSrc->nTexWidth > 0 ? lpSrc->nTexWidth : 1);
  const float th = static_cast<float>(lpSrc->nTexHeight > 0 ? lpSrc->nTexHeight : 1);
  DDQuadVertices(lpV, x, y, w, h, dwDiffuse, static_cast<float>(sx) / tw, static_cast<float>(sy) / th,
                 static_cast<float>(sx + sw) / tw, static_cast<float>(sy + sh) / th);
}

void DDSetQuadStage(D3DTEXTUREOP nColorOp, D3DTEXTUREOP nAlphaOp, DDSURFACEDATA* lpSrc) {
  platform::StageState stage;
  stage.colorOp = static_cast<platform::TextureOp>(nColorOp);
  stage.colorArg1 = platform::TextureArg::Texture;
  stage.colorArg2 = platform::TextureArg::Diffuse;
  stage.alphaOp = static_cast<platform::TextureOp>(nAlphaOp);
  stage.alphaArg1 = platform::TextureArg::Texture;
  stage.alphaArg2 = platform::TextureArg::Diffuse;
  lpDevice->SetStageState(stage);
  lpDevice->SetTexture(lpSrc->lpDT != nullptr ? lpSrc->lpDT->lpTexture : nullptr);
}

void DDKeyClear(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int nFlags, int x, int y, int w, int h) {
  if (nFlags != 0 || lpSrc->lpDT == nullptr || !lpSrc->lpDT->bColorKey) return;
  if (DDBpp != 32 && DDBpp != 16) return;
  // The device takes a 32-bit colour and packs it into the target's own format, so the key is
  // given as the colour the target's key pixels hold, at either depth.
  const D3DCOLOR key = lpDst == &SDBackBuffer ? lpDTCon->dwBackKey : lpDTCon->dwTexClear;
  const platform::PixelRect rect{x, y, x + w, y + h};
  lpDevice->Clear(&rect, 1, key);
}
