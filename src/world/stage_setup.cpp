// The field of a stage as play begins.
#include "core/game_random.h"
#include "core/report_log.h"
#include "data/system_data.h"
#include "world/flow_link.h"
#include "world/scene_play.h"

void cScenePlay::SpawnCharas(int blockX, int blockY, const cEdChara& placement) {
  cEdChara d = placement;
  for (int i = 0; i <= d.nCopies; ++i) {
    cChara c;
    c.Init(nCharaNumber, d, nullptr, (blockX + 10) * 32 + 16, (blockY + 10) * 32 + 16, i);
    c.SetCell(blockX, blockY);
    const int ox = d.CopyOffsetX(i, d.nFacing);
    const int oy = d.CopyOffsetY(i, d.nFacing);
    c.x += ox;
    c.right += ox;
    c.y += oy;
    c.bottom += oy;
    if (!c.IsInStage(true)) continue;
    c.OnMovedX();
    c.OnMovedY();
    CharaList.push_back(c);
    CharaList.back().UpdateScreenRect();
    IndexChara(CharaList.back());
    ++nCharaNumber;
  }
}

void cScenePlay::SetupField(std::uint32_t seed) {
  ErrLogf("In SetStage");
  nFrame = 0;
  CharaGroups.assign(8, cList<cCharaBase*>{});
  CharaList.clear();
  ItemList.clear();
  EffectList.clear();
  ShotList.clear();
  MessageList.clear();
  PictureList.clear();
  for (cList<cShotObj*>& group : ShotGroups) group.clear();
  SeedGameRandom(seed);
  nCharaNumber = nItemNumber = nShotNumber = 0;
  SetUnits(Stage.nHitLevel, Stage.dGravity);
  BuildBlockMap();
  ResetIndexes();
  Player.assign(1, cPlayer{});
  const int heroIndex = Stage.FindHero();
  if (heroIndex >= 0) {
    const cEdChara& p = Stage.Charas[heroIndex];
    Hero().Init(nCharaNumber++, p, (p.x + 10) * 32 + 16, (p.y + 10) * 32 + 16);
  }
  cPlayer& hero = Hero();
  IndexChara(hero);
  ScrollX.dPos = hero.x - 320 + (hero.nWidth / 2);
  ScrollX.Clamp();
  ScrollY.dPos = hero.y - 240 + (hero.nHeight / 2);
  ScrollY.Clamp();
  hero.UpdateScreenRect();
  StageVars.assign(255, 0);
  for (int i = 0; i < static_cast<int>(Stage.Charas.size()); ++i) {
    const cEdChara& c = Stage.Charas[i];
    if (i == heroIndex || c.nPicture == 0) continue;
    SpawnCharas(c.x, c.y, c);
  }
  for (const cEdItem& item : Stage.Items) {
    if (item.nPicture != 0) SpawnItem(item);
  }
  AddToGroup(hero);
  for (cChara& c : CharaList) AddToGroup(c);
  const auto anySide = [](const cStageParam& p) { return p.bLeft | p.bRight | p.bTop | p.bBottom; };
  bEraseCharas = anySide(Stage.Ranges[kRangeEraseCharas]) != 0;
  bEraseBlockCharas = anySide(Stage.Ranges[kRangeEraseBlockCharas]) != 0;
  bEraseItems = anySide(Stage.Ranges[kRangeEraseItems]) != 0;
  nStageEnd = 0;
  nClearRequest = 0;
  ActiveFlags.assign(60, 0);
  nSubStep = nSubStepTotal = 0;
  nState = 2;
  // Stage start: the hero, then the characters, each removed at once when its flows asked.
  const bool everyone = SystemData.bLegacy697 != 0;
  if (!everyone) UpdateActiveFlags();
  hero.FireTrigger(18);
  for (auto it = CharaList.begin(); it != CharaList.end();) {
    if (!everyone && it->bPresent == 0) {
      ++it;
      continue;
    }
    it->FireTrigger(18);
    if (it->bKillRequest != 0) {
      it = RemoveChara(it);
    } else if (it->nHp <= 0) {
      DefeatChara(*it);
      it = RemoveChara(it);
    } else {
      ++it;
    }
  }
  UpdateActiveFlags();
  ErrLogf("Out SetStage");
}
