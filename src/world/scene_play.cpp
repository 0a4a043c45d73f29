#include "world/scene_play.h"

#include <algorithm>
#include <bit>
#include <new>

#include "core/close_request.h"
#include "core/message_boxes.h"
#include "gfx/surface_table.h"
#include "core/world_math.h"

cScenePlay::cScenePlay(cStageData& stage) : Stage(stage) {
  AddState(&cScenePlay::FadeIn);
  AddState(&cScenePlay::StateReady);
  AddState(&cScenePlay::StatePlay);
  AddState(&cScenePlay::StatePause);
  AddState(&cScenePlay::StateClear);
  AddState(&cScenePlay::StateRetry);
  AddState(&cScenePlay::StateGameOver);
  AddState(&cScenePlay::Exit);
  CharaGroups.resize(8);
  PlaySceneQuit.store(0);
  // The first stage after entering the scene asks for its music.
  SaveDataCur.m_nBgm = 0;
  nSeed = StageSeed();
  m_nState = -1;
  PlaySceneGlobal = this;
}

cScenePlay::~cScenePlay() {
  ReleaseSpecialSurfaces();
  ReleaseSceneSurfaces();
  // The messages give their surfaces back to this scene's list while it still stands.
  MessageList.clear();
  DDReleaseSurfaceList(MessageSurfaces);
  PictureList.clear();
  DDReleaseSurfaceList(PictureSurfaces);
  if (PlaySceneGlobal == this) PlaySceneGlobal = nullptr;
}

void cScenePlay::SetUnits(std::int32_t hitLevel, double gravity) {
  Units = HitLevelUnitsOf(hitLevel, gravity);
  dGravitySetting = gravity;
  Schedule = SubStepSchedule(Units.subSteps, Stage.nShotTestLevel);
}

bool cScenePlay::BuildBlockMap() {
  const int w = std::max(Stage.nWidth, 0);
  const int h = std::max(Stage.nHeight, 0);
  // The row stride is the smallest power of two above w + 19, so a cell address is a shift.
  const int shift = std::bit_width(static_cast<unsigned>(w + 19));
  ScrollX.nAxis = 0;
  ScrollX.nView = 640;
  ScrollX.nMargin = 10;
  // A stored pixel size that is not positive stands for the blocks' own; one beyond them is
  // taken as theirs, so that a damaged file cannot ask for a field of any size.
  const auto pixels = [](std::int32_t stored, int blocks) { return stored > 0 && stored < blocks * 32 ? stored : blocks * 32; };
  ScrollX.nMapPixels = pixels(Stage.nMapPixelWidth, w) + 640;
  ScrollX.nMapBlocks = w + 20;
  ScrollX.nShift = shift;
  ScrollX.nStride = 1 << shift;
  ScrollX.nAreaStart = 320;
  ScrollX.nAreaEnd = std::max((w + 10) * 32, 0);
  ScrollX.SetAutoScroll(Stage.nScrollModeX, Stage.nAutoScrollX, Units.dSubSteps);
  ScrollX.SetRange(Stage.nLimitLeft, Stage.nLimitRight, Stage.bLimitLeft, Stage.bLimitRight);
  ScrollY.nAxis = 1;
  ScrollY.nView = 480;
  ScrollY.nMargin = 10;
  ScrollY.nMapPixels = pixels(Stage.nMapPixelHeight, h) + 640;
  ScrollY.nMapBlocks = h + 20;
  ScrollY.nShift = 0;
  ScrollY.nStride = h + 20;
  ScrollY.nAreaStart = 320;
  ScrollY.nAreaEnd = std::max((h + 10) * 32, 0);
  ScrollY.SetAutoScroll(Stage.nScrollModeY, Stage.nAutoScrollY, Units.dSubSteps);
  ScrollY.SetRange(Stage.nLimitTop, Stage.nLimitBottom, Stage.bLimitTop, Stage.bLimitBottom);

  if (!BlockMap.Reset(static_cast<std::size_t>(ScrollX.nStride) * (h + 20))) {
    ErrorBoxF("メモリ不足により、ステージの初期設定に失敗しました！");
    PostCloseRequest();
    return false;
  }
  for (const cEdBlock& block : Stage.Blocks) {
    // A placement beyond the margin is left out rather than wrapped into another row.
    const int column = block.x + 10;
    const int row = block.y + 10;
    if (column < 0 || row < 0 || column >= ScrollX.nMapBlocks || row >= ScrollY.nMapBlocks) continue;
    BlockMap.Put(CellIndex(column, row), block);
  }
  return true;
}

int cScenePlay::CellAt(int px, int py) const {
  if (px < 0 || py < 0) return -1;
  const int c = px >> 5;
  const int r = py >> 5;
  if (c >= ScrollX.nStride || r >= ScrollY.nStride) return -1;
  return CellIndex(c, r);
}

void cScenePlay::ResetIndexes() {
  const int w = ScrollX.nMapPixels;
  const int h = ScrollY.nMapPixels;
  PlatformIndex.Reset(w, h);
  BodyIndex.resize(8);
  for (cSpatialIndex& index : BodyIndex) index.Reset(w, h);
  NumberIndex.clear();
}

void cScenePlay::IndexChara(cCharaBase& c) {
  ++nFieldChanges;
  NumberIndex.emplace(c.nNumber, &c);
  if (c.bHeroFlag == 0 && c.Def.bBlockChara != 0) {
    c.Slots.listKey = ++nKeyCounter;
    PlatformIndex.Insert(&c, c.Slots.platform, c.Box(), c.Slots.listKey);
  }
}

void cScenePlay::UnindexChara(cCharaBase& c) {
  ++nFieldChanges;
  const auto it = NumberIndex.find(c.nNumber);
  if (it != NumberIndex.end() && it->second == &c) NumberIndex.erase(it);
  PlatformIndex.Remove(c.Slots.platform);
  if (c.nGroup >= 0 && c.nGroup < static_cast<int>(BodyIndex.size())) BodyIndex[c.nGroup].Remove(c.Slots.body);
}

void cScenePlay::OnObjectMoved(cCharaBase& c) {
  ++nFieldChanges;
  if (c.Slots.platform >= 0) PlatformIndex.Move(c.Slots.platform, c.Box());
  if (c.Slots.body >= 0) BodyIndex[c.nGroup].Move(c.Slots.body, c.BodyBox());
}

void NotifyObjectMoved(cGameObj& object) {
  // Only characters are given index slots.
  if (PlaySceneGlobal != nullptr) PlaySceneGlobal->OnObjectMoved(static_cast<cCharaBase&>(object));
}

const std::vector<cCharaBase*>& cScenePlay::PlatformsNear(const WorldBox& box) {
  if (bUseIndex) {
    PlatformIndex.Query(box, NearScratch);
  } else {
    NearScratch.clear();
    for (cChara& c : CharaList) {
      if (c.IsBlockChara()) NearScratch.push_back(&c);
    }
  }
  return NearScratch;
}

cCharaBase* cScenePlay::FindCharaByNumber(int number) {
  if (bUseIndex) {
    const auto it = NumberIndex.find(number);
    if (it != NumberIndex.end()) return it->second;
    // Objects set up outside the field's own paths are still found by the walk below.
  }
  for (cPlayer& p : Player) {
    if (p.nNumber == number) return &p;
  }
  for (cChara& c : CharaList) {
    if (c.nNumber == number) return &c;
  }
  return nullptr;
}

void cScenePlay::AddToGroup(cCharaBase& chara) {
  if (chara.nGroup < 0 || chara.nGroup >= static_cast<int>(CharaGroups.size())) return;
  CharaGroups[chara.nGroup].push_back(&chara);
  ++nFieldChanges;
  chara.Slots.groupKey = ++nKeyCounter;
  BodyIndex[chara.nGroup].Insert(&chara, chara.Slots.body, chara.BodyBox(), chara.Slots.groupKey);
}

cList<cChara>::iterator cScenePlay::RemoveChara(cList<cChara>::iterator it) {
  cChara& c = *it;
  for (std::int32_t number : c.TargetedBy) {
    if (cCharaBase* other = FindCharaByNumber(number); other != nullptr && other->nTarget == c.nNumber) {
      other->nTarget = -1;
    }
  }
  if (cCharaBase* target = c.nTarget >= 0 ? FindCharaByNumber(c.nTarget) : nullptr) {
    target->TargetedBy.RemoveValue(c.nNumber);
  }
  for (cList<cCharaBase*>& group : CharaGroups) {
    if (nGroupWalks > 0) {
      bWalkRemoved = true;
      std::replace(group.begin(), group.end(), static_cast<cCharaBase*>(&c), static_cast<cCharaBase*>(nullptr));
    } else {
      group.remove(&c);
    }
  }
  if (pCurChara == &c) pCurChara = nullptr;
  UnindexChara(c);
  const bool atCursor = pPassCursor != nullptr && *pPassCursor == it;
  const auto next = CharaList.erase(it);
  if (atCursor) {
    *pPassCursor = next;
    bCursorRemoved = true;
  }
  return next;
}




void cScenePlay::UpdateActiveFlags() {
  if (!Player.empty()) {
    Hero().bPresent = 1;
    Hero().bOnScreen = 1;
  }
  ActiveFlags.assign(60, 0);
  for (cChara& c : CharaList) {
    if (CheckCharaConditions(c)) {
      c.bPresent = 1;
      c.bOnScreen = c.IsOnScreen() ? 1 : 0;
      c.UpdateActivity(ActiveFlags);
    } else {
      c.bPresent = 0;
      c.bOnScreen = 0;
    }
  }
  for (cChara& c : CharaList) c.bTakesPart = c.bPresent != 0 && c.TakesPart(ActiveFlags) != 0 ? 1 : 0;
  for (cItemObj& item : ItemList) {
    item.bPresent = CheckItemConditions(item) ? 1 : 0;
    item.bOnScreen = item.bPresent != 0 && item.IsOnScreen() ? 1 : 0;
  }
  for (cShotObj& shot : ShotList) {
    shot.bPresent = 1;
    shot.bOnScreen = shot.IsOnScreen() ? 1 : 0;
  }
}
