// The drawing of the field's small objects: effects, pictures, shots, swords and items.
#include "core/system_ini.h"
#include "data/database.h"
#include "gfx/core_blit.h"
#include "gfx/dd_state.h"
#include "gfx/surface_records.h"
#include "world/graphic_ref.h"
#include "world/overlay_surfaces.h"
#include "world/picture_obj.h"
#include "world/scene_play.h"
#include "core/world_math.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

DDSURFACEDATA* Row(int row) { return row >= 0 && row < kSurfaceRowCount ? &SurfaceRecords[row] : nullptr; }

// A surface of a special-bitmap list; none while the list does not reach that far (the
// special bitmaps are loaded by the play scene).
DDSURFACEDATA* Listed(const cVector<DDSURFACEDATA*>& list, int index) {
  return index >= 0 && index < static_cast<int>(list.size()) ? list[index] : nullptr;
}

bool StretchedDirectDraw() { return DDCtx != nullptr && SystemIni.DD_VideoStretch != 0; }

}  // namespace

int cEffectObj::Draw(DDSURFACEDATA* target, bool step) {
  if (Anime.m_Animes.empty() || Anime.m_Animes[0].empty()) return 1;
  int f = 0;
  if (bStepAlways != 0 || step) {
    f = Anime.Step();
    if (f == kAnimeEnd) return 1;
  } else {
    f = Anime.GetValue();
  }
  const cScenePlay& s = Scene();
  const int px = TruncToInt(x) - TruncToInt(s.ScrollX.dPos);
  const int py = TruncToInt(y) - TruncToInt(s.ScrollY.dPos);
  DDSURFACEDATA* plain = Listed(s.EffectSurfaces, 2 * nIndex - 2);
  if (bScaled == 0) {
    if (plain != nullptr) DDBlt(target, px, py, nWidth, nHeight, plain, f * nWidth, 0, DDBLT_KEYED);
    return 0;
  }
  const cEdEffect* r = Database.Effects.empty() ? nullptr : &Database.Effects[static_cast<std::int16_t>(nIndex)];
  const int cw = r != nullptr ? r->nCellWidth : nWidth;
  const int ch = r != nullptr ? r->nCellHeight : nHeight;
  DDSURFACEDATA* source = StretchedDirectDraw() ? plain : Listed(s.EffectSurfaces, 2 * nIndex - 1);
  if (source != nullptr) DDBltStretch(target, px, py, nWidth, nHeight, source, f * cw, 0, cw, ch, DDBLT_KEYED);
  return 0;
}

void cPictureObj::Init(int picture, double px, double py, int width, int height, int screenFixed, int layer,
                       int sizePercent, int durationKind, int time, int countWhenPaused, int extra1, int extra2) {
  nPicture = picture;
  x = px;
  y = py;
  nWidth = width;
  nHeight = height;
  bStretched = sizePercent != 100 ? 1 : 0;
  nLayer = layer;
  nDurationKind = durationKind;
  nTimeLeft = time;
  bCountWhenPaused = countWhenPaused;
  bScreenFixed = screenFixed;
  nExtra1 = extra1;
  nExtra2 = extra2;
  if (screenFixed != 0) {
    const cScenePlay& s = Scene();
    bFixed = 1;
    nFixedX = TruncToInt(x) - TruncToInt(s.ScrollX.dPos);
    nFixedY = TruncToInt(y) - TruncToInt(s.ScrollY.dPos);
  }
}

int cPictureObj::Draw(DDSURFACEDATA* target, DDSURFACEDATA* picture, bool paused) {
  // The time is checked before it counts, so that a picture of time 0 shows for one frame.
  if (nDurationKind == 2 && (bCountWhenPaused != 0 || !paused)) {
    if (nTimeLeft < 0) return 1;
    --nTimeLeft;
  }
  const cScenePlay& s = Scene();
  const int px = bFixed != 0 ? nFixedX : TruncToInt(x) - TruncToInt(s.ScrollX.dPos);
  const int py = bFixed != 0 ? nFixedY : TruncToInt(y) - TruncToInt(s.ScrollY.dPos);
  nDrawnX = px;
  nDrawnY = py;
  if (picture == nullptr) return 0;
  if (bStretched != 0) {
    DDBltStretch(target, px, py, nWidth, nHeight, picture, 0, 0, picture->nWidth, picture->nHeight, DDBLT_KEYED);
  } else {
    DDBlt(target, px, py, nWidth, nHeight, picture, 0, 0, DDBLT_KEYED);
  }
  return 0;
}

void cShotObj::Draw(DDSURFACEDATA* target, bool step) {
  if (Rec.bInvisible != 0) return;
  UpdateScreenRect();
  const int scale = Rec.nScale;
  if (IsSword()) {
    const cScenePlay& s = Scene();
    const int type = Rec.nTrajectory;
    const cEdSwordPart& part = Database.SwordTypes[type].Parts[nPart];
    const int facing = nFacing == 1 ? 1 : 0;
    if (scale <= 1) {
      DDSURFACEDATA* sheet = Listed(s.SwordSurfaces, 4 * type + facing);
      if (sheet != nullptr) {
        DDBlt(target, Rect.left, Rect.top, part.nRectWidth, part.nRectHeight, sheet, part.nRectX, part.nRectY,
              DDBLT_KEYED);
      }
    } else {
      DDSURFACEDATA* sheet = Listed(s.SwordSurfaces, 4 * type + facing + (StretchedDirectDraw() ? 0 : 2));
      if (sheet != nullptr) {
        DDBltStretch(target, Rect.left, Rect.top, Rect.width, Rect.height, sheet, part.nRectX, part.nRectY,
                     part.nRectWidth, part.nRectHeight, DDBLT_KEYED);
      }
    }
    return;
  }
  const int f = step ? Anime.Step() : Anime.GetValue();
  const int n = nGraphic;
  const int sx = (f + (n / 30) * 2) * 16;
  const int sy = (n % 30) * 16;
  const bool stretchOff = scale > 1 && SystemIni.DD_VideoStretch == 0;
  DDSURFACEDATA* sheet = Row(ShotSurfaceIndex(20 + (nFacing == 1 ? 1 : 0), stretchOff));
  if (scale > 1) {
    DDBltStretch(target, Rect.left, Rect.top, Rect.width, Rect.height, sheet, sx, sy, 16, 16, DDBLT_KEYED);
  } else {
    DDBlt(target, Rect.left, Rect.top, 16, 16, sheet, sx, sy, DDBLT_KEYED);
  }
}

void cItemObj::Draw(DDSURFACEDATA* target, bool step) {
  if (Def.bInvisible != 0) return;
  UpdateScreenRect();
  const int f = step ? Anime.Step() : Anime.GetValue();
  GraphicRef ref;
  ref.Set(2, Def.nGraphicKind, Def.nPicture, Def.nPose, 0, f);
  const int k = Scale();
  const int m = ref.nMultiplier;
  const bool stretched = ref.bLargeCell != 0 ? k != m : k > 1;
  if (stretched) {
    DDBltStretch(target, Rect.left, Rect.top, Rect.width, Rect.height, ref.Surface(), ref.nSrcX, ref.nSrcY,
                 Rect.baseWidth * m, Rect.baseHeight * m, DDBLT_KEYED);
  } else {
    DDBlt(target, Rect.left, Rect.top, Rect.width, Rect.height, ref.Surface(), ref.nSrcX, ref.nSrcY, DDBLT_KEYED);
  }
  if (Def.bOverlay == 1) {
    const int tile = Def.nOverlayTile;
    const OverlaySurfaces rows = SelectOverlaySurfaces();
    const int ox = (tile / 15) * 32;
    const int oy = (tile % 15) * 32;
    if (k > 1) {
      DDBltStretch(target, Rect.left, Rect.top, Rect.width, Rect.height, Row(rows.markRow), ox, oy, 32, 32,
                   DDBLT_KEYED);
    } else {
      DDBlt(target, Rect.left, Rect.top, 32, 32, Row(rows.markRow), ox, oy, DDBLT_KEYED);
    }
  }
}
