#include "gfx/pixel_draw.h"

#include <string>

#include "core/report_log.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/render_target.h"
#include "platform/video/display.h"

void DDSetPixel(DDSURFACEDATA* lpDst, int x, int y, DWORD dwPalNum) {
  if (lpDst == nullptr || x < 0 || x >= lpDst->nWidth || y < 0 || y >= lpDst->nHeight) return;
  if (lpDTCon != nullptr) {
    DDFillRect(lpDst, x, y, 1, 1, dwPalNum);
    return;
  }
  if (lpDst->lpDDraw == nullptr || lpDst->lpDDraw->lpSurface == nullptr) return;
  const DWORD value = PalNumToRGB(dwPalNum);
  const platform::PixelRect rect{x, y, x + 1, y + 1};
  lpDst->lpDDraw->lpSurface->Blt(&rect, nullptr, nullptr, platform::kBltColorFill | platform::kBltWait, value);
}

void DDDrawCircle(DDSURFACEDATA* lpDst, int cx, int cy, int r, DWORD dwPalNum) {
  if (r < 1) return;
  int px = 0, py = r, d = 3 - 2 * r;
  while (px <= py) {
    const int points[8][2] = {{cx + px, cy + py}, {cx - px, cy + py}, {cx + px, cy - py}, {cx - px, cy - py},
                              {cx + py, cy + px}, {cx - py, cy + px}, {cx + py, cy - px}, {cx - py, cy - px}};
    for (const auto& p : points) DDSetPixel(lpDst, p[0], p[1], dwPalNum);
    if (d < 0) {
      d += 4 * px + 6;
    } else {
      d += 4 * (px - py) + 10;
      py -= 1;
    }
    px += 1;
  }
}

int DDSetDialogBoxMode(int bOn) {
  if (DDWindowed || (lpDTCon == nullptr && lpDD == nullptr)) return 1;
  if (bOn) {
    if (lpDTCon != nullptr) {
      DDEndScene();
    } else if (!platform::Succeeded(lpDD->FlipToGdiSurface())) {
      return 0;
    }
    platform::ShowCursor(true);
    return 1;
  }
  while (platform::ShowCursor(false) >= 0) {
  }
  return 1;
}

int DDMesBox(std::string_view text, std::string_view caption, BoxButtons type, BoxAnswer* lpAnswer) {
  if (!DDSetDialogBoxMode(1)) {
    Log("DDMesBox 失敗! %s, %s", std::string(text).c_str(), std::string(caption).c_str());
    return 0;
  }
  const BoxAnswer answer = WindowMessageBox(text, caption, type);
  DDSetDialogBoxMode(0);
  if (lpAnswer != nullptr) *lpAnswer = answer;
  return 1;
}

void DDConnectBoxPresenter() {
  SetFullScreenBoxPresenter(
      [](std::string_view text, std::string_view caption, BoxButtons buttons) -> std::optional<BoxAnswer> {
        if (!DDInitialised || DDWindowed) return std::nullopt;
        BoxAnswer answer = BoxAnswer::Ok;
        if (!DDMesBox(text, caption, buttons, &answer)) return std::nullopt;
        return answer;
      });
}
