#include "app/registration.h"

#include "app/blank_scene.h"
#include "app/game_request_handler.h"
#include "core/game_requests.h"
#include "core/main_window.h"
#include "data/project_paths.h"
#include "input/dialogs/message_box_dialog.h"

void RegisterProgramParts() {
  SetGameRequestHandler(ServeGameRequest);
  RegisterBlankTitleScene();
  InstallWindowMessageBoxes();
  MainWindow.SetPlacementPath(ProjectPaths[kPathWindowPlace]);
}
