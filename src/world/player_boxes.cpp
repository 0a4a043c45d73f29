// The hero's flight modes, its boxes and their display, its screen rectangle and darkness.
#include <algorithm>

#include "data/system_data.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_state.h"
#include "gfx/frame_blit.h"
#include "world/hero_input_seam.h"
#include "world/scene_play.h"
#include "core/world_math.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

void Centre(HitBox& box, int w, int h, int picOffX, int picOffY, bool bottomAligned) {
  const int ox = 16 - picOffX - w / 2;
  const int oy = bottomAligned ? 32 - picOffY - h : 16 - picOffY - h / 2;
  box.SetBoth(ox, oy, w, h);
}

void ScaleBox(HitBox& box, int k) {
  box.offX *= k;
  box.offY *= k;
  box.width *= k;
  box.height *= k;
}

}  // namespace

void cPlayer::SetFlightMode(int mode, int scaleToo) {
  const cStageData& st = Scene().Stage;
  const int wasFlying = bNoGravity;
  Def.nFlight = static_cast<std::uint8_t>(mode);
  SetFlightKind(mode);
  if (bNoGravity != wasFlying) nSqueezeGrace = 2;
  if (wasFlying != 0 && bNoGravity == 0) {
    vx = vy = 0;
    ax = ay = 0;
  }
  const int flying = bNoGravity != 0 ? 1 : 0;
  const int w = st.nHeroTerrainBox[flying * 2];
  const int h = st.nHeroTerrainBox[flying * 2 + 1];
  nWidth = nBaseWidth = w;
  nHeight = nBaseHeight = h;
  Rect.offX = Rect.baseOffX = (32 - w) >> 1;
  Rect.offY = Rect.baseOffY = st.bHeroTerrainAlign[flying] != 0 ? 32 - h : (32 - h) >> 1;
  Rect.width = Rect.baseWidth = 32;
  Rect.height = Rect.baseHeight = 32;
  const std::int32_t* body = flying != 0 ? st.nHeroBodyFly : st.nHeroBodyWalk;
  switch (Def.nBodyBox) {
    case 1: Centre(Body, st.nHeroShotBox[0], st.nHeroShotBox[1], Rect.offX, Rect.offY, false); break;
    case 2: Centre(Body, st.nHeroShotHitBox[0], st.nHeroShotHitBox[1], Rect.offX, Rect.offY, false); break;
    case 3: Centre(Body, 32, 32, Rect.offX, Rect.offY, false); break;
    default: Centre(Body, body[0], body[1], Rect.offX, Rect.offY, st.bHeroBodyAlign[flying] != 0); break;
  }
  Centre(Attack, st.nHeroShotBox[0], st.nHeroShotBox[1], Rect.offX, Rect.offY, false);
  Centre(ItemBox, st.nHeroItemBox[0], st.nHeroItemBox[1], Rect.offX, Rect.offY, false);
  if (scaleToo != 0) {
    const int k = std::max<int>(1, Def.nGiant);
    nWidth *= k;
    nHeight *= k;
    Rect.offX *= k;
    Rect.offY *= k;
    Rect.width *= k;
    Rect.height *= k;
    ScaleBox(Body, k);
    ScaleBox(Attack, k);
    ScaleBox(ItemBox, k);
  }
  right = x + nWidth - 1;
  bottom = y + nHeight - 1;
  BuildHitBoxList();
}

void cPlayer::BuildHitBoxList() {
  static constexpr int kBaseColours[8] = {208, 212, 216, 220, 224, 228, 232, 236};
  const cStageData& st = Scene().Stage;
  const auto colour = [&](int box) { return kBaseColours[st.nHeroBoxColor[box] & 7]; };
  HitBoxes.clear();
  // Display modes and colours are kept in the order size, body, attack, item.
  HitBoxes.push_back({0, st.nHeroBoxShow[0], colour(0), 0, 0, nWidth, nHeight, 0});
  HitBoxes.push_back({2, st.nHeroBoxShow[3], colour(3), 0, 0, ItemBox.width, ItemBox.height, 0});
  HitBoxes.push_back({1, st.nHeroBoxShow[1], colour(1), 0, 0, Body.width, Body.height, 0});
  HitBoxes.push_back({3, st.nHeroBoxShow[2], colour(2), 0, 0, Attack.width, Attack.height, 0});
  std::stable_sort(HitBoxes.begin(), HitBoxes.end(), [](const HitBoxListEntry& a, const HitBoxListEntry& b) {
    return a.nWidth * a.nHeight > b.nWidth * b.nHeight;
  });
}

void cPlayer::DrawHitBoxes(DDSURFACEDATA* target) {
  for (HitBoxListEntry& e : HitBoxes) {
    if (e.nMode == 0) continue;
    const HitBox* box = e.nKind == 1 ? &Body : e.nKind == 2 ? &ItemBox : e.nKind == 3 ? &Attack : nullptr;
    e.nLeft = Rect.left + (box != nullptr ? box->offX : Rect.offX);
    e.nTop = Rect.top + (box != nullptr ? box->offY : Rect.offY);
    const int c = DDBpp == 8 && SystemData.bPaletteCycle != 0 ? e.nColour : e.nColour + e.nCycle / 8;
    if (target != nullptr) {
      if (e.nMode == 1) {
        DDFrameRect(target, e.nLeft, e.nTop, e.nWidth, e.nHeight, 1, c);
      } else {
        DDFillRect(target, e.nLeft, e.nTop, e.nWidth, e.nHeight, static_cast<DWORD>(c));
      }
    }
    if (++e.nCycle >= 32) e.nCycle = 0;
  }
}

int cPlayer::UpdateScreenRect() {
  const cScenePlay& s = Scene();
  // Under auto-scroll both are cut to whole pixels first, so the hero does not shimmer against
  // a camera that moves by fractions.
  const auto axis = [](double pos, const cScrollAxis& a, int off) {
    if (a.nAutoOn != 0) return TruncToInt(pos) - TruncToInt(a.dPos) - off;
    return TruncToInt(pos - a.dPos) - off;
  };
  Rect.left = axis(x, s.ScrollX, Rect.offX);
  Rect.top = axis(y, s.ScrollY, Rect.offY);
  Rect.right = Rect.left + Rect.width - 1;
  Rect.bottom = Rect.top + Rect.height - 1;
  return Rect.top;
}

void cPlayer::DrawDarkness(DDSURFACEDATA* target, DDSURFACEDATA* darkness) {
  if (Def.nDarkness == 0 || darkness == nullptr) return;
  const int W = darkness->nWidth;
  const int H = darkness->nHeight;
  int h = W / 2 - Rect.width / 2 - Rect.left;
  if (Def.nDarkness == 2 || Def.nDarkness == 4) h += FacingSign() * (Rect.width / 2 - nSightDots);
  h = std::clamp(h, 0, std::max(0, W - 640));
  const int v = std::clamp(H / 2 - Rect.height / 2 - Rect.top, 0, std::max(0, H - 480));
  DDBlt(target, 0, 0, 640, 480, darkness, h, v, DDBLT_KEYED);
}
