#include "world/chara_draw.h"

#include <cmath>

#include "data/system_data.h"
#include "gfx/core_blit.h"
#include "gfx/surface_records.h"
#include "data/ed_block.h"
#include "world/chara.h"
#include "world/chara_base.h"
#include "world/chara_effect_draw.h"
#include "core/world_math.h"
#include "world/graphic_ref.h"
#include "world/overlay_surfaces.h"

namespace {

constexpr int kColourKey = 1;

DDSURFACEDATA* Row(int row) { return row >= 0 && row < kSurfaceRowCount ? &SurfaceRecords[row] : nullptr; }

}  // namespace

void StepCharaEffect(cCharaBase& c, bool paused) {
  if (c.Effect.entry.nKind == 0) return;
  const CharaPictureSource none;
  if (RunCharaEffect(c, nullptr, none, paused, false)) c.Effect = cCharaEffectRun{};
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
  const CharaPictureSource source = MakePictureSource(c, frame);
  if (RunCharaEffectWithState(c, target, source, paused)) c.Effect = cCharaEffectRun{};
  const int k = c.Def.nGiant;
  const int left = c.Rect.left;
  const int top = c.Rect.top;
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

int DeathDisplayStep(cCharaBase& c, DDSURFACEDATA* target, bool paused, int frameRate) {
  c.UpdateScreenRect();
  const CharaPictureSource source = MakePictureSource(c, 0);
  if (!c.IsPlayerOperated()) {
    if (c.Effect.entry.nKind == 0) return 1;
    if (RunCharaEffectWithState(c, target, source, paused)) {
      c.Effect = cCharaEffectRun{};
      return 1;
    }
    return 0;
  }
  if (c.Effect.entry.nKind != 0) {
    if (RunCharaEffectWithState(c, target, source, paused)) c.Effect = cCharaEffectRun{};
    return 0;
  }
  if (!paused) ++c.nDeathDisplay;
  return c.nDeathDisplay > frameRate ? 1 : 0;
}

namespace {

// The sheet of the gauges and small signs.
constexpr int kGaugeSheetRow = 50;

void DrawGauge(cCharaBase& c, DDSURFACEDATA* target, GaugeAnim& g, bool low, int sourceX, int y) {
  if (g.nFrames <= 0 || c.bDead != 0) return;
  DDSURFACEDATA* sheet = Row(kGaugeSheetRow);
  const bool tall = sheet != nullptr && sheet->nHeight > 208;
  const int r = tall ? 208 : 128;
  const int step = tall ? 2 : 16;
  const int x = c.Rect.left + c.Rect.width / 2 - 25;
  if (target != nullptr) {
    DDBlt(target, x, y, 50, 2, sheet, sourceX, r, 0);
    DDBlt(target, x, y, g.nBar, 2, sheet, sourceX, r + (low ? 2 : 1) * step, 0);
  }
  const int change = TruncToInt(std::fabs(g.dChange));
  if (change > 0 && target != nullptr) {
    if (g.dChange >= 0) {
      DDBlt(target, x + g.nBar - change, y, change, 2, sheet, sourceX, r + 4 * step, 0);
    } else {
      DDBlt(target, x + g.nBar, y, change, 2, sheet, sourceX, r + 3 * step, 0);
    }
  }
  --g.nFrames;
  if (g.nFrames < 60) {
    g.dChange = 0;
  } else {
    g.dChange -= g.dChangePerFrame;
  }
}

}  // namespace

void DrawHpGauge(cCharaBase& c, DDSURFACEDATA* target) {
  DrawGauge(c, target, c.HpGauge, SystemData.IsStatusLow(2, c.nHp, c.Def.nMaxHp) != 0, 0, c.Rect.top - 3);
}

void DrawSpGauge(cCharaBase& c, DDSURFACEDATA* target) {
  DrawGauge(c, target, c.SpGauge, SystemData.IsStatusLow(3, c.nSp, c.Def.nMaxSp) != 0, 64, c.Rect.top - 7);
}

void DrawBlockIcon(const cEdBlock& block, DDSURFACEDATA* target, int x, int y) {
  GraphicRef ref;
  ref.Set(0, block.nGraphicKind, block.nPicture, block.nPose, 0, 0);
  DDBlt(target, x, y, 32, 32, ref.Surface(), ref.nSrcX, ref.nSrcY, kColourKey);
  if (block.bOverlay == 1) {
    const int tile = block.nOverlayTile;
    DDBlt(target, x, y, 32, 32, Row(43), (tile / 15) * 32, (tile % 15) * 32, kColourKey);
  }
}

void DrawMiniIcon(DDSURFACEDATA* target, int x, int y, int kind, int picture, int pose) {
  constexpr int kMiniItemRow = 42;
  constexpr int kTwin = 18;
  if (kind == 2) {
    DDBlt(target, x, y, 16, 16, Row(kMiniItemRow), (picture / 15) * 32, (picture % 15) * 16, kColourKey);
    return;
  }
  GraphicRef ref;
  ref.Set(0, kind, picture, pose, 0, 0);
  DDSURFACEDATA* sheet = kind == 1 && UsesFirstPair() ? Row(ref.nRow + kTwin) : ref.Surface();
  DDBltStretch(target, x, y, 16, 16, sheet, ref.nSrcX, ref.nSrcY, 32, 32, kColourKey);
}

bool DrawHeldItemIcon(cChara& c, DDSURFACEDATA* target) {
  const cItemObj* item = c.GetHeldItem();
  if (item == nullptr || c.bOnScreen == 0 || item->Def.bInvisible != 0) return false;
  if (++c.nIconCounter >= 96) c.nIconCounter = 0;
  if (c.nIconCounter < 64) return false;
  const int x = c.Rect.left + (c.Rect.width >> 1) - (item->Rect.width >> 2);
  const int y = c.Rect.top - (item->Rect.height >> 1);
  DrawMiniIcon(target, x, y, item->Def.nGraphicKind, item->Def.nPicture, 0);
  return true;
}
