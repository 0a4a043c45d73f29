// The flag, state and distance start conditions.
#include "flow/chara_conditions.h"

#include <cmath>

#include "core/strings.h"
#include "data/ed_condition.h"
#include "flow/flow_world_seam.h"

namespace {

// The subject of a condition: 0 this character, 1 its target (none when it has none).
cFlowActor* Subject(cFlowActor& chara, int subject) { return subject == 1 ? chara.Target() : &chara; }

}  // namespace

bool CheckStatusCondition2(cFlowActor& chara, const cEdCondition& c) {
  const int selector = static_cast<std::int8_t>(c.nLeftStatus);
  std::int32_t a = 0;
  if (c.nLeftTarget == 2) {
    cFlowWorld* world = FlowWorld();
    if (world == nullptr || (selector != 0 && selector != 1)) return false;
    a = world->AutoScrollSwitch(selector);
  } else {
    cFlowActor* who = Subject(chara, c.nLeftTarget);
    if (who == nullptr || selector < 1 || selector > 6) return false;
    a = who->StatusFlag(selector);
  }
  return CompareByOp(a, c.nVarIndex, c.nOp);
}

bool CheckStatusCondition3(cFlowActor& chara, const cEdCondition& c) {
  cFlowActor* who = c.nLeftTarget == 1 ? chara.Target() : &chara;
  if (who == nullptr) return false;
  bool r = false;
  switch (static_cast<std::int8_t>(c.nLeftStatus)) {
    case 0: r = who->Facing() == 0; break;
    case 1: r = who->Facing() == 1; break;
    case 2: r = !who->Flying() && (who->Riding() || (!who->InJump() && !who->Falling())); break;
    case 3: r = who->InsideScreen(); break;
    default: r = false; break;
  }
  return c.nOp == 1 ? !r : r;
}

bool CheckDistanceCondition(cFlowActor& chara, const cEdCondition& c) {
  const int d = c.nValue * 16 + c.nRightIndex;
  cFlowActor* subject = nullptr;
  if (c.nLeftTarget == 0) {
    cFlowWorld* world = FlowWorld();
    subject = world != nullptr ? world->Hero() : nullptr;
  } else if (c.nLeftTarget == 1) {
    subject = chara.Target();
  }
  if (subject == nullptr) return false;
  const int shape = static_cast<std::int8_t>(c.nShape);
  bool inside = false;
  if (shape >= 0 && shape <= 5) {
    chara.RefreshScreenRect();
    const bool vertical = shape >= 3;
    const int kind = shape % 3;  // 0 both sides, 1 ahead, 2 behind
    const bool ahead = (kind == 1) == (chara.Facing() == 1);
    if (kind == 0) {
      inside = chara.SubjectInRange(*subject, vertical, d, d, true);
    } else {
      inside = ahead ? chara.SubjectInRange(*subject, vertical, 0, d, false)
                     : chara.SubjectInRange(*subject, vertical, d, 0, false);
    }
  } else if (shape == 6) {
    double ax = 0, ay = 0, bx = 0, by = 0;
    chara.BoxCentre(ax, ay);
    subject->BoxCentre(bx, by);
    // A square root is exact everywhere; hypot is a library routine that may round apart.
    inside = std::sqrt((ax - bx) * (ax - bx) + (ay - by) * (ay - by)) <= d;
  } else {
    return false;
  }
  if (c.nOp == 0) return inside;
  if (c.nOp == 1) return !inside;
  return false;
}
