// The play scene's pictures: its rows of the surface table with the stage's backgrounds, and
// the special bitmaps of characters, swords and effects.
#include <algorithm>
#include <cstring>

#include "core/close_request.h"
#include "core/message_boxes.h"
#include "data/database.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "gfx/circle_lens.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/surface_reload.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "world/scene_play.h"
#include "world/special_bitmaps.h"

namespace {

constexpr int kDarknessColour = 16;
constexpr int kMaxLightRadius = 800;

void SetBackgroundRows(const cStageData& stage) {
  for (int i = 0; i < kBackgroundRowCount; ++i) {
    SurfaceDef& def = SurfaceDefs[kBackgroundFirstRow + i];
    const bool picture = i < static_cast<int>(stage.Backgrounds.size()) && stage.Backgrounds[i].bFill == 0 &&
                         !stage.Backgrounds[i].strPicture.empty();
    if (!picture) {
      def.fileName[0] = '\0';
      continue;
    }
    std::strncpy(def.fileName, stage.Backgrounds[i].strPicture.c_str(), sizeof def.fileName - 1);
    def.fileName[sizeof def.fileName - 1] = '\0';
    DDBitmapTooLarge(&def.ddSystemMemory, def.fileName, 640, 480);
  }
}

}  // namespace

bool cScenePlay::LoadSceneSurfaces(bool backgroundsOnly) {
  if (DDInitialised == 0) return true;
  SetBackgroundRows(Stage);
  bool ok = false;
  if (backgroundsOnly) {
    ok = DDLoadSurfaceTable(SurfaceRecords, surface_rows::kPlaySceneAgain.data(),
                            static_cast<int>(surface_rows::kPlaySceneAgain.size()));
  } else {
    ok = DDLoadSurfaceTable(SurfaceRecords, surface_rows::kPlayScene.data(),
                            static_cast<int>(surface_rows::kPlayScene.size()));
  }
  bSurfacesLoaded = bSurfacesLoaded || ok;
  return ok;
}

void cScenePlay::LoadSpecialBitmaps() {
  bSpecialBitmapsLoaded = true;
  ComposeShotCells();
  LoadCharaBitmaps();
  LoadSwordBitmaps();
  LoadEffectBitmaps();
  EffectSurfaces.clear();
  SwordSurfaces.clear();
  for (int k = 0; DDSURFACEDATA* surface = EffectSurface(k); ++k) EffectSurfaces.push_back(surface);
  for (int k = 0; DDSURFACEDATA* surface = SwordSurface(k); ++k) SwordSurfaces.push_back(surface);
}

void cScenePlay::ReleaseSpecialSurfaces() {
  EffectSurfaces.clear();
  SwordSurfaces.clear();
  // The families are the process's: the scene that loaded them gives them back, whether or not
  // it is still the live scene (the scene manager forgets it before deleting it).
  if (!bSpecialBitmapsLoaded) return;
  ReleaseSpecialBitmaps();
  bSpecialBitmapsLoaded = false;
}

void cScenePlay::ReleaseSceneSurfaces() {
  if (!bSurfacesLoaded) return;
  for (int row : surface_rows::kPlayScene) DDReleaseSurface(&SurfaceRecords[row]);
  bSurfacesLoaded = false;
}

void cScenePlay::BuildDarkness(DDSURFACEDATA* darkness, DDSURFACEDATA* light) {
  if (DDInitialised == 0 || Player.empty()) return;
  DDReleaseSurface(darkness);
  DDReleaseSurface(light);
  const cPlayer& hero = Hero();
  // A light wider than the darkness around the view lights all of it.
  const int r = std::clamp(hero.nSightDots, 0, kMaxLightRadius);
  const int width = 1280 + 2 * r;
  const int height = 960 + 2 * r;
  if (!DDCreateSurface(darkness, width, height, 1, 0, 0, 0, 0)) {
    OutOfMemoryExit();
    PostCloseRequest();
    return;
  }
  DDFillRect(darkness, 0, 0, width, height, kDarknessColour);
  if (r == 0) return;
  if (hero.Def.nDarkness == 1 || hero.Def.nDarkness == 2) {
    if (!DDCreateSurface(light, 2 * r, 2 * r, 1, 0, 0, 0, 0)) {
      OutOfMemoryExit();
      PostCloseRequest();
      return;
    }
    if (SystemData.bFixedKeyColor != 0) {
      DDFillRectRGB(light, 0, 0, 2 * r, 2 * r,
                    0xFF000000u | static_cast<DWORD>(SystemData.cKeyRed) << 16 |
                        static_cast<DWORD>(SystemData.cKeyGreen) << 8 | SystemData.cKeyBlue);
    } else {
      DDFillRect(light, 0, 0, 2 * r, 2 * r, 0);
    }
    DDBltCircle(darkness, width / 2, height / 2, r, r, r, 1, light, r, r, DDBLT_OPAQUE);
  } else {
    DDFillRect(darkness, width / 2 - r, height / 2 - r, 2 * r, 2 * r, 0);
  }
}
