#include "world/chara_draw.h"

#include "gfx/core_blit.h"
#include "gfx/surface_records.h"
#include "world/chara_base.h"
#include "world/graphic_ref.h"
#include "world/overlay_surfaces.h"

namespace {

constexpr int kColourKey = 1;

DDSURFACEDATA* Row(int row) { return row >= 0 && row < kSurfaceRowCount ? &SurfaceRecords[row] : nullptr; }

}  // namespace

void StepCharaEffect(cCharaBase& c, bool paused) {
  if (c.Effect.entry.nKind == 0 || paused) return;
  if (c.Effect.Step()) c.Effect = cCharaEffectRun{};
}

void DrawCharaPicture(cCharaBase& c, DDSURFACEDATA* target, bool paused) {
  const int frame = c.CurrentAnimeValue(paused);
  if (c.nHide != 0 || c.Def.bTransparent != 0) {
    StepCharaEffect(c, paused);
    return;
  }
  c.UpdateScreenRect();
  if (c.bPinX != 0) {
    c.Rect.left = c.nPinLeft;
    c.Rect.right = c.Rect.left + c.Rect.width - 1;
  }
  if (c.bPinY != 0) {
    c.Rect.top = c.nPinTop;
    c.Rect.bottom = c.Rect.top + c.Rect.height - 1;
  }
  GraphicRef ref;
  ref.Set(1, c.Def.nGraphicKind, c.Def.nPicture, c.PoseBase(nullptr) + frame, c.nFacing, 0);
  const int k = c.Def.nGiant;
  const int m = ref.nMultiplier;
  const bool scaled = ref.bLargeCell != 0 ? k != m : k > 1;
  // Bitmap exceptions draw from their own surfaces, which come with the special bitmaps.
  DDSURFACEDATA* source = ref.bException != 0 ? nullptr : Row(ref.nRow);
  const int left = c.Rect.left;
  const int top = c.Rect.top;
  if (source != nullptr) {
    if (scaled) {
      DDBltStretch(target, left, top, c.Rect.width, c.Rect.height, source, ref.nSrcX, ref.nSrcY, 32 * m, 32 * m,
                   kColourKey);
    } else {
      DDBlt(target, left, top, 32 * m, 32 * m, source, ref.nSrcX, ref.nSrcY, kColourKey);
    }
  }
  StepCharaEffect(c, paused);
  if (c.Def.bOverlay == 1) {
    const int tile = c.Def.nOverlayTile;
    const OverlaySurfaces rows = SelectOverlaySurfaces();
    DDSURFACEDATA* sheet = Row(rows.markRow);
    const int sx = (tile / 15) * 32;
    const int sy = (tile % 15) * 32;
    if (k > 1) {
      DDBltStretch(target, left, top, c.Rect.width, c.Rect.height, sheet, sx, sy, 32, 32, kColourKey);
    } else {
      DDBlt(target, left, top, 32, 32, sheet, sx, sy, kColourKey);
    }
  }
}
