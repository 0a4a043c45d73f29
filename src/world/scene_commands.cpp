// The play scene as the flow engine's one-call commands change it: auto-scroll, vanishing,
// items taken by command, backgrounds.
#include <vector>

#include "data/common_palette.h"
#include "world/player.h"
#include "world/scene_play.h"
#include "world/shot_obj.h"

void cScenePlay::SetAutoScrollSwitch(int axis, int value) {
  if (axis == 0) {
    Stage.nScrollModeX = value;
    ScrollX.SetAutoScroll(value, Stage.nAutoScrollX, Units.dSubSteps);
  } else {
    Stage.nScrollModeY = value;
    ScrollY.SetAutoScroll(value, Stage.nAutoScrollY, Units.dSubSteps);
  }
}

void cScenePlay::VanishCharas(int group, bool all, const cCharaBase* executing) {
  if (group < 0 || group >= static_cast<int>(CharaGroups.size())) return;
  for (cCharaBase* c : CharaGroups[group]) {
    if (c == nullptr || c->bDead != 0) continue;
    const auto* stageChara = c->bHeroFlag == 0 ? static_cast<const cChara*>(c) : nullptr;
    if (stageChara != nullptr && stageChara->bActive == 0) continue;
    if (!all && !c->IsOnScreen()) continue;
    c->Disappear();
    if (c != executing) nKillFlag = 1;
  }
}

void cScenePlay::VanishShots(int group, bool all) {
  if (group < 0 || group >= static_cast<int>(ShotGroups.size())) return;
  // Gathered first: removing a shot unlinks it from the list being walked.
  std::vector<const cShotObj*> going;
  for (cShotObj* shot : ShotGroups[group]) {
    if (shot != nullptr && shot->bRemoved == 0 && (all || shot->IsOnScreen())) going.push_back(shot);
  }
  for (const cShotObj* shot : going) RemoveShot(shot);
}

int cScenePlay::RunItem(int palette, int index) {
  const cVector<cEdItem>& items = palette == 0 ? CommonPalette.Items : Stage.PalItems;
  const cEdItem& item = items[index];
  return Hero().RunItemCommands(item.commands);
}

void cScenePlay::SetBackground(int index, int mode) {
  if (index < 0 || index >= static_cast<int>(Stage.Backgrounds.size())) return;
  std::int32_t& visible = Stage.Backgrounds[index].bVisible;
  if (mode == 0) visible = 1;
  if (mode == 1) visible = 0;
  if (mode == 2) visible = visible != 0 ? 0 : 1;
}
