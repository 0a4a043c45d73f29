#include "app/registration.h"

#include "app/blank_scene.h"
#include "app/game_request_handler.h"
#include "core/game_requests.h"
#include "core/main_window.h"
#include "data/project_paths.h"
#include "sound/game_sound_link.h"

void RegisterProgramParts() {
  SetGameRequestHandler(ServeGameRequest);
  RegisterBlankTitleScene();
  SetSoundLink(&GameSoundLink());
  MainWindow.SetPlacementPath(ProjectPaths[kPathWindowPlace]);
}
