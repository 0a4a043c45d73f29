#include "app/registration.h"

#include "app/blank_scene.h"
#include "app/game_request_handler.h"
#include "core/game_requests.h"
#include "core/main_window.h"
#include "data/project_paths.h"

void RegisterProgramParts() {
  SetGameRequestHandler(ServeGameRequest);
  RegisterBlankTitleScene();
  MainWindow.SetPlacementPath(ProjectPaths[kPathWindowPlace]);
}
