#include "core/init_game.h"

#include "core/blank_scene.h"
#include "core/boot_settings.h"
#include "core/host_path.h"
#include "core/main_window.h"
#include "core/path_helpers.h"
#include "core/record_version.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/screen_mode.h"
#include "core/system_report.h"
#include "core/message_boxes.h"
#include "core/system_ini.h"
#include "data/check_data_folder.h"
#include "data/common_palette.h"
#include "data/database.h"
#include "data/project_paths.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "gfx/dd_init.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_startup.h"
#include "gfx/dd_state.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "platform/video/video_settings.h"
#include "platform/files/folder_tree.h"

namespace {

// Every folder the program and the authoring tool write into; failures are fine (an existing
// folder, or one the first write will report).
void MakeFolders() {
  static constexpr const char* kFolders[] = {
      "user_data", "user_data\\story", "user_data\\challenge", "user_data\\free", "user_data\\rpl4",
      "data", "data\\database", "data\\stg4", "data\\stg4\\old_ver", "data\\work", "data\\plt4",
      "bmp", "bmp\\back", "bmp\\chara_sp", "bmp\\effect", "bmp\\picture", "bmp\\sword",
      "bmp\\convert", "bmp\\plt", "bmp\\hbt", "wave", "bgm"};
  for (const char* folder : kFolders) platform::MakeFolder(HostPathForWrite(folder));
}

// The project's own files, read before anything is shown; false stops the start-up after the
// failure was reported.
bool LoadProjectData() {
  if (CheckDataFolder() == 0) {
    LogError("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。");
    return false;
  }
  MakeFolders();
  if (Database.Load() == 0) {
    LogError("データベースの読み込みに失敗…");
    return false;
  }
  Database.CopyEffectsForBackwards();
  BuildAnimeFrameTables(AnimeStepTables);
  BuildEffectFrameTables(EffectStepTables);
  if (SystemData.Load(ProjectPaths[kPathSystemData]) == 0) {
    LogError("%s の読み込みに失敗…", ProjectPaths[kPathSystemData]);
    return false;
  }
  return true;
}

// System.ini over the defaults the project's key rows give; a broken file falls back to them.
void LoadSettings() {
  SetSystemIniDefaults(SystemIni, SystemData.IniKeys);
  if (LoadSystemIni("System.ini", SystemIni, SystemData.IniKeys) == 0) {
    LogError("System.ini の読み込みに失敗しました！");
    SetSystemIniDefaults(SystemIni, SystemData.IniKeys);
  }
  if (SystemIni.Direct3D >= 2) {
    // The start-up dialog that asks comes with the dialog framework; until then the stored
    // choice (Direct3D unless Boot.dat says otherwise) is taken without asking.
    BootSettings.Load(ProjectPaths[kPathBootSettings]);
    SystemIni.Direct3D = BootSettings.choice == 1 ? 1 : 0;
  }
}

// A stage named on the command line: its newest numbered version, or nothing when none exists.
void ResolveFreeStage(const std::string& commandLine) {
  if (!commandLine.empty()) {
    if (commandLine.size() > kMaxFreeStage) {
      LogMirror("「%s」の読み込みに失敗しました！", commandLine.c_str());
      return;
    }
    SystemIni.FreeStage = commandLine;
  }
  if (SystemIni.FreeStage.empty()) return;
  std::string newest;
  if (FindLastNumberedFile(newest, SystemIni.FreeStage, "stg4") == 1) SystemIni.FreeStage = newest;
  if (!GamePathExists(SystemIni.FreeStage)) {
    LogMirror("「%s」の読み込みに失敗しました！", SystemIni.FreeStage.c_str());
    SystemIni.FreeStage.clear();
  }
}

// The screen mode the settings ask for; false after its message when no backend can show it.
bool SettleScreenMode() {
  ScreenModeRequest request;
  request.direct3D = SystemIni.Direct3D;
  request.windowMode = SystemIni.WindowMode;
  request.bpp = SystemIni.Bpp;
  request.vsync = SystemIni.VSync;
  request.fixedKeyColor = SystemData.bFixedKeyColor != 0;
  request.depthD3D = SystemData.nDepthD3D;
  request.depthDD = SystemData.nDepthDD;
  request.desktopBpp = platform::CurrentVideoSettings().desktopBitsPerPixel;
  const ScreenMode mode = DecideScreenMode(request);
  if (mode.error != nullptr) {
    ErrorBox(mode.error);
    return false;
  }
  SystemIni.Bpp = mode.bpp;
  SystemIni.VSync = mode.vsync;
  if (SystemIni.Bpp == 8) SystemIni.DD_VideoStretch = 0;
  return true;
}

// The drawing library with the backend the settings name, falling back from Direct3D to
// DirectDraw without a word; then the palette, the transparent colour and surface row 1.
bool StartDrawing(int showCommand) {
  DDStartRequest request;
  request.nBackend = SystemIni.Direct3D;
  request.hWnd = reinterpret_cast<DDWindowHandle>(static_cast<std::uintptr_t>(MainHwnd.load()));
  request.nBpp = SystemIni.Bpp;
  request.bVSync = SystemIni.VSync != 0 ? 1 : 0;
  request.bWindowed = SystemIni.WindowMode != 0 ? 1 : 0;
  request.lpRecords = SurfaceRecords;
  request.lpDefs = SurfaceDefs;
  request.nCount = kSurfaceRowCount;
  const int fallbackShow = request.bWindowed ? showCommand : platform::SW_MAXIMIZE;
  if (!DDStartBackend(request, [&] { MainWindow.Window().Show(fallbackShow); })) return false;
  SystemIni.Direct3D = request.nBackend;
  return true;
}

bool LoadPaletteAndStartRows() {
  VideoReport report;
  report.windowed = SystemIni.WindowMode != 0;
  report.bitsPerPixel = DDBpp;
  report.directDrawActive = DDBackend == 0;
  report.direct3DActive = DDBackend == 1;
  LogVideoInfo(true, report);
  ErrLog("DDInit成功");
  if (DDBackend == 1 || DDBpp == 8) {
    if (!DDLoadPaletteFromFile(DDPalette, SurfaceDefs[0].fileName)) {
      ErrLog("DDLoadPaletteFromFile失敗");
      return false;
    }
    std::copy(std::begin(DDPalette), std::end(DDPalette), std::begin(DDPaletteSaved));
    if (SystemData.bFixedKeyColor == 0) {
      if (DDSetTransmit(SurfaceDefs[0].fileName) == 0) {
        ErrLog("DDSetTransmit失敗");
        return false;
      }
    } else {
      DDSetTransmit(SystemData.cKeyRed, SystemData.cKeyGreen, SystemData.cKeyBlue);
    }
  }
  return DDLoadSurfaceTable(SurfaceRecords, surface_rows::kStartup.data(), static_cast<int>(surface_rows::kStartup.size()));
}

bool LoadWorld() {
  if (WorldMap.Load(ProjectPaths[kPathWorldMap]) == 0) {
    LogError("%s のロードに失敗！", ProjectPaths[kPathWorldMap]);
    return false;
  }
  if (LoadCommonPalette() == 0) {
    LogError("%s のロードに失敗！", ProjectPaths[kPathCommonPalette]);
    return false;
  }
  return true;
}

// In a window, the placement saved at the last close puts the window back where it was.
int RestorePlacement(int showCommand) {
  if (SystemIni.WindowMode == 0 || WindowPlace.Load(ProjectPaths[kPathWindowPlace]) == 0) return showCommand;
  MainWindow.Window().Move(WindowPlace.x, WindowPlace.y);
  return WindowPlace.maximized != 0 ? platform::SW_MAXIMIZE : showCommand;
}

}  // namespace

bool InitGame(const std::string& commandLine, int showCommand) {
  CurrentVersion = 750;
  StripCRFlag = 1;
  if (!LoadProjectData()) return false;
  LoadSettings();
  SceneMgr.FrameRate = 60;
  SceneMgr.FadeSpeed = 10;
  MainHwnd = MainWindow.Window().Handle();
  MainWindow.Window().SetTitle(SystemData.strTitle);
  if (!SettleScreenMode() || !StartDrawing(showCommand)) return false;
  const int shown = RestorePlacement(showCommand);
  MainWindow.Window().Show(SystemIni.Direct3D != 0 || SystemIni.WindowMode != 0 ? shown : platform::SW_MAXIMIZE);
  if (!LoadPaletteAndStartRows()) return false;
  if (!LoadWorld()) return false;
  ResolveFreeStage(commandLine);
  RegisterBlankTitleScene();
  return true;
}

void UnInitGame() {
  SceneMgr.DeleteScenes();
  DDUnInit();
}
