#include "app/blank_scene.h"

#include "core/game_requests.h"
#include "core/scene_manager.h"
#include "data/surface_defs.h"
#include "gfx/core_blit.h"
#include "gfx/dd_state.h"
#include "gfx/palette_animation.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "sound/sound_script.h"

namespace {

// The title picture's row among the title scene's surfaces.
constexpr int kTitlePictureRow = 47;

}  // namespace

cSceneBlank::cSceneBlank() { AddState(&cSceneBlank::Idle); }

void cSceneBlank::Init() {
  // The title's music, as the title scene asks for it.
  SendToMainWindow(kRequestMusic, 0, 0);
  // Without a drawing library (as in some tests) the frame stays cleared.
  if (DDInitialised == 0) return;
  m_bPicture = DDLoadSurfaceTable(SurfaceRecords, surface_rows::kTitle.data(),
                                  static_cast<int>(surface_rows::kTitle.size()));
}

void cSceneBlank::Idle() {
  RunSoundScript(m_nFrame++);
  if (!m_bPicture) return;
  DDBlt(&SDBackBuffer, 0, 0, 640, 480, &SurfaceRecords[kTitlePictureRow], 0, 0, DDBLT_OPAQUE);
  AnimatePalette();
}

void RegisterBlankTitleScene() {
  if (HasSceneFactory(kSceneTitle)) return;
  SetSceneFactory(kSceneTitle, [] { return CreatedScene{new cSceneBlank, nullptr}; });
}
