#include "world/graphic_ref.h"

#include "core/system_ini.h"
#include "data/database.h"
#include "gfx/dd_state.h"
#include "gfx/surface_records.h"
#include "world/special_bitmaps.h"

namespace {

constexpr int kCharaSheets = 8;
constexpr int kPerSheet = 15;
constexpr int kTwinOffset = 18;

}  // namespace

bool UsesFirstPair() { return DDBackend == 0 && SystemIni.DD_VideoStretch != 0; }

void GraphicRef::Set(int type, int kind, int p, int pose, int facing, int extra) {
  *this = GraphicRef{};
  const int twin = UsesFirstPair() ? 0 : kTwinOffset;
  switch (kind) {
    case 0:
      nRow = 2;
      nOtherRow = 3;
      nSrcX = (p / kPerSheet) * 32;
      nSrcY = (p % kPerSheet) * 32;
      break;
    case 1: {
      int sheet = p / kPerSheet;
      int cellPose = pose;
      bool mirrored = false;
      if (type == 1) {
        mirrored = facing == 1;
        cellPose += extra;
      } else if (pose >= 20) {
        mirrored = true;
        cellPose = pose - 20;
      }
      nSrcY = (p % kPerSheet) * 32;
      nSrcX = cellPose * 32;
      // A picture beyond the sheets draws the first character instead of reading past them.
      if (p < 0 || sheet >= kCharaSheets || cellPose < 0) {
        sheet = 0;
        nSrcX = nSrcY = 0;
      }
      const int normal = 4 + 2 * sheet + twin;
      const int other = 5 + 2 * sheet + twin;
      nRow = mirrored ? other : normal;
      nOtherRow = mirrored ? normal : other;
      break;
    }
    case 2:
      nRow = 40;
      nOtherRow = 41;
      nSrcX = (p / kPerSheet) * 64 + (type == 2 ? extra * 32 : 0);
      nSrcY = (p % kPerSheet) * 32;
      break;
    case 3:
      nRow = type == 1 ? 63 + facing : 63;
      nOtherRow = nRow;
      nSrcX = (p / 30) * 64;
      nSrcY = (p % 30) * 32;
      break;
    case 4: {
      bException = 1;
      const int cellPose = type == 1 ? pose + extra : pose;
      const int k = (type == 1 && facing == 1) ? 1 : 0;
      nRow = 4 * (p - 1) + k + (UsesFirstPair() ? 0 : 2);
      nOtherRow = 4 * (p - 1) + (1 - k) + (UsesFirstPair() ? 0 : 2);
      if (p >= 1 && p - 1 < static_cast<int>(Database.CharaBitmaps.size())) {
        const cEdBmpCharaExc& exc = Database.CharaBitmaps[p - 1];
        exc.CellOrigin(cellPose, nSrcX, nSrcY);
        bLargeCell = exc.bLargeCell;
        nMultiplier = exc.bLargeCell != 0 ? exc.nCellSize : 1;
      }
      break;
    }
    default: break;
  }
}

namespace {

DDSURFACEDATA* Resolve(int row, bool exception) {
  if (exception) return CharaSpecialSurface(row);
  return row >= 0 && row < kSurfaceRowCount ? &SurfaceRecords[row] : nullptr;
}

}  // namespace

DDSURFACEDATA* GraphicRef::Surface() const { return Resolve(nRow, bException != 0); }

DDSURFACEDATA* GraphicRef::OtherSurface() const { return Resolve(nOtherRow, bException != 0); }
