#include "app/blank_scene.h"

#include <string>

#include "core/game_requests.h"
#include "core/path_helpers.h"
#include "core/scene_manager.h"
#include "data/play_stage_file.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "gfx/core_blit.h"
#include "gfx/dd_state.h"
#include "gfx/palette_animation.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "input/input.h"
#include "sound/sound_script.h"

namespace {

// The title picture's row among the title scene's surfaces.
constexpr int kTitlePictureRow = 47;

constexpr int kFreeMode = 2;
constexpr int kFreeEntry = 3;

// The world map's first stage, its newest version; empty when the map names none.
std::string FirstStageFile() {
  for (const cMapPoint& point : WorldMap.Points) {
    for (const cMapEvent& event : point.Events) {
      if (event.nKind != 0 || event.strStageFile.empty()) continue;
      std::string newest;
      return FindLastNumberedFileStr(newest, event.strStageFile, "stg4") == 1 ? newest : event.strStageFile;
    }
  }
  return {};
}

// The title's free play on the world map's first stage, in place of its file dialog.
bool StartFreePlay() {
  const std::string file = FirstStageFile();
  if (file.empty()) return false;
  SceneMgr.PlayMode = kFreeMode;
  SceneMgr.RankingEnabled = SystemData.ModeRanking[kFreeMode].bRanking;
  SceneMgr.TitleChoice = kFreeEntry;
  return PlayStageFile(file, 0) == 1;
}

}  // namespace

cSceneBlank::cSceneBlank() { AddState(&cSceneBlank::Idle); }

void cSceneBlank::Init() {
  // The title's music, as the title scene asks for it.
  SendToMainWindow(kRequestMusic, 0, 0);
  // Without a drawing library (as in some tests) the frame stays cleared.
  if (DDInitialised == 0) return;
  m_bPicture = DDLoadSurfaceTable(SurfaceRecords, surface_rows::kTitle.data(),
                                  static_cast<int>(surface_rows::kTitle.size()));
}

void cSceneBlank::Idle() {
  RunSoundScript(m_nFrame++);
  cInput& input = PlayerInputs[0];
  input.FilterButtonPress(1);
  if ((input.m_wButton & 1) != 0 && StartFreePlay()) {
    SceneMgr.CurrentScene = kScenePlay;
    SceneMgr.PreviousScene = kSceneTitle;
    return;
  }
  if (!m_bPicture) return;
  DDBlt(&SDBackBuffer, 0, 0, 640, 480, &SurfaceRecords[kTitlePictureRow], 0, 0, DDBLT_OPAQUE);
  AnimatePalette();
}

void RegisterBlankTitleScene() {
  if (HasSceneFactory(kSceneTitle)) return;
  SetSceneFactory(kSceneTitle, [] { return CreatedScene{new cSceneBlank, nullptr}; });
}
