// The play scene as the flow engine's one-call commands change it: auto-scroll, vanishing,
// items taken by command, backgrounds.
#include <algorithm>
#include <string>
#include <vector>

#include "data/common_palette.h"
#include "world/chara_search.h"
#include "world/message_obj.h"
#include "world/player.h"
#include "world/scene_play.h"
#include "world/shot_obj.h"
#include "world/world_sound.h"

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

cCharaBase* cScenePlay::FindTarget(cCharaBase& searcher, const FlowTargetSearch& search) {
  CharaFilter filter;
  filter.skipSelf = search.skipSelf;
  filter.selfNumber = searcher.nNumber;
  filter.skipInvincible1 = search.skipInvincible1;
  filter.skipInvincible2 = search.skipInvincible2;
  filter.skipBlockCharas = search.skipBlockCharas;
  filter.byId = search.byId;
  filter.charaId = search.charaId;
  filter.byValue = search.byVariable;
  filter.valueIndex = search.variable;
  filter.value = search.value;
  filter.comparison = search.comparison;
  searcher.UpdateScreenRect();
  const double cx = searcher.Rect.left + (searcher.Rect.width >> 1);
  const double cy = searcher.Rect.top + (searcher.Rect.height >> 1);
  const bool nearest = search.kind == 2;
  const auto inGroup = [&](const cList<cCharaBase*>& list) {
    return nearest ? FindNearestChara(cx, cy, list, search.range, filter) : FindChara(list, filter);
  };
  if (!search.allGroups) return inGroup(CharaGroups[search.group]);
  cList<cCharaBase*> candidates;
  for (const cList<cCharaBase*>& group : CharaGroups) {
    if (group.empty()) continue;
    cCharaBase* found = inGroup(group);
    if (found == nullptr) continue;
    if (!nearest) return found;
    candidates.push_back(found);
  }
  return nearest ? FindNearestChara(cx, cy, candidates, search.range, filter) : nullptr;
}

namespace {

MessageParams ParamsOf(const FlowMessage& m, int owner) {
  MessageParams p;
  p.kind = 1;
  p.text = m.text;
  p.positionMode = m.positionMode;
  p.cellX = m.cellX;
  p.cellY = m.cellY;
  p.offsetX = m.offsetX;
  p.offsetY = m.offsetY;
  p.clamp = m.keepInside;
  p.fixed = m.screenFixed;
  p.durationKind = m.displayMode;
  p.time = m.frames;
  p.countWhenPaused = m.modal;
  p.owner = owner;
  p.noOpening = m.chained;
  p.expand = m.expand;
  p.refresh = m.refresh;
  p.refreshInterval = m.refreshInterval;
  p.frame = m.font;
  p.extra1 = m.hasId;
  p.extra2 = m.id;
  return p;
}

}  // namespace

namespace {

constexpr int kSoundMessageOpen = 11;

}  // namespace

void cScenePlay::ShowMessage(const FlowMessage& m, const cCharaBase* executing) {
  int owner = -1;
  if (m.follow == 1 && executing != nullptr) owner = executing->nNumber;
  if (m.follow == 2) owner = Player[0].nNumber;
  MessageParams params = ParamsOf(m, owner);
  auto shown = MessageList.end();
  if (m.hasId == 0) {
    if (m.close != 0) return;
    shown = MessageList.emplace(MessageList.end());
    shown->Init(params);
  } else {
    auto it = std::find_if(MessageList.begin(), MessageList.end(),
                           [&m](const cMessageObj& message) { return message.nExtra1 != 0 && message.nExtra2 == m.id; });
    if (it == MessageList.end()) {
      if (m.close != 0) return;
      shown = MessageList.emplace(MessageList.end());
      shown->Init(params);
    } else if (m.close != 0) {
      MessageList.erase(it);
      return;
    } else {
      std::string text = m.text;
      if (m.expand != 0) ExpandTextVariables(text);
      int width = 0;
      int height = 0;
      MeasureText(width, height, text);
      if (width == it->nWidth && height == it->nHeight && it->pSurface != nullptr) {
        // The same size: the window keeps its place and its surface and shows the new text.
        params.deferSurface = 1;
        it->Init(params);
        it->DrawText(it->pSurface);
      } else {
        it = MessageList.erase(it);
        it = MessageList.emplace(it);
        it->Init(params);
      }
      shown = it;
    }
  }
  if (m.modal == 0) return;
  // The game stands still while the message is shown, and the message goes with the display.
  if (m.displayMode == 0) {
    SetModalDisplay(1, 1, 0, m.chained);
    if (m.chained == 0) WorldSound().PlaySE(kSoundMessageOpen);
  } else if (m.displayMode == 2) {
    SetModalDisplay(1, 0, m.frames, m.chained);
  }
  const cMessageObj* message = &*shown;
  RunModalDisplay();
  // The display may have ended the message by its time already.
  const auto still = std::find_if(MessageList.begin(), MessageList.end(),
                                  [message](const cMessageObj& m) { return &m == message; });
  if (still != MessageList.end()) MessageList.erase(still);
}

void cScenePlay::AddWaitMessage(int frames) {
  MessageParams p;
  p.kind = 0;
  p.fixed = 1;
  p.durationKind = 2;
  p.time = frames;
  p.countWhenPaused = 1;
  MessageList.emplace_back().Init(p);
}

void cScenePlay::SetBackground(int index, int mode) {
  if (index < 0 || index >= static_cast<int>(Stage.Backgrounds.size())) return;
  std::int32_t& visible = Stage.Backgrounds[index].bVisible;
  if (mode == 0) visible = 1;
  if (mode == 1) visible = 0;
  if (mode == 2) visible = visible != 0 ? 0 : 1;
}
