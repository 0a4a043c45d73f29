#include "world/special_bitmaps.h"

#include <cstring>
#include <deque>
#include <string>

#include "core/report_log.h"
#include "data/database.h"
#include "data/surface_defs.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/surface_records.h"

namespace {

// A family's records (a deque, so that pointers into it stay put) and their rows.
struct Family {
  std::deque<DDSURFACEDATA> records;
  std::deque<SurfaceDef> rows;
};

Family g_charas;
Family g_swords;
Family g_effects;

// A row's variant: DirectDraw system memory, Direct3D alias, optional file, mirror cell width,
// and the record's surface it draws through under Direct3D (-1 none).
struct Variant {
  int systemMemory;
  int alias;
  int optional;
  int mirrorWidth;
  int aliasSource;
};

void Release(Family& family) {
  for (DDSURFACEDATA& record : family.records) DDReleaseSurface(&record);
  family.records.clear();
  family.rows.clear();
}

// Appends the surfaces of one record, newest first as they are created, and reports each
// that cannot be made.
void Load(Family& family, const std::string* const files[], const Variant* variants, int count,
          const char* failure) {
  const std::size_t first = family.records.size();
  for (int i = 0; i < count; ++i) {
    SurfaceDef row{};
    std::strncpy(row.fileName, files[i]->c_str(), sizeof row.fileName - 1);
    row.colorKey = 1;
    row.ddSystemMemory = variants[i].systemMemory;
    row.d3dAlias = variants[i].alias;
    row.optional = variants[i].optional;
    row.mirrorCellWidth = variants[i].mirrorWidth;
    family.rows.push_back(row);
    family.records.emplace_back();
  }
  for (int i = count - 1; i >= 0; --i) {
    const SurfaceDef& row = family.rows[first + i];
    DDSURFACEDATA* record = &family.records[first + i];
    const int result = DDCreateSurfaceFromFile(record, row.fileName, row.colorKey, DDBpp, row.ddSystemMemory, 0,
                                               row.d3dAlias, 0, row.mirrorCellWidth, 0, 0);
    if (result != 0 && !(row.optional != 0 && row.fileName[0] == '\0')) {
      DDSurfaceErrorText(result);
      ErrLogf(failure, row.fileName);
    }
  }
  for (int i = 0; i < count; ++i) {
    if (variants[i].aliasSource >= 0) family.records[first + i].lpAliasSrc = &family.records[first + variants[i].aliasSource];
  }
}

DDSURFACEDATA* At(Family& family, int k) {
  return k >= 0 && k < static_cast<int>(family.records.size()) ? &family.records[k] : nullptr;
}

int InDirect3D() { return lpDTCon != nullptr ? 1 : 0; }

}  // namespace

void LoadCharaBitmaps() {
  Release(g_charas);
  if (DDInitialised == 0) return;
  for (std::size_t i = 1; i < Database.CharaBitmaps.size(); ++i) {
    const cEdBmpCharaExc& exc = Database.CharaBitmaps[i];
    const int mirror = exc.bLargeCell != 0 ? exc.nCellSize * 32 : 32;
    const std::string* files[] = {&exc.strBitmap, &exc.strBitmap, &exc.strBitmap, &exc.strBitmap};
    const Variant variants[] = {{0, 0, 0, 0, -1}, {0, InDirect3D(), 0, mirror, 0}, {1, InDirect3D(), 0, 0, 0},
                                {1, InDirect3D(), 0, mirror, 0}};
    Load(g_charas, files, variants, 4, "専用bmp %s 読み込み失敗！");
  }
}

void LoadSwordBitmaps() {
  Release(g_swords);
  if (DDInitialised == 0) return;
  for (const cEdSwordType& type : Database.SwordTypes) {
    const std::string* files[] = {&type.strBitmapLeft, &type.strBitmapRight, &type.strBitmapLeft, &type.strBitmapRight};
    const Variant variants[] = {{0, 0, 0, 0, -1}, {0, 0, 0, 0, -1}, {1, InDirect3D(), 0, 0, 0}, {1, InDirect3D(), 0, 0, 1}};
    Load(g_swords, files, variants, 4, "ソード %s 読み込み失敗！");
  }
}

void LoadEffectBitmaps() {
  Release(g_effects);
  if (DDInitialised == 0) return;
  for (std::size_t i = 1; i < Database.Effects.size(); ++i) {
    const std::string* files[] = {&Database.Effects[i].strBitmap, &Database.Effects[i].strBitmap};
    const Variant variants[] = {{0, 0, 1, 0, -1}, {1, InDirect3D(), 1, 0, 0}};
    Load(g_effects, files, variants, 2, "エフェクト %s 読み込み失敗！");
  }
}

void ReleaseSpecialBitmaps() {
  Release(g_charas);
  Release(g_swords);
  Release(g_effects);
}

void ComposeShotCells() {
  if (DDInitialised == 0) return;
  for (int pair = 0; pair < 2; ++pair) {
    DDSURFACEDATA* target = &SurfaceRecords[63 + pair];
    DDSURFACEDATA* sheet = &SurfaceRecords[20 + pair];
    DDFillRect(target, 0, 0, target->nWidth, target->nHeight, 0);
    for (int r = 0; r < 30; ++r) {
      for (int c = 0; c < 4; ++c) {
        DDBlt(target, 8 + 64 * c, 8 + 32 * r, 16, 16, sheet, 32 * c, 16 * r, DDBLT_KEYED);
        DDBlt(target, 40 + 64 * c, 8 + 32 * r, 16, 16, sheet, 32 * c + 16, 16 * r, DDBLT_KEYED);
      }
    }
  }
}

DDSURFACEDATA* CharaSpecialSurface(int k) { return At(g_charas, k); }
DDSURFACEDATA* SwordSurface(int k) { return At(g_swords, k); }
DDSURFACEDATA* EffectSurface(int k) { return At(g_effects, k); }
