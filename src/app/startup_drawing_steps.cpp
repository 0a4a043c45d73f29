// The start-up's drawing steps: the screen mode, the window, the drawing library and what it
// needs before the first frame.

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "app/no_flip.h"
#include "app/startup_steps.h"
#include "core/main_window.h"
#include "core/message_boxes.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/screen_mode.h"
#include "core/system_ini.h"
#include "core/system_report.h"
#include "data/project_paths.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "gfx/dd_init.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_startup.h"
#include "gfx/dd_state.h"
#include "gfx/drawing_link.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "platform/video/video_settings.h"

namespace {

constexpr const char* kTextureFailureText =
    "テクスチャの作成に失敗しました！\nビデオカードの性能が十分ではないかもしれません。\n"
    "System.iniファイルで「Direct3D=0」に変更してDirect3Dを無効にすれば改善される可能性があります。";

}  // namespace

namespace startup {

bool ScreenMode(StartupContext& /*context*/) {
  ScreenModeRequest request;
  request.direct3D = SystemIni.Direct3D;
  request.windowMode = SystemIni.WindowMode;
  request.bpp = SystemIni.Bpp;
  request.vsync = SystemIni.VSync;
  request.fixedKeyColor = SystemData.bFixedKeyColor != 0;
  request.depthD3D = SystemData.nDepthD3D;
  request.depthDD = SystemData.nDepthDD;
  request.desktopBpp = platform::CurrentVideoSettings().desktopBitsPerPixel;
  const ::ScreenMode mode = DecideScreenMode(request);
  if (mode.error != nullptr) {
    ErrorBox(mode.error);
    return false;
  }
  SystemIni.Bpp = mode.bpp;
  SystemIni.VSync = mode.vsync;
  return true;
}

bool MainWindowTitle(StartupContext& /*context*/) {
  MainHwnd = MainWindow.Window().Handle();
  MainWindow.Window().SetTitle(SystemData.strTitle);
  return true;
}

bool VideoStretch(StartupContext& /*context*/) {
  if (SystemIni.Bpp == 8) SystemIni.DD_VideoStretch = 0;
  return true;
}

bool DrawingLibrary(StartupContext& context) {
  DDStartRequest request;
  request.nBackend = SystemIni.Direct3D;
  request.hWnd = reinterpret_cast<DDWindowHandle>(static_cast<std::uintptr_t>(MainHwnd.load()));
  request.nBpp = SystemIni.Bpp;
  request.bVSync = SystemIni.VSync != 0 ? 1 : 0;
  request.bWindowed = SystemIni.WindowMode != 0 ? 1 : 0;
  request.lpRecords = SurfaceRecords;
  request.lpDefs = SurfaceDefs;
  request.nCount = kSurfaceRowCount;
  const int fallbackShow = request.bWindowed ? context.showCommand : platform::SW_MAXIMIZE;
  if (!DDStartBackend(request, [&] { MainWindow.Window().Show(fallbackShow); })) return false;
  SystemIni.Direct3D = request.nBackend;
  DDInstallDrawingLink();
  return true;
}

bool TextureTextAndSurfacePairs(StartupContext& /*context*/) {
  if (lpDTCon == nullptr) return true;
  lpDTCon->strFatalTexture = kTextureFailureText;
  LinkSurfacePairs([](int row, int source) { SurfaceRecords[row].lpAliasSrc = &SurfaceRecords[source]; });
  return true;
}

bool WindowPlacement(StartupContext& context) {
  // In a window, the placement saved at the last close puts the window back where it was.
  if (SystemIni.WindowMode == 0 || WindowPlace.Load(ProjectPaths[kPathWindowPlace]) == 0) return true;
  MainWindow.Window().Move(WindowPlace.x, WindowPlace.y);
  if (WindowPlace.maximized != 0) context.showCommand = platform::SW_MAXIMIZE;
  return true;
}

bool ShowWindow(StartupContext& context) {
  const bool asAsked = SystemIni.Direct3D != 0 || SystemIni.WindowMode != 0;
  MainWindow.Window().Show(asAsked ? context.showCommand : platform::SW_MAXIMIZE);
  return true;
}

bool VideoReport(StartupContext& /*context*/) {
  ::VideoReport report;
  report.windowed = SystemIni.WindowMode != 0;
  report.bitsPerPixel = DDBpp;
  report.directDrawActive = DDBackend == 0;
  report.direct3DActive = DDBackend == 1;
  LogVideoInfo(true, report);
  ErrLog("DDInit成功");
  return true;
}

bool PaletteAndTransparentColour(StartupContext& /*context*/) {
  if (DDBackend != 1 && lpDDPalette == nullptr) return true;
  if (!DDLoadPaletteFromFile(DDPalette, SurfaceDefs[0].fileName)) {
    ErrLog("DDLoadPaletteFromFile失敗");
    return false;
  }
  std::copy(std::begin(DDPalette), std::end(DDPalette), std::begin(DDPaletteSaved));
  if (SystemData.bFixedKeyColor != 0) {
    DDSetTransmit(SystemData.cKeyRed, SystemData.cKeyGreen, SystemData.cKeyBlue);
  } else if (DDSetTransmit(SurfaceDefs[0].fileName) == 0) {
    ErrLog("DDSetTransmit失敗");
    return false;
  }
  return true;
}

bool NoFlipFlag(StartupContext& /*context*/) {
  if (DDBackend != 0 || lpDD == nullptr) return true;
  SceneMgr.NoFlip = DecideNoFlip(SystemIni.WindowMode != 0, SystemIni.VSync, lpDD->MonitorFrequency(), 60);
  return true;
}

bool StartupSurfaces(StartupContext& /*context*/) {
  return DDLoadSurfaceTable(SurfaceRecords, surface_rows::kStartup.data(),
                            static_cast<int>(surface_rows::kStartup.size()));
}

}  // namespace startup

namespace shutdown {

void DrawingLibrary() {
  DDRemoveDrawingLink();
  DDUnInit();
}

}  // namespace shutdown
