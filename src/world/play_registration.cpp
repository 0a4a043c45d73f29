#include "world/play_registration.h"

#include "core/subsystem_links.h"
#include "data/stage_data.h"
#include "world/scene_play.h"

namespace {

class cPlayWorldLink : public cWorldLink {
 public:
  void SetPlaySceneQuit() override { PlaySceneQuit.store(1); }
};

cPlayWorldLink g_worldLink;

}  // namespace

void RegisterPlayScene() {
  SetSceneFactory(kScenePlay, [] {
    auto* scene = new cScenePlay(StageCur);
    return CreatedScene{scene, scene};
  });
  SetWorldLink(&g_worldLink);
}
