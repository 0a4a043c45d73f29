// Flow installation: loops unrolled, time budgets and speeds in sub-steps, the per-kind
// preparation of movement and jump commands, lead-in schedules, and the removal and
// renumbering of flows.
#include "flow/flow_install.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <iterator>
#include <vector>

#include "core/trunc_to_int.h"
#include "data/command_tables.h"
#include "data/database.h"
#include "data/ed_flow.h"
#include "data/system_data.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_run.h"
#include "flow/lead_in_schedule.h"

namespace {

constexpr int kItemLoopKind = 24;

bool IsLoop(const cEdCommand& c) {
  return (c.nSet == kCharaCommandSet && c.nKind == kCmdLoop) || (c.nSet == kItemCommandSet && c.nKind == kItemLoopKind);
}

// A value authored with a per-clone increment.
std::int64_t PerClone(std::int64_t base, std::int64_t perClone, int clone) { return perClone * clone + base; }

// "時間と距離", "速度と距離": the budget or the speed follows from the distance.
void SolveMoveTime(cFlowCmd& c, const cEdMove& move, int clone) {
  std::int32_t dist = static_cast<std::int32_t>(PerClone(move.nDistance, move.nDistanceStep, clone));
  if (move.nDistUnit != 1) dist = static_cast<std::int32_t>(static_cast<std::uint32_t>(dist) * 16u);
  if (move.nTimingMode == 1) {
    c.dSpeed = static_cast<double>(dist) / std::max(c.nBudget, 1);
  } else if (move.nTimingMode == 2) {
    c.nBudget = c.dSpeed == 0 ? 0 : TruncToInt(dist / c.dSpeed);
    if (c.nBudget < 0 && SystemData.bLegacy695 == 0) c.nBudget = c.nBudget == INT32_MIN ? INT32_MAX : -c.nBudget;
  }
}

void PrepCircleMove(cFlowCmd& c, const cEdMove& move, cFlowActor& chara, int b) {
  const int clone = chara.Clone();
  int extra = 0;
  const auto toggle = [&c] {
    if (c.cMoveDir == 0 || c.cMoveDir == 1) c.cMoveDir = static_cast<std::int8_t>(c.cMoveDir ^ 1);
  };
  if (chara.PlacedFacing() == 1) {
    if (move.bMirrorX != 0) {
      toggle();
      extra = 180;
    }
    if (move.bMirrorY != 0) toggle();
  }
  const std::int64_t r = std::clamp<std::int64_t>(PerClone(move.nRadius, move.nRadiusStep, clone), 0, 20);
  c.nParam = SaturateToInt(r * 16 * b);
  c.nAngleFrom = SaturateToInt((extra + PerClone(move.nAngle, move.nAngleStep, clone)) * b);
  c.nAngleTo = SaturateToInt((extra + PerClone(move.nDistance, move.nDistanceStep, clone)) * b);
  const double sweep = move.nDistance > move.nAngle ? static_cast<double>(c.nAngleTo) - c.nAngleFrom
                                                     : static_cast<double>(c.nAngleFrom) - c.nAngleTo;
  if (move.nTimingMode == 0) {
    c.dSpeed = sweep / std::max(c.nBudget, 1) / b;
  } else if (move.nTimingMode == 1) {
    c.nBudget = c.dSpeed == 0 ? 0 : std::abs(TruncToInt(sweep / c.dSpeed / b));
  }
}

void PrepJump(cFlowCmd& c, cEdCommand& def, cFlowActor& chara, int b) {
  const int height = def.params.size() > 2 ? static_cast<std::int8_t>(def.params[2] & 0xFF) : 0;
  c.dSpeed = chara.JumpSpeed(height);
  def.nTime = static_cast<std::int16_t>(chara.JumpApexTime(height));
  c.nBudget = SaturateToInt(static_cast<std::int64_t>(def.nTime) * b * 6);
}

void Prepare(cFlowCmd& c, cEdCommand& def, cFlowActor& chara, int b) {
  const cEdMove* move = def.pMove.get();
  switch (def.nKind) {
    case kCmdMoveStraight:
    case kCmdMoveTurnBack:
    case kCmdMoveCharge:
    case kCmdMoveAvoidOffscreen:
      if (move != nullptr && move->nTimingMode != 0) SolveMoveTime(c, *move, chara.Clone());
      break;
    case kCmdMoveCircle:
      if (move != nullptr) PrepCircleMove(c, *move, chara, b);
      break;
    case kCmdMoveHoming:
      if (move == nullptr) break;
      c.nParam = SaturateToInt(PerClone(move->nRadius, move->nRadiusStep, chara.Clone()) * b);
      if (move->nTimingMode != 0) SolveMoveTime(c, *move, chara.Clone());
      break;
    case kCmdJump: PrepJump(c, def, chara, b); break;
    default: break;
  }
}

cFlowCmd InstallCommand(cEdCommand& def, int index, cFlowActor& chara, int b) {
  cFlowCmd c;
  c.nIndex = index;
  const int clone = chara.Clone();
  c.nBudget = SaturateToInt(PerClone(def.nTime, def.nTimeStep, clone) * b * 6);
  if (const cEdMove* move = def.pMove.get()) {
    c.dSpeed = static_cast<double>(PerClone(move->nSpeed, move->nSpeedStep, clone)) * 0.1 / b;
    if (move->bInertia != 0) c.dSpeedMax = move->nMaxSpeed * 0.1 / b;
    c.cMoveDir = static_cast<std::int8_t>(move->nDirection);
  }
  if (def.nKind < kCharaCommandKinds) Prepare(c, def, chara, b);
  return c;
}

}  // namespace

void UnrollLoops(cVector<cEdCommand>& commands) {
  // The list as a finished part, which holds no loop, and the rest, whose first loop is the
  // one to expand next: each entry is moved once, whatever the nesting. Entries are places in
  // the given list, so that every command of the result is copied once, at the end.
  if (std::none_of(commands.begin(), commands.end(), IsLoop)) return;
  std::vector<int> done;
  std::deque<int> rest(commands.size());
  for (std::size_t i = 0; i < rest.size(); ++i) rest[i] = static_cast<int>(i);
  std::int64_t created = 0;
  while (!rest.empty()) {
    const cEdCommand& front = commands[rest.front()];
    if (!IsLoop(front)) {
      done.push_back(rest.front());
      rest.pop_front();
      continue;
    }
    rest.pop_front();
    const int n = front.params[0];
    const int len = std::min<std::int64_t>(std::max(front.params[1], 0), static_cast<std::int64_t>(rest.size()));
    if (len <= 0 || n <= 1) continue;
    // The list stops growing at the cap: fewer copies of the body, never a part of one. The
    // copies made in all are capped too, since a loop whose body is such a loop at the list's
    // end would otherwise copy itself for ever without growing the list.
    const std::int64_t size = static_cast<std::int64_t>(done.size() + rest.size());
    const std::int64_t room = std::min(kMaxUnrolledCommands - size, kMaxUnrolledCommands - created);
    const std::int64_t copies = std::min<std::int64_t>(n - 1, std::max<std::int64_t>(room / len, 0));
    if (copies == 0) continue;
    created += copies * len;
    const std::vector<int> body(rest.begin(), rest.begin() + len);
    for (std::int64_t k = 0; k < copies; ++k) rest.insert(rest.begin(), body.begin(), body.end());
  }
  cVector<cEdCommand> unrolled;
  unrolled.reserve(done.size());
  for (const int i : done) unrolled.push_back(commands[i]);
  commands = std::move(unrolled);
}

int InstallFlows(cFlowActor& chara, cVector<cEdFlow>& flows, int runTime, int position) {
  for (cEdFlow& flow : flows) UnrollLoops(flow.commands);
  cFlowSet& set = chara.FlowState();
  cVector<cEdFlow>& defs = chara.FlowDefs();
  const int n = static_cast<int>(flows.size());
  int f = 0;
  if (runTime == 0) {
    set.Flows.clear();
    set.Flows.resize(static_cast<std::size_t>(n));
  } else {
    const int count = static_cast<int>(defs.size());
    f = position >= 0 && position < count ? position : count;
    const std::vector<cEdFlow> added(flows.begin(), flows.end());
    defs.insert(defs.begin() + f, added.begin(), added.end());
    set.Flows.insert(set.Flows.begin() + f, static_cast<std::size_t>(n), cFlow{});
  }
  const int b = std::max(chara.SubSteps(), 1);
  for (int w = 0; w < n; ++w) {
    cFlow& flow = set.Flows[f + w];
    cEdFlow& def = defs[f + w];
    flow.nDefIndex = f + w;
    flow.nAnimeKey = set.nAnimeKey++;
    flow.nKeyConds = static_cast<std::int32_t>(def.keyConditions.size());
    flow.vCmds.clear();
    for (int j = 0; j < static_cast<int>(def.commands.size()); ++j) {
      flow.vCmds.push_back(InstallCommand(def.commands[j], j, chara, b));
    }
    if (runTime != 0 && def.bKeyContinuous == 0) flow.bKeyLatch = 1;
  }
  if (runTime != 0) RebindFlows(chara);
  for (int w = 0; w < n; ++w) ScheduleLeadIns(set.Flows[f + w], defs[f + w], b);
  return n;
}

void RemoveFlow(cFlowActor& chara, int index) {
  cFlowSet& set = chara.FlowState();
  cVector<cEdFlow>& defs = chara.FlowDefs();
  if (index < 0 || index >= static_cast<int>(set.Flows.size())) return;
  set.Flows[index].Stop(chara);
  chara.RemoveAnimes(set.Flows[index].nAnimeKey);
  const int def = set.Flows[index].nDefIndex;
  if (def >= 0 && def < static_cast<int>(defs.size())) defs.erase(defs.begin() + def);
  set.Flows.erase(set.Flows.begin() + index);
  RebindFlows(chara);
}

int RemoveFlowsById(cFlowActor& chara, int id) {
  cFlowSet& set = chara.FlowState();
  cVector<cEdFlow>& defs = chara.FlowDefs();
  if (id == 0) {
    for (cFlow& flow : set.Flows) flow.Stop(chara);
    set.Flows.clear();
    defs.clear();
    chara.ClearAnimes();
    RebindFlows(chara);
    return 0;
  }
  int first = -1;
  for (int i = 0; i < static_cast<int>(set.Flows.size()); ++i) {
    const int flowId = defs[set.Flows[i].nDefIndex].nFlowId;
    if (flowId == 0 || flowId != id) continue;
    set.Flows[i].Stop(chara);
    if (first < 0) first = i;
    chara.RemoveAnimes(set.Flows[i].nAnimeKey);
    set.Flows.erase(set.Flows.begin() + i);
    if (i < static_cast<int>(defs.size())) defs.erase(defs.begin() + i);
    RebindFlows(chara);
    --i;
  }
  return first;
}

void RebindFlows(cFlowActor& chara) {
  cFlowSet& set = chara.FlowState();
  for (int i = 0; i < static_cast<int>(set.Flows.size()); ++i) {
    cFlow& flow = set.Flows[i];
    flow.nDefIndex = i;
    for (int j = 0; j < static_cast<int>(flow.vCmds.size()); ++j) flow.vCmds[j].nIndex = j;
  }
}

void SetFlows(cFlowActor& chara, const cVector<cFlow>& flows) {
  chara.FlowState().Flows = flows;
  RebindFlows(chara);
}
