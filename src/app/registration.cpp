#include "app/registration.h"

#include "app/blank_scene.h"
#include "app/game_request_handler.h"
#include "core/game_requests.h"
#include "core/main_window.h"
#include "data/project_paths.h"
#include "input/dialogs/font_dialog_text.h"
#include "input/dialogs/message_box_dialog.h"
#include "sound/game_sound_link.h"
#include "sound/sound_effects.h"
#include "world/world_sound.h"

namespace {

// The world's sounds go the game thread's ordinary way: a request the main window plays.
class cProgramWorldSound : public cWorldSoundLink {
 public:
  void PlaySE(int id) override { ::PlaySE(id); }
  void PlayUserSE(int number) override { ::PlayUserSE(static_cast<std::int16_t>(number)); }
};

cProgramWorldSound g_worldSound;

}  // namespace

void RegisterProgramParts() {
  SetGameRequestHandler(ServeGameRequest);
  RegisterBlankTitleScene();
  SetSoundLink(&GameSoundLink());
  SetWorldSoundLink(&g_worldSound);
  InstallWindowMessageBoxes();
  InstallDialogFont();
  MainWindow.SetPlacementPath(ProjectPaths[kPathWindowPlace]);
}
