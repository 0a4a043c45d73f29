#include "world/overlay_surfaces.h"

#include "core/system_ini.h"
#include "gfx/dd_state.h"
#include "gfx/surface_records.h"

OverlaySurfaces SelectOverlaySurfaces() {
  OverlaySurfaces s;
  const bool directDraw = DDBackend == 0;
  if (directDraw && SystemIni.DD_VideoStretch != 0) {
    s.markRow = 43;
    s.workRow = 67;
  }
  s.thirdRow = directDraw ? 68 : 70;
  return s;
}

namespace {

bool HasDirectDrawSurface(int row) {
  if (row < 0 || row >= kSurfaceRowCount) return false;
  const DDSURFACEDATA& sd = SurfaceRecords[row];
  return sd.lpDDraw != nullptr && sd.lpDDraw->lpSurface != nullptr;
}

}  // namespace

int ShotSurfaceIndex(int row, bool mirrored) {
  if (DDBackend != 0) return row;
  const bool useTwin = mirrored ? HasDirectDrawSurface(row + 18) : !HasDirectDrawSurface(row);
  return useTwin ? row + 18 : row;
}
