#include "gfx/screen_fade.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gfx/colour_fade.h"
#include "gfx/core_blit.h"
#include "gfx/dd_state.h"
#include "gfx/palette_effects.h"
#include "gfx/render_target.h"

namespace {

struct FadeAngles {
  double out = 90.0;
  double in = 0.0;
};
FadeAngles g_angles[2];  // DirectDraw, Direct3D

double Sine(double degrees) { return std::sin(degrees * std::numbers::pi / 180.0); }

// The black overlay of Direct3D with alpha 255 - level; false when it cannot be drawn.
bool DrawOverlay(int level) {
  DDSURFACEDATA* target = &SDBackBuffer;
  DDRedirectBackBuffer(&target);
  DTVERTEX quad[4];
  DDQuadVertices(quad, 0, 0, target->nWidth, target->nHeight, static_cast<D3DCOLOR>(255 - level) << 24, 0.0f, 0.0f,
                 1.0f, 1.0f);
  if (!DDBeginScene() || !DDSetRenderTarget(0, target)) return false;
  platform::StageState stage;
  stage.colorOp = platform::TextureOp::SelectArg2;
  stage.colorArg2 = platform::TextureArg::Diffuse;
  stage.alphaOp = platform::TextureOp::SelectArg2;
  stage.alphaArg2 = platform::TextureArg::Diffuse;
  const platform::StageState saved = lpDevice->GetStageState();
  lpDevice->SetStageState(stage);
  lpDevice->SetTexture(nullptr);
  lpDevice->DrawStrip(quad, 2);
  lpDevice->SetStageState(saved);
  return DDSetRenderTarget(0, lpDTCon->lpRestRT) != 0;
}

void SetScreenEntries(const PALETTEENTRY* lpPalette, int first, int last) {
  if (lpDDPalette == nullptr || first > last) return;
  platform::PaletteEntry entries[256];
  for (int i = first; i <= last; ++i) {
    entries[i - first] = {lpPalette[i].peRed, lpPalette[i].peGreen, lpPalette[i].peBlue, lpPalette[i].peFlags};
  }
  lpDDPalette->SetEntries(first, last - first + 1, entries);
}

// Draws the state of the angle; false when Direct3D could not draw it.
bool DrawFade(double angle, double snapshotAngle, PALETTEENTRY* lpDst, int nFirst, int nLast, BYTE r, BYTE g, BYTE b,
              const PALETTEENTRY* lpSrc) {
  if (lpDTCon != nullptr) return DrawOverlay(static_cast<int>(std::trunc(Sine(angle) * 255.0)));
  if (DDCtx == nullptr) return true;
  if (angle == snapshotAngle && DDBpp != 8) DDBlt(&SDWork, 0, 0, SDWork.nWidth, SDWork.nHeight, &SDBackBuffer, 0, 0, 0);
  const int weight = static_cast<int>(std::trunc(Sine(angle) * 256.0));
  if (DDBpp == 8) {
    nFirst = std::max(nFirst, 0);
    nLast = std::min(nLast, 255);
    DDPalBlend(lpDst, nFirst, nLast, weight, r, g, b, lpSrc);
    SetScreenEntries(lpDst, nFirst, nLast);
  } else {
    DDFade_UnPal(&SDBackBuffer, weight, r, g, b, &SDWork);
  }
  return true;
}

}  // namespace

bool DDFadeOut(PALETTEENTRY* lpDst, int nFirst, int nLast, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, double dSpeed,
               const PALETTEENTRY* lpSrc, int bReset) {
  double& angle = g_angles[lpDTCon != nullptr ? 1 : 0].out;
  if (bReset) angle = 0.0;
  if (!DrawFade(angle, 90.0, lpDst, nFirst, nLast, cbRed, cbGreen, cbBlue, lpSrc)) return false;
  if (angle <= 0.0) {
    angle = 90.0;
    return true;
  }
  angle = std::max(0.0, angle - dSpeed);
  return false;
}

bool DDFadeIn(PALETTEENTRY* lpDst, int nFirst, int nLast, BYTE cbRed, BYTE cbGreen, BYTE cbBlue, double dSpeed,
              const PALETTEENTRY* lpSrc, int bReset) {
  double& angle = g_angles[lpDTCon != nullptr ? 1 : 0].in;
  if (bReset) angle = 90.0;
  if (!DrawFade(angle, 0.0, lpDst, nFirst, nLast, cbRed, cbGreen, cbBlue, lpSrc)) return false;
  if (angle >= 90.0) {
    angle = 0.0;
    return true;
  }
  angle = std::min(90.0, angle + dSpeed);
  return false;
}

void DDResetFades() {
  g_angles[0] = FadeAngles{};
  g_angles[1] = FadeAngles{};
}
