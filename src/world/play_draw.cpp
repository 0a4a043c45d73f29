// One frame of the play field: backgrounds, pictures, blocks, the objects in their layers,
// effects and messages, then the status bar and the time.
#include <cmath>

#include "core/program_state.h"
#include "core/strings.h"
#include "core/trunc_to_int.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_state.h"
#include "gfx/game_fonts.h"
#include "gfx/palette_animation.h"
#include "gfx/render_target.h"
#include "gfx/sprite_batch.h"
#include "gfx/surface_records.h"
#include "world/chara_draw.h"
#include "world/scene_play.h"

namespace {

constexpr int kBlockSheetRow = play_rows::kBlockSheet;
constexpr int kDarknessRow = play_rows::kDarkness;
constexpr int kTextDirectPlayCaption = 26;
constexpr int kTextEditorCaption = 25;
constexpr int kFieldColour = 16;
// At most this many rows and columns of one background are tiled.
constexpr int kMaxTiles = 1000;

DDSURFACEDATA* BackBuffer() { return &SDBackBuffer; }

// a mod m in [0, m).
int Wrap(int a, int m) {
  const int r = a % m;
  return r < 0 ? r + m : r;
}

double WrapDouble(double a, double m) {
  if (a < 0.0) a += m;
  if (a >= m) a -= m;
  return a;
}

}  // namespace

void cScenePlay::Draw(int playFrame, int freeze, int showStatus, int showCaption) {
  if (DDInitialised == 0) return;
  const bool frozen = freeze != 0;
  if (ScreenEffect.entry.nIndex != 0) DDSetVirtualBackBuffer(1);
  StepBackgrounds();
  DrawBackgrounds(BackBuffer(), 0);
  if (playFrame == 0 && m_nState == kPlayPause && SystemData.bPauseHidesField != 0) {
    DrawBackgrounds(BackBuffer(), 1);
    Tint.Apply(frozen);
    return;
  }
  DrawPictures(BackBuffer(), 0, frozen);
  DrawBlockMap(BackBuffer(), 0);
  const bool layered = Stage.bLayered != 0;
  const int layers = layered ? 8 : 1;
  for (int layer = 0; layer < layers; ++layer) {
    if (!Player.empty() && (!layered || Hero().Def.nZ == layer)) DrawHero(frozen);
    DDBeginBatch(1);
    DDBatchAddLayer(&SurfaceRecords[kBlockSheetRow]);
    for (cItemObj& item : ItemList) {
      if ((layered && item.Def.nLayer != layer) || item.bPresent == 0) continue;
      item.UpdateScreenRect();
      item.Draw(BackBuffer(), !frozen);
    }
    DDFlushBatch();
    for (auto it = CharaList.begin(); it != CharaList.end();) {
      if (layered && it->Def.nZ != layer) {
        ++it;
        continue;
      }
      it = DrawChara(*it, frozen) == 1 ? RemoveChara(it) : std::next(it);
    }
    DDBeginBatch(0);
    for (cShotObj& shot : ShotList) {
      if ((layered && shot.Rec.nLayer != layer) || !shot.IsOnScreen()) continue;
      shot.UpdateScreenRect();
      shot.Draw(BackBuffer(), !frozen);
    }
    DDFlushBatch();
  }
  DrawBlockMap(BackBuffer(), 1);
  DrawBackgrounds(BackBuffer(), 1);
  if (!Player.empty()) Hero().DrawDarkness(BackBuffer(), &SurfaceRecords[kDarknessRow]);
  DrawPictures(BackBuffer(), 1, frozen);
  DDBeginBatch(0);
  for (auto it = EffectList.begin(); it != EffectList.end();) {
    it = it->Draw(BackBuffer(), !frozen) == 1 ? EffectList.erase(it) : std::next(it);
  }
  DDFlushBatch();
  for (auto it = MessageList.begin(); it != MessageList.end();) {
    it = it->Update(BackBuffer(), frozen) == 1 ? MessageList.erase(it) : std::next(it);
  }
  RunScreenEffect(frozen);
  DrawStatus(BackBuffer());
  DrawTime(BackBuffer(), showStatus);
  if (showCaption != 0) {
    int text = -1;
    if (DirectPlayFlag.load() != 0) {
      text = kTextDirectPlayCaption;
    } else if (FromEditor.load() != 0) {
      text = kTextEditorCaption;
    }
    if (text >= 0) {
      const std::string& caption = SystemData.Texts[text];
      GameFonts[1].Draw(BackBuffer(), 320 - StrCharCount(caption) * 16 / 2, 456, caption.c_str(), 1);
    }
  }
  AnimatePalette();
  Tint.Apply(frozen);
}

void cScenePlay::DrawHero(bool freeze) {
  cPlayer& hero = Hero();
  hero.UpdateScreenRect();
  if (hero.bDead != 0) {
    // Only the play frame's drawing resolves the death: the menus and displays that follow it
    // draw the dead hero frozen and must not take a life every frame.
    if (DeathDisplayStep(hero, BackBuffer(), freeze, SceneMgr.FrameRate) == 1 && !freeze) ResolveHeroDeath();
    return;
  }
  DrawCharaPicture(hero, BackBuffer(), freeze);
  hero.DrawHitBoxes(BackBuffer());
  DrawHpGauge(hero, BackBuffer());
  DrawSpGauge(hero, BackBuffer());
}

int cScenePlay::DrawChara(cChara& c, bool freeze) {
  if (c.bDead != 0) {
    c.UpdateScreenRect();
    return DeathDisplayStep(c, BackBuffer(), freeze, SceneMgr.FrameRate) == 1 ? 1 : 0;
  }
  if (c.bOnScreen == 0) {
    if (c.bTakesPart != 0) {
      c.UpdateScreenRect();
      c.CurrentAnimeValue(false);
      StepCharaEffect(c, false);
    }
    return 0;
  }
  c.UpdateScreenRect();
  if (c.nHide != 0) {
    c.CurrentAnimeValue(false);
    StepCharaEffect(c, false);
  } else {
    DrawCharaPicture(c, BackBuffer(), freeze);
  }
  DrawHpGauge(c, BackBuffer());
  DrawSpGauge(c, BackBuffer());
  if (c.nHide == 0) DrawHeldItemIcon(c, BackBuffer());
  return 0;
}

void cScenePlay::StepBackgrounds() {
  const int count = std::min(static_cast<int>(Stage.Backgrounds.size()), kBackgroundRowCount);
  for (int i = 0; i < count; ++i) {
    cEdBackground& b = Stage.Backgrounds[i];
    const DDSURFACEDATA& surface = SurfaceRecords[kBackgroundFirstRow + i];
    if (b.bSelfScrollX != 0 && surface.nWidth > 0) {
      b.dSelfScrollPosX = WrapDouble(b.dSelfScrollPosX - b.dScrollX, surface.nWidth);
    }
    if (b.bSelfScrollY != 0 && surface.nHeight > 0) {
      b.dSelfScrollPosY = WrapDouble(b.dSelfScrollPosY - b.dScrollY, surface.nHeight);
    }
  }
}

void cScenePlay::DrawBackgrounds(DDSURFACEDATA* target, int layer) {
  bool anyVisible = false;
  for (const cEdBackground& b : Stage.Backgrounds) anyVisible = anyVisible || b.bVisible != 0;
  if (layer == 0 && !anyVisible) {
    DDFillRect(target, 0, 0, 640, 480, kFieldColour);
    return;
  }
  int drawn = 0;
  const int margin = ScrollX.nMargin * 32;
  const int count = std::min(static_cast<int>(Stage.Backgrounds.size()), kBackgroundRowCount);
  for (int i = 0; i < count; ++i) {
    const cEdBackground& b = Stage.Backgrounds[i];
    if (b.bVisible == 0 || b.nDrawKey != layer) continue;
    if (b.bFill != 0) {
      DDFillRect(target, 0, 0, 640, 480, static_cast<DWORD>(b.nFillColor));
      ++drawn;
      continue;
    }
    DDSURFACEDATA* picture = &SurfaceRecords[kBackgroundFirstRow + i];
    const int w = picture->nWidth;
    const int h = picture->nHeight;
    if (w <= 0 || h <= 0) continue;
    const int ox = b.bSelfScrollX != 0
                       ? TruncToInt(ScrollX.dPos + b.dSelfScrollPosX - margin)
                       : TruncToInt((TruncToInt(ScrollX.dPos + 0.5) - margin) * b.dScrollX);
    const int oy = b.bSelfScrollY != 0 ? TruncToInt(ScrollY.dPos + b.dSelfScrollPosY - margin)
                                       : TruncToInt((TruncToInt(ScrollY.dPos) - margin) * b.dScrollY);
    const int flags = drawn == 0 && layer == 0 ? DDBLT_OPAQUE : DDBLT_KEYED;
    DDBeginBatch(0);
    const int sy0 = Wrap(oy, h);
    const int sx0 = Wrap(ox, w);
    int rows = 0;
    for (int y = 0, sy = sy0; y < 480 && rows < kMaxTiles; ++rows) {
      const int rowHeight = h - sy;
      int columns = 0;
      for (int x = 0, sx = sx0; x < 640 && columns < kMaxTiles; ++columns) {
        const int columnWidth = w - sx;
        DDBlt(target, x, y, columnWidth, rowHeight, picture, sx, sy, flags);
        x += columnWidth;
        sx = 0;
      }
      y += rowHeight;
      sy = 0;
    }
    DDFlushBatch();
    ++drawn;
  }
  if (layer == 0 && drawn == 0) DDFillRect(target, 0, 0, 640, 480, kFieldColour);
}

void cScenePlay::DrawBlockMap(DDSURFACEDATA* target, int layer) {
  const int x = TruncToInt(ScrollX.dPos);
  const int y = TruncToInt(ScrollY.dPos);
  DDBeginBatch(1);
  DDBatchAddLayer(&SurfaceRecords[kBlockSheetRow]);
  const int firstRow = y >> 5;
  const int firstColumn = x >> 5;
  for (int r = 0; r < 16; ++r) {
    const int row = firstRow + r;
    if (row < 0 || row >= ScrollY.nStride) continue;
    for (int c = 0; c < 21; ++c) {
      const int column = firstColumn + c;
      if (column < 0 || column >= ScrollX.nStride) continue;
      const int index = CellIndex(column, row);
      const cEdBlock& cell = BlockMap.Block(index);
      if (cell.nPicture == 0 || cell.nLayer != layer || cell.bInvisible != 0) continue;
      if (!CheckCellConditions(index)) continue;
      DrawBlockIcon(cell, target, 32 * c - (x & 31), 32 * r - (y & 31));
    }
  }
  DDFlushBatch();
}

void cScenePlay::DrawPictures(DDSURFACEDATA* target, int layer, bool freeze) {
  int place = 0;
  for (auto it = PictureList.begin(); it != PictureList.end();) {
    if (it->nLayer != layer) {
      ++it;
      ++place;
      continue;
    }
    DDSURFACEDATA* surface =
        place < static_cast<int>(PictureSurfaces.size()) ? &*PictureSurfaces.NodeAt(place) : nullptr;
    if (it->Draw(target, surface, freeze) == 1) {
      ++it;
      RemovePicture(place);
      continue;
    }
    ++it;
    ++place;
  }
}
