// The start-up's project steps: the folders, the project's own files and the settings.

#include "app/startup_steps.h"
#include "app/system_ini_keys.h"
#include "core/boot_settings.h"
#include "core/game_random.h"
#include "core/host_path.h"
#include "core/main_window.h"
#include "core/record_version.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/system_ini.h"
#include "data/check_data_folder.h"
#include "data/database.h"
#include "data/project_paths.h"
#include "data/system_data.h"
#include "flow/arrange.h"
#include "input/dialogs/boot_dialog.h"
#include "platform/clock.h"
#include "platform/files/folder_tree.h"
#include "world/effect_tables.h"

namespace startup {

bool TimerSeedAndVersion(StartupContext& /*context*/) {
  // The millisecond clock needs no timer period here: its sleeps are already that fine.
  SeedGameRandom(platform::TimeMs());
  CurrentVersion = 750;
  StripCRFlag = 1;
  InitArrangeLimits();
  return true;
}

bool DataFolder(StartupContext& /*context*/) {
  if (CheckDataFolder() != 0) return true;
  LogError("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。");
  return false;
}

bool Folders(StartupContext& /*context*/) {
  // Every folder the program and the authoring tool write into; failures are fine (an
  // existing folder, or one the first write will report).
  static constexpr const char* kFolders[] = {
      "user_data", "user_data\\story", "user_data\\challenge", "user_data\\free", "user_data\\rpl4",
      "data", "data\\database", "data\\stg4", "data\\stg4\\old_ver", "data\\work", "data\\plt4",
      "bmp", "bmp\\back", "bmp\\chara_sp", "bmp\\effect", "bmp\\picture", "bmp\\sword",
      "bmp\\convert", "bmp\\plt", "bmp\\hbt", "wave", "bgm"};
  for (const char* folder : kFolders) platform::MakeFolder(HostPathForWrite(folder));
  return true;
}

bool DatabaseFiles(StartupContext& /*context*/) {
  if (Database.Load() != 0) return true;
  LogError("データベースの読み込みに失敗…");
  return false;
}

bool EffectCopiesAndFrameTables(StartupContext& /*context*/) {
  Database.CopyEffectsForBackwards();
  BuildAnimeFrameTables(AnimeStepTables);
  BuildEffectFrameTables(EffectStepTables);
  BuildCharaEffectTables();
  BuildScrEffectTables();
  return true;
}

bool SystemDataFile(StartupContext& /*context*/) {
  if (SystemData.Load(ProjectPaths[kPathSystemData]) != 0) return true;
  LogError("%s の読み込みに失敗…", ProjectPaths[kPathSystemData]);
  return false;
}

bool SystemIniFile(StartupContext& /*context*/) {
  // A broken file falls back to the defaults the project's key rows give.
  const SystemIniKeys keys = SystemIniKeyRows(SystemData.IniKeys);
  SetSystemIniDefaults(SystemIni, keys);
  if (LoadSystemIni("System.ini", SystemIni, keys) == 0) {
    LogError("System.ini の読み込みに失敗しました！");
    SetSystemIniDefaults(SystemIni, keys);
  }
  return true;
}

bool BackendChoice(StartupContext& context) {
  if (SystemIni.Direct3D < 2) return true;
  BootSettings.Load(ProjectPaths[kPathBootSettings]);
  if (BootSettings.doNotAsk == 0) {
    // Asked in the game's own window, which shows for it.
    MainWindow.Window().Show(context.showCommand);
    cBootDialog dialog(BootSettings, ProjectPaths[kPathBootSettings]);
    if (dialog.DoModal(0) == 0) return false;  // stopped: the program ends without a word
  }
  SystemIni.Direct3D = BootSettings.choice == 1 ? 1 : 0;
  return true;
}

bool CommandLineStage(StartupContext& context) {
  // A path handed over in quotes (as a shell or a file manager may pass one) is taken without
  // one surrounding pair.
  std::string& line = context.commandLine;
  if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
  if (context.commandLine.empty()) return true;
  if (context.commandLine.size() > kMaxFreeStage) {
    // No stage path is that long; a cut one would name another file, and the System.ini
    // stage was not what the command line asked for either.
    LogMirror("「%s」の読み込みに失敗しました！", context.commandLine.c_str());
    SystemIni.FreeStage.clear();
    return true;
  }
  SystemIni.FreeStage = context.commandLine;
  return true;
}

bool SceneManagerPace(StartupContext& /*context*/) {
  SceneMgr.FrameRate = 60;
  SceneMgr.FadeSpeed = 10;
  return true;
}

}  // namespace startup
