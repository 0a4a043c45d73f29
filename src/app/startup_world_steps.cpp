// The start-up's last steps: the world map, the common palette and a stage named on the
// command line.

#include "app/startup_steps.h"
#include "core/host_path.h"
#include "core/path_helpers.h"
#include "core/program_state.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/system_ini.h"
#include "data/common_palette.h"
#include "data/play_stage_file.h"
#include "data/project_paths.h"
#include "data/world_map.h"

namespace startup {

bool WorldMapAndCommonPalette(StartupContext& /*context*/) {
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

bool StageFromCommandLine(StartupContext& /*context*/) {
  if (SystemIni.FreeStage.empty()) return true;
  // The newest numbered version of the stage, when one exists.
  std::string newest;
  const bool numbered = FindLastNumberedFile(newest, SystemIni.FreeStage, "stg4") == 1;
  if (numbered) SystemIni.FreeStage = newest;
  if (!GamePathExists(SystemIni.FreeStage)) {
    LogMirror("「%s」の読み込みに失敗しました！", SystemIni.FreeStage.c_str());
    SystemIni.FreeStage.clear();
    return true;
  }
  DirectPlayFlag.store(1);
  // A stage that cannot be loaded has had its message; the start-up stops.
  // A file without numbered versions is played as it is named, rather than refused silently.
  if (PlayStageFile(SystemIni.FreeStage, numbered ? 1 : 0) == 0) return false;
  SceneMgr.StageSelRow = 0;
  SceneMgr.PlayMode = 2;
  SceneMgr.RankingEnabled = 1;
  SceneMgr.TitleChoice = 3;
  SceneMgr.CurrentScene = kScenePlay;
  SceneMgr.PreviousScene = kSceneTitle;
  return true;
}

}  // namespace startup

namespace shutdown {

void Scenes() { SceneMgr.DeleteScenes(); }

}  // namespace shutdown
