// Appearance and start conditions, with the once-only latch of their owners.
#include "core/strings.h"
#include "data/ed_condition.h"
#include "data/ed_flow.h"
#include "flow/flow_state_seam.h"
#include "world/flow_link.h"
#include "world/scene_play.h"

namespace {

// The empty list and a latched once-only list hold at once; otherwise the list decides and a
// true result latches.
template <typename Eval>
bool Latched(const cVector<cEdCondition>& list, int once, std::int32_t& latch, Eval eval) {
  if (list.empty()) return true;
  if (once != 0 && latch != 0) return true;
  if (!eval()) return false;
  latch = 1;
  return true;
}

}  // namespace

bool cScenePlay::CheckCellConditions(int index) {
  cCharaBase* hero = Player.empty() ? nullptr : &Hero();
  const cEdBlock& block = BlockMap.Block(index);
  return Latched(block.conditions, block.bCondOnce, BlockMap.Latch(index),
                 [&] { return CheckConditionList(block.conditions, block.nCondRule, hero); });
}

bool cScenePlay::CheckCharaConditions(cChara& chara) {
  return Latched(chara.Def.conditions, chara.Def.bCondOnce, chara.bCondLatch,
                 [&] { return CheckConditionList(chara.Def.conditions, chara.Def.nCondRule, &chara); });
}

bool cScenePlay::CheckItemConditions(cItemObj& item) {
  cCharaBase* hero = Player.empty() ? nullptr : &Hero();
  return Latched(item.Def.conditions, item.Def.bCondOnce, item.bCondLatch,
                 [&] { return CheckConditionList(item.Def.conditions, item.Def.nCondRule, hero); });
}

bool cScenePlay::CheckFlowConditions(cFlow& flow, const cEdFlow& def, cCharaBase& chara) {
  return Latched(def.conditions, def.bLatch, flow.bCondLatched,
                 [&] { return CheckConditionList(def.conditions, def.nRule, &chara); });
}

bool cScenePlay::CheckConditionList(const cVector<cEdCondition>& list, int rule, cCharaBase* chara) {
  if (rule == 0) {
    for (const cEdCondition& c : list) {
      if (!CheckCondition(c, chara)) return false;
    }
    return true;
  }
  if (rule == 1) {
    for (const cEdCondition& c : list) {
      if (CheckCondition(c, chara)) return true;
    }
    return false;
  }
  return false;
}

bool cScenePlay::CheckCondition(const cEdCondition& condition, cCharaBase* chara) {
  const cVector<std::int32_t>* vars = nullptr;
  switch (condition.nKind) {
    case kCondCommonVar: vars = &CommonVars; break;
    case kCondStageVar: vars = &StageVars; break;
    case kCondCharaVar:
      if (chara == nullptr) return false;
      vars = &chara->Vars;
      break;
    case kCondStatus:
    case kCondStatus2:
    case kCondStatus3:
    case kCondDistance: return FlowLink().CheckFlowCondition(condition, chara);
    default: return false;
  }
  return CompareByOp((*vars)[condition.nVarIndex], condition.nValue, condition.nOp);
}
