#include "world/screen_tint.h"

#include "gfx/dd_state.h"

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
