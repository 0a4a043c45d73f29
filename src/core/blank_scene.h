#pragma once

#include "core/scene.h"

// A scene that draws nothing, so the frame shows cleared. It stands in for the title menu
// until the menus arrive; Escape (the main window's) ends the program from it.
class cSceneBlank : public cScene {
 public:
  cSceneBlank();

 private:
  void Idle() {}
};

// Makes the blank scene the title scene when no title scene is registered.
void RegisterBlankTitleScene();
