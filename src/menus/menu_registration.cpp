#include "menus/menu_registration.h"

#include "core/scene_manager.h"
#include "menus/scene_option.h"
#include "menus/scene_stage_select.h"
#include "menus/scene_title.h"
#include "menus/scene_world_map.h"
#include "menus/scene_world_menu.h"

namespace {

template <typename Scene>
CreatedScene Create() {
  return CreatedScene{new Scene, nullptr};
}

}  // namespace

void RegisterMenuScenes() {
  SetSceneFactory(kSceneTitle, &Create<cSceneTitle>);
  SetSceneFactory(kSceneWorldMap, &Create<cSceneWorldMap>);
  SetSceneFactory(kSceneWorldMenu, &Create<cSceneWorldMenu>);
  SetSceneFactory(kSceneStageSelect, &Create<cSceneStageSelect>);
  SetSceneFactory(kSceneOption, &Create<cSceneOption>);
}
