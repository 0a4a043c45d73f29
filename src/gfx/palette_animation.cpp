#include "gfx/palette_animation.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "core/message_boxes.h"
#include "core/report_log.h"
#include "core/strings.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "gfx/blend_table.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/palette_effects.h"

std::array<PulseColor, 10> PulseColors;

namespace {

constexpr int kCycleFirst = 208;
constexpr int kCycleCount = 32;
constexpr int kCycleEvery = 6;

struct PulseChannel {
  int nValue = 0;
  int nDir = 0;
};

struct AnimationState {
  int nCounter = 0;
  std::array<PulseChannel, 9> Channels{};
  int nPhase = 0;
};
AnimationState g_state;

void SetHardwareEntries(int first, int count) {
  if (lpDDPalette == nullptr) return;
  platform::PaletteEntry entries[256];
  for (int i = 0; i < count; ++i) {
    const PALETTEENTRY& e = DDPaletteSaved[first + i];
    entries[i] = {e.peRed, e.peGreen, e.peBlue, e.peFlags};
  }
  lpDDPalette->SetEntries(first, count, entries);
}

D3DCOLOR Argb(int r, int g, int b) {
  return 0xFF000000u | static_cast<D3DCOLOR>(r) << 16 | static_cast<D3DCOLOR>(g) << 8 | static_cast<D3DCOLOR>(b);
}

void CyclePaletteBand() {
  if (SystemData.bPaletteCycle == 0 || DDBpp != 8) return;
  if (++g_state.nCounter < kCycleEvery) return;
  for (int group = kCycleFirst; group < kCycleFirst + kCycleCount; group += 4) {
    DDPalRotate(DDPaletteSaved, group, group + 3, 1, 1, DDPaletteSaved);
  }
  SetHardwareEntries(kCycleFirst, kCycleCount);
  g_state.nCounter = 0;
}

void PulseChannels() {
  static constexpr int kPhaseChannels[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}};
  const int step = std::clamp(SystemData.nPulseStep, 0, 255);
  // Every colour shows its channel as it was before this call's step, the four-colour entry
  // with its phase as it was too.
  const int* phase = kPhaseChannels[g_state.nPhase];
  int v[9];
  for (std::size_t i = 0; i < 9; ++i) {
    PulseChannel& channel = g_state.Channels[i];
    v[i] = channel.nValue;
    const int bottom = PingPongStep(&channel.nValue, &channel.nDir, step, 0, 255);
    if (i == 8 && bottom != 0) g_state.nPhase = (g_state.nPhase + 1) % 4;
  }
  PulseColors[1] = {Argb(v[0], v[0], v[0]), 7};
  PulseColors[2] = {Argb(v[1], v[1], v[1]), 10};
  PulseColors[3] = {Argb(v[2], 0, 0), 7};
  PulseColors[4] = {Argb(0, v[3], 0), 7};
  PulseColors[5] = {Argb(0, 0, v[4]), 7};
  PulseColors[6] = {Argb(v[5], v[5], 0), 7};
  PulseColors[7] = {Argb(v[6], 0, v[6] / 4), 7};
  PulseColors[8] = {Argb(v[7] / 4, 0, v[7]), 7};
  PulseColors[9] = {Argb(phase[0] * v[8], phase[1] * v[8], phase[2] * v[8]), 7};
}

}  // namespace

int PingPongStep(int* lpValue, int* lpDir, int nStep, int nMin, int nMax) {
  if (*lpDir == 0) {
    if (*lpValue + nStep >= nMax) {
      *lpDir = 1;
    } else {
      *lpValue += nStep;
    }
    return 0;
  }
  if (*lpValue - nStep <= nMin) {
    *lpDir = 0;
    return 1;
  }
  *lpValue -= nStep;
  return 0;
}

int LoadHbtPalette(int nNumber) {
  if (DDCtx == nullptr || DDBpp != 8) return 1;
  nNumber = std::clamp(nNumber, 0, 23);
  std::string digits;
  NumberText(digits, nNumber, 2, true, false);
  const std::string path = "bmp\\hbt\\hbt" + digits + ".dat";
  if (!DDLoadBlendTable(DDBlendTable, path.c_str())) {
    ErrorBoxF("%s の読み込みに失敗！", path.c_str());
    return 0;
  }
  if (!DDLoadPaletteFromFile(DDPalette, SurfaceDefs[0].fileName)) {
    ErrLog("DDLoadPaletteFromFile失敗");
    return 0;
  }
  if (nNumber < 12) {
    DDPalRotate(DDPalette, 16, 207, nNumber * 16, 1, DDPalette);
  } else {
    const int source = (nNumber - 11) * 16;
    PALETTEENTRY block[16];
    std::copy(DDPalette + source, DDPalette + source + 16, block);
    for (int first = 16; first < 208; first += 16) std::copy(std::begin(block), std::end(block), DDPalette + first);
  }
  std::copy(std::begin(DDPalette), std::end(DDPalette), std::begin(DDPaletteSaved));
  // Entry 255 is left as the screen has it.
  SetHardwareEntries(0, 255);
  return 1;
}

void AnimatePalette() {
  if (DDCtx != nullptr) {
    CyclePaletteBand();
  } else if (lpDTCon != nullptr) {
    PulseChannels();
  }
}

void ResetPaletteAnimation() {
  g_state = AnimationState{};
  PulseColors = {};
}
