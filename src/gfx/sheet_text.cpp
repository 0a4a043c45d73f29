#include "gfx/sheet_text.h"

#include <cstdarg>
#include <string>

#include "core/sjis.h"
#include "gfx/core_blit.h"
#include "gfx/dd_state.h"
#include "gfx/sprite_batch.h"

namespace {

constexpr std::size_t kSheetTextLimit = 255;

}  // namespace

int DDSheetRow(unsigned char c) {
  // Half-width katakana are packed into the rows the control bytes leave free.
  if (c >= 0xA6 && c <= 0xBF) return (c >> 4) - 10;
  if (c >= 0xC0 && c <= 0xDD) return (c >> 4) - 4;
  return c >> 4;
}

void DDDrawSheetText(DDSURFACEDATA* lpDst, int x, int y, int nCellW, int nCellH, DDSURFACEDATA* lpSheet,
                     const char* szText) {
  if (szText == nullptr) return;
  const bool batched = lpDTCon != nullptr;
  if (batched) DDBeginBatch(0);
  int offset = 0;
  int line = y;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(szText); *p != 0; ++p) {
    if (*p == '\n') {
      line += nCellH;
      offset = 0;
      continue;
    }
    DDBlt(lpDst, x + offset, line, nCellW, nCellH, lpSheet, (*p & 0x0F) * nCellW, DDSheetRow(*p) * nCellH, 1);
    offset += nCellW;
    if (offset >= DDWidth) {
      line += nCellH;
      offset = 0;
    }
  }
  if (batched) DDFlushBatch();
}

void DDDrawSheetTextF(DDSURFACEDATA* lpDst, int x, int y, int nCellW, int nCellH, DDSURFACEDATA* lpSheet,
                      const char* szFormat, ...) {
  va_list args;
  va_start(args, szFormat);
  std::string text = VFormat(szFormat, args);
  va_end(args);
  text.resize(SjisCutLength(text, kSheetTextLimit));
  DDDrawSheetText(lpDst, x, y, nCellW, nCellH, lpSheet, text.c_str());
}
