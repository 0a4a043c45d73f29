// Condition operands and the status operation over the status tables.
#include "flow/status_ops.h"

#include <algorithm>
#include <optional>

#include "core/rand_range.h"
#include "core/strings.h"
#include "data/ed_command.h"
#include "data/ed_condition.h"
#include "flow/field_access.h"
#include "flow/flow_world_seam.h"
#include "flow/status_arith.h"

namespace {

constexpr std::int32_t kBig = 999999;

enum SystemStatus : int { kSysTime = 0, kSysScrollX = 1, kSysScrollY = 2, kSysScore = 3, kSysLives = 4 };


void Apply(const FieldRef& f, std::int32_t a, int op, std::int32_t low, std::int32_t high) {
  if (f.address == nullptr) return;
  switch (f.width) {
    case 8: ApplyStatusOp8(*static_cast<std::int8_t*>(f.address), a, op, low, high); break;
    case 16: ApplyStatusOp16(*static_cast<std::int16_t*>(f.address), a, op, low, high); break;
    default: ApplyStatusOp32(*static_cast<std::int32_t*>(f.address), a, op, low, high); break;
  }
}

// A percentage of the field's current value at its width.
std::int32_t PercentAtWidth(const FieldRef& f, std::int32_t b) {
  switch (f.width) {
    case 8: return PercentOf8(ReadField(f), b);
    case 16: return PercentOf16(ReadField(f), b);
    default: return PercentOf(ReadField(f), b);
  }
}

cVector<std::int32_t>& Vars(cFlowWorld& world, int scope) { return scope == 0 ? world.CommonVars() : world.StageVars(); }

// A system status read as an operand: no time without a time limit, no lives when unlimited.
std::int32_t SystemOperand(cFlowWorld& world, int index) {
  if (index == kSysTime && !world.HasTimeLimit()) return 0;
  if (index == kSysLives && world.UnlimitedLives()) return 0;
  return ReadField(world.SystemStatus(index));
}

// A character status read as an operand; none when the subject is missing or, for the sight,
// computer-operated.
std::optional<std::int32_t> CharaOperand(cFlowActor& chara, int subject, int index, int variable) {
  cFlowActor* who = subject == 1 ? chara.Target() : &chara;
  if (who == nullptr) return std::nullopt;
  if (index == kStatusSight && !who->IsPlayerOperated()) return std::nullopt;
  const std::int32_t v = ReadField(who->StatusField(index, variable));
  if (index == kStatusStopEase) who->StatusChanged(kStatusStopEase);
  return v;
}

struct Range {
  std::int32_t low, high;
};

// Ranges of the character statuses a status operation keeps them in.
Range CharaRange(int index) {
  switch (index) {
    case kStatusCharaId: return {0, 99};
    case kStatusZ: return {0, 7};
    case kStatusMark: return {0, 119};
    case kStatusSight: return {0, 40};
    case kStatusImpact: return {-20, 20};
    case kStatusImpactResist: return {0, 20};
    case kStatusStopEase: return {0, 200};
    case kStatusHp:
    case kStatusSp:
    case kStatusMaxHp:
    case kStatusMaxSp:
    case kStatusDefence: return {0, kBig};
    default: return {-kBig, kBig};
  }
}

bool CompareCharaStatus(const cEdCondition& c, cFlowActor& who, std::int32_t b) {
  cEdCondition right = c;  // the operand read back from the constant, without writing the record
  right.nValue = b;
  const std::int32_t a = ReadField(who.StatusField(c.nLeftStatus, c.nVarIndex));
  const bool percent = c.nPercent != 0;
  switch (c.nLeftStatus) {
    case kStatusVar: return CompareByOp(a, percent ? 0 : b, c.nOp);
    case kStatusHp:
    case kStatusSp: {
      const int maxIndex = c.nLeftStatus == kStatusHp ? kStatusMaxHp : kStatusMaxSp;
      const std::int32_t maximum = ReadField(who.StatusField(maxIndex, 0));
      return CompareByOp(a, percent ? std::clamp(PercentOf(maximum, b), 0, kBig) : b, c.nOp);
    }
    case kStatusMaxHp:
    case kStatusMaxSp:
    case kStatusPower:
    case kStatusDefence: return CompareByOp(a, percent ? 0 : b, c.nOp);
    case kStatusCharaId:
    case kStatusZ:
    case kStatusSight:
    case kStatusImpact: return CompareByOp8(a, percent ? 0 : b, c.nOp);
    case kStatusMark: return CompareByOp16(a, percent ? 0 : b, c.nOp);
    case kStatusImpactResist: return CompareStatus8(a, 0, right, 0, 20);
    case kStatusStopEase: return CompareStatus16(a, 0, right, 0, 200);
    case kStatusScoreValue: return CompareStatus32(a, 0, right, 0, kBig);
    default: return false;
  }
}

}  // namespace

bool CheckStatusCondition(const cEdCondition& c, cFlowActor& chara) {
  cFlowWorld* world = FlowWorld();
  if (world == nullptr) return false;
  std::int32_t b = 0;
  switch (c.nRightSource) {
    case 0: b = c.nValue; break;
    case 1: b = RandRange(c.nRandMin, c.nRandMax); break;
    case 2:
      if (c.nRightTarget == 2) {
        b = SystemOperand(*world, c.nRightStatus);
      } else if (const auto v = CharaOperand(chara, c.nRightTarget, c.nRightStatus, c.nRightIndex)) {
        b = *v;
      } else {
        return false;
      }
      break;
    case 3: b = Vars(*world, c.nRightScope)[c.nRightIndex]; break;
    default: break;
  }
  if (c.nLeftSource == 1) {
    const std::int32_t a = Vars(*world, c.nLeftScope)[c.nVarIndex];
    return CompareByOp(a, c.nPercent != 0 ? 0 : b, c.nOp);
  }
  if (c.nLeftTarget == 2) {
    if (c.nLeftStatus == kSysLives && world->UnlimitedLives()) return false;
    if (c.nLeftStatus > kSysLives) return false;
    return CompareByOp(ReadField(world->SystemStatus(c.nLeftStatus)), c.nPercent != 0 ? 0 : b, c.nOp);
  }
  cFlowActor* who = c.nLeftTarget == 1 ? chara.Target() : &chara;
  if (who == nullptr) return false;
  return CompareCharaStatus(c, *who, b);
}

void CmdStatusOp(cFlowActor& chara, const cEdCommand& command) {
  cFlowWorld* world = FlowWorld();
  if (world == nullptr) return;
  const auto p = [&command](int n) { return n < static_cast<int>(command.params.size()) ? command.params[n] : 0; };
  const int op = p(5);
  const bool percent = p(14) != 0;
  std::int32_t b = 0;
  switch (p(6)) {
    case 0: b = p(7); break;
    case 1: b = RandRange(p(8), p(9)); break;
    case 2:
      if (p(12) == 2) {
        b = SystemOperand(*world, p(13));
      } else if (const auto v = CharaOperand(chara, p(12), p(13), p(11))) {
        b = *v;
      } else {
        return;
      }
      break;
    case 3: b = Vars(*world, p(10))[p(11)]; break;
    default: break;
  }
  if (p(0) == 1) {
    std::int32_t& var = Vars(*world, p(1))[p(2)];
    if (percent) b = PercentOf(var, b);
    ApplyStatusOp32(var, b, op, -kBig, kBig);
    return;
  }
  if (p(0) != 0) return;
  if (p(3) == 2) {
    const FieldRef field = world->SystemStatus(p(4));
    if (field.address == nullptr) return;
    if (p(4) == kSysLives && world->UnlimitedLives()) return;
    if (percent) b = PercentOf(ReadField(field), b);
    switch (p(4)) {
      case kSysTime: Apply(field, b, op, 0, 999); break;
      case kSysScrollX:
      case kSysScrollY:
        Apply(field, b, op, -480, 480);
        world->AutoScrollChanged(p(4) == kSysScrollX ? 0 : 1);
        break;
      case kSysScore: Apply(field, b, op, 0, kBig); break;
      case kSysLives: Apply(field, b, op, 0, 99); break;
      default: break;
    }
    return;
  }
  cFlowActor* who = p(3) == 1 ? chara.Target() : &chara;
  if (who == nullptr) return;
  if (p(17) != 0 && who->IsInvincible()) return;
  const int index = p(4);
  const FieldRef field = who->StatusField(index, p(2));
  if (field.address == nullptr) return;
  const Range range = CharaRange(index);
  const auto defeatCheck = [&] {
    if (who != &chara && ReadField(who->StatusField(kStatusHp, 0)) <= 0) world->RequestDefeatCheck();
  };
  switch (index) {
    case kStatusHp:
    case kStatusSp: {
      const int maxIndex = index == kStatusHp ? kStatusMaxHp : kStatusMaxSp;
      const std::int32_t current = ReadField(field);
      std::int32_t v = current;
      switch (p(15)) {
        case 0: ApplyStatusOp32(v, b, op, 0, kBig); break;
        case 1: ApplyStatusOp32(v, PercentOf(ReadField(who->StatusField(maxIndex, 0)), b), op, 0, kBig); break;
        case 2: ApplyStatusOp32(v, PercentOf(current, b), op, 0, kBig); break;
        default: break;  // the status stays
      }
      if (index == kStatusHp) {
        who->ChangeHp(static_cast<std::int64_t>(v) - current, true, p(16));
        defeatCheck();
      } else {
        who->ChangeSp(static_cast<std::int64_t>(v) - current, p(16));
      }
      return;
    }
    case kStatusSight:
      if (!who->IsPlayerOperated()) return;
      break;
    default: break;
  }
  if (percent) b = PercentAtWidth(field, b);
  Apply(field, b, op, range.low, range.high);
  if (index == kStatusMaxHp || index == kStatusMaxSp) {
    // A lowered maximum takes the current value down with it.
    const FieldRef current = who->StatusField(index == kStatusMaxHp ? kStatusHp : kStatusSp, 0);
    if (current.address != nullptr && ReadField(current) > ReadField(field)) Apply(current, ReadField(field), 0, 0, kBig);
    if (index == kStatusMaxHp) defeatCheck();
  }
  if (index == kStatusSight || index == kStatusStopEase) who->StatusChanged(index);
}
