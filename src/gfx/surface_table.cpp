#include "gfx/surface_table.h"

#include "core/message_boxes.h"
#include "core/report_log.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"

namespace {

SurfaceDef BlankDefinition(int nColorKey, int nDDMemory, int nMemoryType, int bNoTexture) {
  SurfaceDef def{};
  def.colorKey = nColorKey;
  def.ddSystemMemory = nDDMemory;
  def.d3dMemoryType = nMemoryType;
  def.d3dAlias = bNoTexture;
  return def;
}

bool LoadRow(DDSURFACEDATA& record, const SurfaceDef& def) {
  if (DDNameIs(def.fileName, "E")) {
    if (DDCreateSurface(&record, def.width, def.height, def.colorKey, def.ddSystemMemory, def.d3dMemoryType,
                        def.d3dAlias, 0) ||
        def.optional) {
      return true;
    }
    OutOfMemoryExit();
    return false;
  }
  const int result =
      DDCreateSurfaceFromFile(&record, def.fileName, def.colorKey, DDBpp, def.ddSystemMemory, def.d3dMemoryType,
                              def.d3dAlias, def.indexMap, def.mirrorCellWidth, def.mirrorCellHeight, 0);
  if (DDSurfaceErrorText(result) || def.optional) return true;
  ErrorBoxF("%s の読み込みに失敗！", def.fileName);
  return false;
}

}  // namespace

bool DDLoadSurfaceTable(DDSURFACEDATA* lpRecords, const int* lpRows, int nCount) {
  if (lpRecords == nullptr || lpRows == nullptr) return nCount <= 0;
  for (int i = 0; i < nCount; ++i) {
    const int row = lpRows[i];
    // A row number outside the registered table names no definition: refused, never read.
    if (DDTableDefs == nullptr || row < 0 || row >= DDTableCount) {
      ErrLogf("DDLoadSurfaceTable row %d", row);
      return false;
    }
    DDReleaseSurface(&lpRecords[row]);
    if (!LoadRow(lpRecords[row], DDTableDefs[row])) return false;
  }
  return true;
}

bool DDCreateSurfaceInVector(DDSurfaceVector& records, SurfaceDefVector& defs, int nWidth, int nHeight, int nColorKey,
                             int nDDMemory, int nMemoryType, int bNoTexture) {
  DDSURFACEDATA& record = records.emplace_back();
  defs.push_back(BlankDefinition(nColorKey, nDDMemory, nMemoryType, bNoTexture));
  return DDCreateSurface(&record, nWidth, nHeight, nColorKey, nDDMemory, nMemoryType, bNoTexture, 0);
}

bool DDCreateSurfaceInList(DDSurfaceList& records, SurfaceDefList& defs, int nWidth, int nHeight, int nColorKey,
                           int nDDMemory, int nMemoryType, int bNoTexture) {
  DDSURFACEDATA& record = records.emplace_back();
  defs.push_back(BlankDefinition(nColorKey, nDDMemory, nMemoryType, bNoTexture));
  return DDCreateSurface(&record, nWidth, nHeight, nColorKey, nDDMemory, nMemoryType, bNoTexture, 0);
}

int DDDeleteSurfaceFromList(DDSurfaceList& records, SurfaceDefList& defs, DDSURFACEDATA* lpSD) {
  int position = 0;
  for (auto it = records.begin(); it != records.end(); ++it, ++position) {
    if (&*it != lpSD) continue;
    DDReleaseSurface(lpSD);
    records.erase(it);
    defs.EraseAt(position);
    return 1;
  }
  return 0;
}

void DDReleaseSurfaceVector(DDSurfaceVector& records) {
  for (DDSURFACEDATA& record : records) DDReleaseSurface(&record);
}

void DDReleaseSurfaceList(DDSurfaceList& records) {
  for (DDSURFACEDATA& record : records) DDReleaseSurface(&record);
}
