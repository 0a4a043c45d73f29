#include "app/registration.h"

#include "app/flow_engine_link.h"
#include "app/game_request_handler.h"
#include "core/game_requests.h"
#include "core/main_window.h"
#include "data/option_data.h"
#include "data/project_paths.h"
#include "data/save_data.h"
#include "flow/flow_world_seam.h"
#include "input/dialogs/font_dialog_text.h"
#include "input/dialogs/message_box_dialog.h"
#include "input/input.h"
#include "input/input_settings.h"
#include "menus/menu_registration.h"
#include "sound/game_sound_link.h"
#include "sound/sound_effects.h"
#include "world/flow_link.h"
#include "world/hero_input_seam.h"
#include "world/play_registration.h"
#include "world/world_sound.h"

namespace {

// The world's sounds go the game thread's ordinary way: a request the main window plays.
class cProgramWorldSound : public cWorldSoundLink {
 public:
  void PlaySE(int id) override { ::PlaySE(id); }
  void PlayUserSE(int number) override { ::PlayUserSE(static_cast<std::int16_t>(number)); }
};

cProgramWorldSound g_worldSound;

// The hero reads the player's input record of this frame.
class cProgramHeroInput : public cHeroInputLink {
 public:
  HeroInputWords Words(int inputIndex) override {
    const cInput& input = PlayerInputs[inputIndex];
    return HeroInputWords{input.m_wDir, input.m_wButton, DirCodeFromBits(input.m_wDir)};
  }
};

cProgramHeroInput g_heroInput;

// The name dialog edits the options' fixed ranking name, or the name a clear is entered under.
class cProgramInputSettings : public cInputSettings {
 public:
  std::string* FixedRankingName() override { return &OptionData.m_strFixedName; }
  std::string* RankingEntryName() override { return &SaveDataCur.m_strRankName; }
};

cProgramInputSettings g_inputSettings;

}  // namespace

void RegisterProgramParts() {
  SetGameRequestHandler(ServeGameRequest);
  RegisterMenuScenes();
  RegisterPlayScene();
  SetSoundLink(&GameSoundLink());
  SetWorldSoundLink(&g_worldSound);
  SetHeroInputLink(&g_heroInput);
  SetInputSettings(&g_inputSettings);
  SetFlowLink(&FlowEngineLink());
  SetFlowWorld(&PlaySceneFlowWorld());
  InstallWindowMessageBoxes();
  InstallDialogFont();
  MainWindow.SetPlacementPath(ProjectPaths[kPathWindowPlace]);
}
