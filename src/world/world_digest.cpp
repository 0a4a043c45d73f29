#include "world/world_digest.h"

#include <bit>

#include "core/game_random.h"
#include "world/scene_play.h"

namespace {

class Digest {
 public:
  void Add(std::uint64_t v) {
    for (int i = 0; i < 8; ++i) {
      hash_ ^= (v >> (8 * i)) & 0xFF;
      hash_ *= 0x100000001B3ull;
    }
  }
  void Int(std::int64_t v) { Add(static_cast<std::uint64_t>(v)); }
  void Real(double v) { Add(std::bit_cast<std::uint64_t>(v)); }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

void AddChara(Digest& d, const cCharaBase& c) {
  d.Int(c.nNumber);
  for (double v : {c.x, c.y, c.right, c.bottom, c.vx, c.vy, c.ax, c.ay, c.dImpX, c.dImpY, c.dPrevImpY}) d.Real(v);
  for (std::int32_t v : {c.nHp, c.nSp, c.nFacing, c.nLifetime, c.bDead, c.bRiding, c.nRidden, c.bFalling, c.bInJump,
                         c.bAscending, c.bJumpLock, c.nNoGround, c.nFootCell, c.nLandCell, c.bKnockBack,
                         c.bContactL, c.bContactR, c.bContactU, c.bContactD, c.nInvincible, c.nTarget, c.bPresent,
                         c.bOnScreen, c.bKillRequest, c.nWallSide}) {
    d.Int(v);
  }
  d.Int(static_cast<std::int64_t>(c.Attackers.size()));
  for (const AttackerMemo& m : c.Attackers) {
    d.Int(m.nAttacker);
    d.Int(m.nLeft);
  }
  for (std::int32_t v : c.Vars) d.Int(v);
}

}  // namespace

std::uint64_t WorldDigest(const cScenePlay& scene) {
  Digest d;
  d.Int(scene.nFrame);
  d.Int(scene.nSubStepTotal);
  d.Real(scene.ScrollX.dPos);
  d.Real(scene.ScrollY.dPos);
  d.Int(scene.nScore);
  for (const cPlayer& p : scene.Player) AddChara(d, p);
  d.Int(static_cast<std::int64_t>(scene.CharaList.size()));
  for (const cChara& c : scene.CharaList) {
    AddChara(d, c);
    d.Int(c.bActive);
    d.Int(c.bActivated);
  }
  for (const cList<cCharaBase*>& group : scene.CharaGroups) {
    d.Int(static_cast<std::int64_t>(group.size()));
    for (const cCharaBase* c : group) d.Int(c != nullptr ? c->nNumber : -1);
  }
  d.Int(static_cast<std::int64_t>(scene.ItemList.size()));
  for (const cItemObj& item : scene.ItemList) {
    d.Int(item.nNumber);
    d.Real(item.x);
    d.Real(item.y);
  }
  d.Int(static_cast<std::int64_t>(scene.EffectList.size()));
  for (const cEffectObj& e : scene.EffectList) {
    d.Int(e.nIndex);
    d.Real(e.x);
    d.Real(e.y);
  }
  // Shots count only when there are any, so that a field without them digests as before.
  if (!scene.ShotList.empty()) {
    d.Int(static_cast<std::int64_t>(scene.ShotList.size()));
    for (const cShotObj& shot : scene.ShotList) {
      d.Int(shot.nNumber);
      d.Real(shot.x);
      d.Real(shot.y);
      d.Real(shot.dBaseVx);
      d.Real(shot.dBaseVy);
    }
  }
  for (std::int32_t v : scene.StageVars) d.Int(v);
  d.Add(GameRandomState());
  return d.Value();
}
