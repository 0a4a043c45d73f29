#include "core/init_game.h"

#include "core/blank_scene.h"
#include "core/host_path.h"
#include "core/main_window.h"
#include "core/record_version.h"
#include "core/scene_manager.h"
#include "core/system_ini.h"
#include "data/project_paths.h"
#include "platform/files/folder_tree.h"

namespace {

// The window and its placement file need the user folder; the other folders of the start-up
// come with the parts that use them.
void MakeFolders() {
  for (const char* folder : {"user_data"}) platform::MakeFolder(HostPathForWrite(folder));
}

// In a window, the placement saved at the last close puts the window back where it was.
int RestorePlacement(int showCommand) {
  if (SystemIni.WindowMode == 0 || WindowPlace.Load(ProjectPaths[kPathWindowPlace]) == 0) return showCommand;
  MainWindow.Window().Move(WindowPlace.x, WindowPlace.y);
  return WindowPlace.maximized != 0 ? platform::SW_MAXIMIZE : showCommand;
}

}  // namespace

bool InitGame(const std::string& /*commandLine*/, int showCommand) {
  CurrentVersion = 750;
  StripCRFlag = 1;
  MakeFolders();
  // Until System.ini is read here, the program runs in a window.
  SystemIni.WindowMode = 1;
  SceneMgr.FrameRate = 60;
  SceneMgr.FadeSpeed = 10;
  MainHwnd = MainWindow.Window().Handle();
  RegisterBlankTitleScene();
  MainWindow.Window().Show(RestorePlacement(showCommand));
  return true;
}

void UnInitGame() { SceneMgr.DeleteScenes(); }
