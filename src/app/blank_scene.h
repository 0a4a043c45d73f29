#pragma once

#include "core/scene.h"

// Stands in for the title menu until the menus arrive: it builds the title scene's surfaces
// and shows the title picture, without a menu. Button 1 plays the world map's first stage in
// free play; Escape (the main window's) ends the program.
class cSceneBlank : public cScene {
 public:
  cSceneBlank();
  void Init() override;

 private:
  void Idle();
  bool m_bPicture = false;
  long long m_nFrame = 0;  // frames since the scene began, for the sound script
};

// Makes the stand-in the title scene when no title scene is registered.
void RegisterBlankTitleScene();
