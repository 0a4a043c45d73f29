#include "world/screen_tint.h"

#include <algorithm>

#include "data/surface_defs.h"
#include "gfx/alpha_blit.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/palette_effects.h"
#include "gfx/surface_records.h"
#include "gfx/tint_blit.h"

namespace {

// The screen-sized work surface the tint is laid from.
constexpr int kWorkRow = play_rows::kWork;

}  // namespace

void cScreenTint::Set(const cVector<std::int32_t>& params) {
  const auto p = [&params](int n) { return n < static_cast<int>(params.size()) ? params[n] : 0; };
  const bool fadeBack = p(4) != 0;
  // A fade back needs a tint to fade from: one running under Direct3D, one set in 8 bits.
  if (fadeBack && lpDTCon != nullptr && bActive == 0) return;
  if (fadeBack && lpDTCon == nullptr && DDBpp == 8 && bSteady == 0) return;
  nPrevRed = nRed;
  nPrevGreen = nGreen;
  nPrevBlue = nBlue;
  nPrevAlpha = nAlpha;
  nPrevStrength = nStrength;
  nRed = static_cast<std::uint8_t>(p(0));
  nGreen = static_cast<std::uint8_t>(p(1));
  nBlue = static_cast<std::uint8_t>(p(2));
  nStrength = p(3);
  bFadeBack = fadeBack ? 1 : 0;
  nDuration = static_cast<std::int32_t>(static_cast<std::int64_t>(p(5)) * 6);
  bBlink = p(6);
  nRepeats = p(7);
  bActive = 1;
  nCounter = 0;
  nCycles = 0;
  if (!fadeBack) {
    nAlpha = 0;
    bSteady = 1;
    return;
  }
  nRed = nPrevRed;
  nGreen = nPrevGreen;
  nBlue = nPrevBlue;
  nStrength = nPrevStrength;
  nAlpha = nPrevAlpha;
}

int cScreenTint::TargetAlpha() const {
  // The strength is a percent of the 255 steps, as the double the kit always used.
  constexpr double kPercentStep = 2.5500000000000003;
  const double part = nDuration > 0 ? static_cast<double>(std::min(nCounter, nDuration)) / nDuration : 1.0;
  if (bFadeBack != 0) return static_cast<int>(part * (255 - nPrevAlpha) + nPrevAlpha);
  return static_cast<int>(255 - part * nStrength * kPercentStep);
}

void cScreenTint::Apply(bool freeze) {
  if (bActive == 0) return;
  const bool direct3D = lpDTCon != nullptr;
  if (!direct3D) {
    if (freeze) return;
    // Only the 8-bit palette can be tinted without Direct3D.
    if (DDBpp != 8) {
      bActive = 0;
      return;
    }
  }
  const bool atEnd = nCounter >= nDuration;
  nAlpha = std::clamp(atEnd && bBlink != 0 ? 255 : TargetAlpha(), 0, 255);
  if (direct3D) {
    if (lpDTCon->bVirtualBackBuffer) {
      DDSURFACEDATA* work = &SurfaceRecords[kWorkRow];
      DDFillSurfaceRGB(work, 0xFF000000u | static_cast<DWORD>(nRed) << 16 | static_cast<DWORD>(nGreen) << 8 | nBlue);
      DDBltAlpha(&SDBackBuffer, 0, 0, 640, 480, work, 0, 0, DDBLT_OPAQUE, nullptr, nAlpha);
    } else {
      DDChangeColor(&SDBackBuffer, 0, 0, 640, 480, nAlpha, nRed, nGreen, nBlue);
    }
  } else {
    DDPalBlend(DDPalette, 0, 255, nAlpha, nRed, nGreen, nBlue, DDPaletteSaved);
    DDShowPalette(DDPalette);
  }
  if (freeze) return;
  if (!atEnd) {
    ++nCounter;
    return;
  }
  if (bBlink != 0) {
    nCounter = 0;
    if (++nCycles >= nRepeats) bActive = 0;
  } else if (bFadeBack != 0 || nStrength == 0 || !direct3D) {
    // A plain tint holds its colour; in 8 bits the palette keeps it after the tint ends.
    bActive = 0;
  }
}
