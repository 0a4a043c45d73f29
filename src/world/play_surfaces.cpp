// The play scene's pictures: its rows of the surface table with the stage's backgrounds, and
// the special bitmaps of effects and swords.
#include <cstring>
#include <deque>

#include "data/database.h"
#include "data/surface_defs.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/surface_reload.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "world/scene_play.h"

namespace {

// The special bitmaps' records; deques, so that the scene's pointers into them stay put.
std::deque<DDSURFACEDATA> g_effectSurfaces;
std::deque<DDSURFACEDATA> g_swordSurfaces;

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
  ReleaseSpecialBitmaps();
  if (DDInitialised == 0) return;
  for (std::size_t i = 1; i < Database.Effects.size(); ++i) {
    for (int copy = 0; copy < 2; ++copy) {
      DDSURFACEDATA& record = g_effectSurfaces.emplace_back();
      DDCreateSurfaceFromFile(&record, Database.Effects[i].strBitmap.c_str(), 1, DDBpp, copy, 0, 0, 0, 0, 0, 0);
      EffectSurfaces.push_back(&record);
    }
  }
  for (const cEdSwordType& type : Database.SwordTypes) {
    for (const std::string* bitmap :
         {&type.strBitmapLeft, &type.strBitmapRight, &type.strBitmapLeft, &type.strBitmapRight}) {
      DDSURFACEDATA& record = g_swordSurfaces.emplace_back();
      DDCreateSurfaceFromFile(&record, bitmap->c_str(), 1, DDBpp, 0, 0, 0, 0, 0, 0, 0);
      SwordSurfaces.push_back(&record);
    }
  }
}

void cScenePlay::ReleaseSpecialBitmaps() {
  EffectSurfaces.clear();
  SwordSurfaces.clear();
  if (PlaySceneGlobal != nullptr && PlaySceneGlobal != this) return;
  for (std::deque<DDSURFACEDATA>* list : {&g_effectSurfaces, &g_swordSurfaces}) {
    for (DDSURFACEDATA& record : *list) DDReleaseSurface(&record);
    list->clear();
  }
}

void cScenePlay::ReleaseSceneSurfaces() {
  if (!bSurfacesLoaded) return;
  for (int row : surface_rows::kPlayScene) DDReleaseSurface(&SurfaceRecords[row]);
  bSurfacesLoaded = false;
}
