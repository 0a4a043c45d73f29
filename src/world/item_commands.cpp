// Items taken by the hero: the command list with its 25 handlers, flow changes, pickup, the
// touch itself and the block events.
#include <algorithm>

#include "data/palette_reference.h"
#include "world/flow_link.h"
#include "world/scene_play.h"
#include "world/world_sound.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

enum : int { kItemFlowChange = 1, kItemStageClear = 2, kItemMessage = 4, kItemArrange = 23, kItemLoop = 24 };

int RunItemCommand(cPlayer& hero, cEdCommand& command) {
  const int kind = command.nKind <= kItemLoop ? command.nKind : 0;
  switch (kind) {
    case 0:
    case kItemLoop:
      return 0;
    case kItemFlowChange:
      ItemFlowChange(hero, command, false);
      return 0;
    case kItemStageClear:
      FlowLink().ExecItemCommand(hero, command);
      return 1;
    case kItemMessage:
      FlowLink().ExecItemCommand(hero, command);
      Scene().bItemMessage = 1;
      return 0;
    default:
      FlowLink().ExecItemCommand(hero, command);
      return 0;
  }
}

}  // namespace

int cPlayer::RunItemCommands(const cVector<cEdCommand>& commands) {
  Scene().bItemMessage = 0;
  for (const cEdCommand& listed : commands) {
    cEdCommand command = listed;
    if (command.nKind != kItemArrange) {
      if (!ItemArrange.empty()) FlowLink().ApplyArrangeList(ItemArrange, command);
      ItemArrange.clear();
    }
    const int r = RunItemCommand(*this, command);
    if (nHp <= 0) return 2;
    if (r != 0) return r;
  }
  return nHp <= 0 ? 2 : 0;
}

void ItemFlowChange(cCharaBase& chara, const cEdCommand& command, bool queued) {
  cScenePlay& s = Scene();
  if (!queued && s.pCurChara == &s.Hero() && &chara == &s.Hero()) {
    s.Hero().QueuedFlowChanges.push_back(command);
    return;
  }
  cEdCommand c = command;
  switch (c.Param(0)) {
    case 0:
      FlowLink().InstallCommandFlows(chara, c, -1);
      break;
    case 1: {
      const int at = FlowLink().RemoveFlowsById(chara, c.Param(1));
      FlowLink().InstallCommandFlows(chara, c, at);
      break;
    }
    case 2:
      FlowLink().RemoveFlowsById(chara, c.Param(1));
      break;
    default:
      break;
  }
}

void cPlayer::ApplyQueuedFlowChanges() {
  // A change may queue nothing more (the hero is no longer being stepped), but take the
  // queue first so that the loop never walks a vector that grows.
  cVector<cEdCommand> queued;
  queued.swap(QueuedFlowChanges);
  for (const cEdCommand& c : queued) ItemFlowChange(*this, c, true);
}

int cScenePlay::TouchItem(cItemObj& item) {
  if (item.nGraphic == 0 || item.Def.nTakeMode == 2 || item.bPresent == 0) return 0;
  cPlayer& hero = Hero();
  if (item.Def.bPopUp != 0) hero.ShowTakenItem(item.Def.nGraphicKind, item.Def.nPicture, item.Def.nPose);
  WorldSound().PlayUserSE(item.Def.nSound);
  return hero.RunItemCommands(item.Def.commands);
}

int cScenePlay::PickUpItems(cPlayer& hero) {
  const WorldBox box = hero.ItemBoxOf();
  for (auto it = ItemList.begin(); it != ItemList.end();) {
    cItemObj& item = *it;
    const int mode = item.Def.nTakeMode;
    const bool touching = item.bPresent != 0 && mode != 2 && item.OverlapsRect(box.left, box.top, box.right, box.bottom);
    if (!touching) {
      if (mode == 1) hero.ForgetTouchedItem(item.nNumber);
      ++it;
      continue;
    }
    hero.FireTrigger(8);
    if (mode == 1) {
      if (hero.IsItemTouched(item.nNumber) == 0) {
        ++it;
        continue;
      }
      hero.TouchedItems.push_back(item.nNumber);
    }
    const int r = TouchItem(item);
    if (mode == 0) {
      it = ItemList.erase(it);
    } else {
      ++it;
    }
    if (r != 0) return r;
  }
  return 0;
}

int cScenePlay::RunBlockEvent(cPlayer& hero) {
  if (hero.Flies()) return 0;
  const cEdBlock* cell = hero.nFootCell >= 0 ? CellBlock(hero.nFootCell) : nullptr;
  bool fired = false;
  if (cell != nullptr && hero.nBlockEventCooldown == 0 && HitKind(hero.nFootCell, hero.nGroup) != 0) {
    if (const cEdItem* def = GetPaletteItem(cell->nItemSource, cell->nItemIndex)) {
      cItemObj item;
      item.Init(-1, *def, 1);
      if (const int r = TouchItem(item); r != 0) return r;
      hero.nBlockEventCooldown = 60 * Units.subSteps;
      fired = true;
    }
  }
  if (hero.nBlockEventCooldown != 0) {
    if (hero.bFalling != 0) {
      hero.nBlockEventCooldown = 0;
    } else {
      hero.nBlockEventCooldown = std::max(0, hero.nBlockEventCooldown - 1);
      if (cell != nullptr && hero.nLandCell != hero.nPrevLandCell && !fired) {
        hero.nBlockEventCooldown = 0;
        if (hero.vy >= 0) hero.vy += 1;
      }
    }
  }
  return 0;
}

void cScenePlay::SpawnItem(const cEdItem& placement) {
  cItemObj item;
  item.Init(nItemNumber, placement, 0);
  item.PlaceAtCell(placement.x, placement.y);
  ItemList.push_back(item);
  ++nItemNumber;
}
