#include "core/blank_scene.h"

#include "core/scene_manager.h"

cSceneBlank::cSceneBlank() { AddState(&cSceneBlank::Idle); }

void RegisterBlankTitleScene() {
  if (HasSceneFactory(kSceneTitle)) return;
  SetSceneFactory(kSceneTitle, [] { return CreatedScene{new cSceneBlank, nullptr}; });
}
