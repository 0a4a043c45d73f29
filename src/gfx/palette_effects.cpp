#include "gfx/palette_effects.h"

#include <algorithm>
#include <vector>

#include "gfx/dd_state.h"

void DDPalBlend(PALETTEENTRY* lpDst, int nFirst, int nLast, int nWeight, BYTE cbRed, BYTE cbGreen, BYTE cbBlue,
                const PALETTEENTRY* lpSrc) {
  if (lpDst == nullptr || lpSrc == nullptr) return;
  nFirst = std::max(nFirst, 0);
  nLast = std::min(nLast, 255);
  auto mix = [nWeight](int s, int c) { return static_cast<BYTE>((s * nWeight + c * (256 - nWeight)) >> 8); };
  for (int i = nFirst; i <= nLast; ++i) {
    const PALETTEENTRY s = lpSrc[i];
    lpDst[i] = {mix(s.peRed, cbRed), mix(s.peGreen, cbGreen), mix(s.peBlue, cbBlue), 1};
  }
}

void DDPalRotate(PALETTEENTRY* lpDst, int nFirst, int nLast, int n, int nDirection, const PALETTEENTRY* lpSrc) {
  if (lpDst == nullptr || lpSrc == nullptr) return;
  if (DDBpp != 8 && DDBpp != 16 && DDBpp != 32) return;
  if (lpDst != lpSrc) std::copy(lpSrc, lpSrc + 256, lpDst);
  nFirst = std::max(nFirst, 0);
  nLast = std::min(nLast, 255);
  if (nFirst > nLast) return;
  const int size = nLast - nFirst + 1;
  const int places = ((n % size) + size) % size;
  if (places == 0) return;
  PALETTEENTRY* first = lpDst + nFirst;
  PALETTEENTRY* last = lpDst + nLast + 1;
  if (nDirection == 0) {
    std::rotate(first, last - places, last);  // every entry moves up; the top ones wrap to the bottom
  } else if (nDirection == 1) {
    std::rotate(first, first + places, last);
  }
}

void DDShowPalette(const PALETTEENTRY* lpPalette) {
  if (lpDDPalette == nullptr || lpPalette == nullptr) return;
  platform::PaletteEntry entries[256];
  for (int i = 0; i < 256; ++i) entries[i] = {lpPalette[i].peRed, lpPalette[i].peGreen, lpPalette[i].peBlue, lpPalette[i].peFlags};
  lpDDPalette->SetEntries(0, 256, entries);
}
