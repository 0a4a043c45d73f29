#include "core/screen_mode.h"

#include "core/system_report.h"

namespace {

constexpr const char* kWindowDepthError =
    "画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！";
constexpr const char* kModeError = "画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！";

int AutomaticDepth(const ScreenModeRequest& r, bool windowed) {
  if (windowed) return r.desktopBpp;
  if (r.direct3D != 0) return r.depthD3D == 1 ? 16 : 32;
  switch (r.depthDD) {
    case 1: return 16;
    case 2: return r.fixedKeyColor ? 32 : 8;
    default: return 32;
  }
}

int ChosenVsync(const ScreenModeRequest& r, bool windowed) {
  if (r.direct3D != 0) return r.vsync >= 2 ? 1 : r.vsync;
  if (windowed) return 0;
  if (r.vsync >= 2) return IsWindowsAtLeast(6, 0) ? 0 : 1;
  return r.vsync;
}

bool DepthAllowed(const ScreenModeRequest& r, bool windowed, int bpp) {
  const bool common = bpp == 16 || bpp == 32;
  const bool fullScreen8 = r.direct3D == 0 && !windowed && !r.fixedKeyColor && bpp == 8;
  if (!common && !fullScreen8) return false;
  return !windowed || bpp == r.desktopBpp;
}

}  // namespace

ScreenMode DecideScreenMode(const ScreenModeRequest& r) {
  ScreenMode mode;
  mode.windowed = r.windowMode != 0;
  mode.vsync = ChosenVsync(r, mode.windowed);
  mode.bpp = r.bpp != 0 ? r.bpp : AutomaticDepth(r, mode.windowed);
  if (!DepthAllowed(r, mode.windowed, mode.bpp)) {
    mode.error = (mode.windowed && (mode.bpp == 16 || mode.bpp == 32)) ? kWindowDepthError : kModeError;
    return mode;
  }
  mode.sizingBorder = r.direct3D != 0 && r.windowMode == 2;
  return mode;
}
