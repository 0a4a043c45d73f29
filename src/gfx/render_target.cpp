#include "gfx/render_target.h"

#include "core/report_log.h"
#include "gfx/core_blit.h"
#include "gfx/dd_state.h"

namespace {

using platform::Succeeded;

bool HasLevel(const DDSURFACEDATA& sd) { return sd.lpDT != nullptr && sd.lpDT->lpSurface != nullptr; }

}  // namespace

int DDBeginScene() {
  if (lpDevice == nullptr || lpDTCon == nullptr) return 0;
  if (lpDTCon->bInScene) return 1;
  const platform::VideoResult begun = lpDevice->BeginScene();
  if (!Succeeded(begun)) {
    Log("BeginScene Err %x", platform::ResultCode(begun));
    return 0;
  }
  lpDTCon->bInScene = 1;
  return 1;
}

void DDEndScene() {
  if (lpDevice == nullptr || lpDTCon == nullptr || !lpDTCon->bInScene) return;
  lpDevice->EndScene();
  lpDTCon->bInScene = 0;
}

int DDSetRenderTarget(int nIndex, DDSURFACEDATA* lpSD) {
  (void)nIndex;  // target 0 is always used
  if (lpSD == nullptr || lpSD->lpDT == nullptr || !lpSD->lpDT->bRenderTarget || lpDevice == nullptr) return 0;
  const platform::VideoResult set = lpDevice->SetRenderTarget(lpSD->lpDT->lpSurface);
  if (!Succeeded(set)) {
    Log("SetRenderTarget Err %x (%s)", platform::ResultCode(set), lpSD->szFileName);
    return 0;
  }
  return 1;
}

void DDSetVirtualBackBuffer(int bOn) {
  if (lpDTCon == nullptr) return;
  if (lpDTCon->bVirtualBackBuffer && !bOn && HasLevel(SDVirBackBuffer)) {
    DDCopyVirtualBackBuffer(&SDBackBuffer, &SDVirBackBuffer);
  }
  lpDTCon->bVirtualBackBuffer = bOn;
  lpDTCon->lpRestRT = bOn ? &SDBackBuffer : &SDVirBackBuffer;
  if (HasLevel(*lpDTCon->lpRestRT)) DDSetRenderTarget(0, lpDTCon->lpRestRT);
}

int DDRedirectBackBuffer(DDSURFACEDATA** lplpSD) {
  if (lpDTCon == nullptr || !lpDTCon->bVirtualBackBuffer || *lplpSD != &SDBackBuffer) return 0;
  *lplpSD = &SDVirBackBuffer;
  return 1;
}

void DDCopyVirtualBackBuffer(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc) {
  if (lpDTCon == nullptr || lpDst == nullptr || lpSrc == nullptr) return;
  lpDTCon->bCopyMode = 1;
  DDSetAlphaOp(D3DTOP_DISABLE);
  // In copy mode the core blit draws "VirBackBuffer" onto "BackBuffer" whatever it is given.
  DDBlt(lpDst, 0, 0, lpSrc->nWidth, lpSrc->nHeight, lpSrc, 0, 0, 0);
  DDSetAlphaOp(D3DTOP_SELECTARG1);
  lpDTCon->bCopyMode = 0;
}

void DDResolveAlias(DDSURFACEDATA** lplpSD) {
  if (lpDTCon == nullptr || *lplpSD == nullptr || (*lplpSD)->lpAliasSrc == nullptr) return;
  *lplpSD = (*lplpSD)->lpAliasSrc;
}

void DDSetDiffuse(D3DCOLOR dwColor) {
  if (lpDTCon != nullptr) lpDTCon->dwDiffuse = dwColor;
}
void DDSetColorOp(D3DTEXTUREOP nOp) {
  if (lpDTCon != nullptr) lpDTCon->nColorOp = nOp;
}
void DDSetAlphaOp(D3DTEXTUREOP nOp) {
  if (lpDTCon != nullptr) lpDTCon->nAlphaOp = nOp;
}
void DDResetDiffuse() { DDSetDiffuse(0xFFFFFFFF); }
void DDResetColorOp() { DDSetColorOp(D3DTOP_MODULATE); }
void DDResetAlphaOp() { DDSetAlphaOp(D3DTOP_SELECTARG1); }

void DDQuadVertices(DTVERTEX* lpV, int x, int y, int nWidth, int nHeight, D3DCOLOR dwDiffuse, float uL, float vT,
                    float uR, float vB) {
  // Integer sums first, then to float; only positions get the half-pixel offset.
  const float left = static_cast<float>(x) - 0.5f;
  const float top = static_cast<float>(y) - 0.5f;
  const float right = static_cast<float>(x + nWidth) - 0.5f;
  const float bottom = static_cast<float>(y + nHeight) - 0.5f;
  lpV[0] = {left, top, 0.0f, 1.0f, dwDiffuse, uL, vT};
  lpV[1] = {left, bottom, 0.0f, 1.0f, dwDiffuse, uL, vB};
  lpV[2] = {right, top, 0.0f, 1.0f, dwDiffuse, uR, vT};
  lpV[3] = {right, bottom, 0.0f, 1.0f, dwDiffuse, uR, vB};
}
