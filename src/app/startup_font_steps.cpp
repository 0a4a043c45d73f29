// The start-up's font and palette-choice steps, and their shut-down.

#include <cstring>

#include "app/startup_steps.h"
#include "core/report_log.h"
#include "core/system_ini.h"
#include "data/name_tables.h"
#include "data/surface_defs.h"
#include "data/option_data.h"
#include "data/system_data.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/game_fonts.h"
#include "gfx/palette_animation.h"

namespace startup {

bool FontsAndDigitSheets(StartupContext& /*context*/) {
  const char* face = FontFaceName(SystemData.nFontFace);
  for (FontDef& row : FontDesc) {
    std::strncpy(row.faceName, face, sizeof row.faceName - 1);
    row.faceName[sizeof row.faceName - 1] = '\0';
    if (row.cacheMode == 2) row.cacheMode = lpDTCon != nullptr ? SystemIni.D3D_FontCache : SystemIni.DD_FontCache;
  }
  if (!DDCreateFonts(GameFonts, FontDesc, kFontCount)) return false;
  GameFonts[1].m_bPicture = SystemData.nMenuFontFlag;
  GameFonts[1].m_bCenter = SystemData.nMenuFontParam;
  return DDCreateNumberSheets(NumberSheets, NumberSheetDefs, kFontCount, GameFonts, FontDesc) != 0;
}

bool EightBitPalette(StartupContext& /*context*/) {
  if (DDBpp != 8) return true;
  return LoadHbtPalette(OptionData.m_nPalette) != 0;
}

}  // namespace startup

namespace shutdown {

void FontCacheReport() {
  if (lpDTCon == nullptr && DDCtx == nullptr) return;
  const char* const lines[2] = {"Font10 : %d", "Font16 : %d"};
  for (int i = 0; i < 2; ++i) {
    if (GameFonts[i].m_lpFastFont_FullAdd != nullptr) Log(lines[i], GameFonts[i].m_lpFastFont_FullAdd->m_nCount);
  }
}

void Fonts() {
  for (Font& font : GameFonts) font.Release();
  for (DDSURFACEDATA& sheet : NumberSheets) DDReleaseSurface(&sheet);
}

}  // namespace shutdown
