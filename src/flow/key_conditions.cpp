// Key-input conditions: single key states and key sequences matched back through the player's
// press and release history.
#include "flow/key_conditions.h"

#include "data/ed_flow.h"
#include "data/ed_key_condition.h"
#include "data/system_data.h"
#include "flow/flow_actor_seam.h"

namespace {

constexpr int kPressed = 1;
constexpr int kReleased = 2;
constexpr int kOldestEntry = kKeyEventCount - 1;

const cVector<KeyEvent>& ListOf(const cInput& input, int slot) {
  return slot < kDirEventLists ? input.m_DirEvents[slot] : input.m_ButtonEvents[slot - kDirEventLists];
}

// Left and right exchanged for a character facing left.
int Mirrored(int slot) {
  switch (slot) {
    case 1: return 2;
    case 2: return 1;
    case 5: return 7;
    case 7: return 5;
    case 6: return 8;
    case 8: return 6;
    default: return slot;
  }
}

int StateOf(const cEdKeyCondition& condition, int slot) {
  return slot < static_cast<int>(condition.keyStates.size()) ? condition.keyStates[slot] : 0;
}

bool ByRule(int rule, int matched, int unmatched) {
  switch (rule) {
    case 0: return unmatched == 0;
    case 1: return matched >= 1;
    case 2: return matched == 1;
    default: return true;
  }
}

}  // namespace

KeyCursor KeyCursorNow(const cInput& input) {
  KeyCursor cursor;
  for (int s = 0; s < kKeySlots; ++s) cursor.f[s] = ListOf(input, s)[0].frames;
  return cursor;
}

void ShiftKeyCursor(KeyCursor& cursor, const cInput& input, int d) {
  for (int s = 0; s < kKeySlots; ++s) {
    const cVector<KeyEvent>& list = ListOf(input, s);
    int& p = cursor.p[s];
    int& f = cursor.f[s];
    if (d <= 0) {
      f += d;
      while (f < 0) {
        if (p >= kOldestEntry) break;
        ++p;
        f += list[p].frames;
      }
      if (f == 0) {
        if (p + 1 < static_cast<int>(list.size())) {
          ++p;
          f = list[p].frames;
        } else {
          f = 0;
        }
      }
    } else {
      f += d;
      // Into newer entries, each time less the length of the entry left behind.
      while (f > list[p].frames) {
        const int left = list[p].frames;
        --p;
        if (p < 0) {
          p = 0;
          break;
        }
        f -= left;
      }
    }
  }
}

bool TestKeyEvent(const KeyEvent& event, int frames, const cEdKeyCondition& condition, int state) {
  if (state == kPressed) {
    if (event.pressed == 0) return false;
    if (condition.bAnyHold != 0) return frames >= 1;
    return condition.nMinHold <= frames && frames <= condition.nMaxHold;
  }
  if (state == kReleased) return event.pressed == 0 && frames >= 1;
  return false;
}

bool MatchKeyStep(const cEdKeyCondition& condition, const KeyCursor& cursor, int& out, const cInput& input,
                  bool facingLeft) {
  out = 0;
  int matched = 0;
  int unmatched = 0;
  for (int s = 0; s < kKeySlots; ++s) {
    const int state = StateOf(condition, s);
    if (state == 0) continue;
    const int list = s < kDirEventLists && condition.bMirror == 1 && facingLeft ? Mirrored(s) : s;
    const KeyEvent& event = ListOf(input, list)[cursor.p[list]];
    const int frames = cursor.f[list];
    if (!TestKeyEvent(event, frames, condition, state)) {
      ++unmatched;
      continue;
    }
    ++matched;
    switch (condition.nKeyRule) {
      case 0:
        if (out == 0 || frames < out) out = frames;
        break;
      case 1:
        if (out == 0 || frames > out) out = frames;
        break;
      case 2: out = frames; break;
      default: break;
    }
  }
  return ByRule(condition.nKeyRule, matched, unmatched);
}

bool MatchKeySequence(const cVector<cEdKeyCondition>& steps, int gap, const cInput& input, bool facingLeft) {
  const int n = static_cast<int>(steps.size());
  if (n == 0) return false;
  KeyCursor cursor = KeyCursorNow(input);
  for (int i = n - 1; i >= 0; --i) {
    int out = 0;
    if (!MatchKeyStep(steps[i], cursor, out, input, facingLeft)) {
      if (i == n - 1 || gap == 0) return false;
      // Up to `gap` frames of other input may lie between this step and the next newer one.
      bool found = false;
      int j = 0;
      while (j < gap) {
        ShiftKeyCursor(cursor, input, -1);
        if (MatchKeyStep(steps[i], cursor, out, input, facingLeft)) {
          found = true;
          break;
        }
        ++j;
      }
      if (!found) {
        // One frame later than the step was looked for: it counts only when the newer step
        // does not claim that same moment.
        ShiftKeyCursor(cursor, input, j);
        ShiftKeyCursor(cursor, input, 1);
        int scratch = 0;
        found = MatchKeyStep(steps[i], cursor, out, input, facingLeft) &&
                (SystemData.bLegacy669 != 0 || !MatchKeyStep(steps[i + 1], cursor, scratch, input, facingLeft));
        if (!found) return false;
      }
    }
    if (i == 0) return true;
    ShiftKeyCursor(cursor, input, -out);
  }
  return false;
}

bool CheckKeyConditions(cFlowActor& chara, cFlow& flow) {
  const cEdFlow& def = chara.FlowDefs()[flow.nDefIndex];
  if (def.keyConditions.empty()) return true;
  const bool r = MatchKeySequence(def.keyConditions, static_cast<std::int8_t>(def.nKeyGap), PlayerInputs[0],
                                  chara.Facing() == 0);
  if (def.bKeyContinuous != 0) return r;
  if (!r) {
    flow.bKeyLatch = 0;
    return false;
  }
  if (flow.bKeyLatch != 0) {
    // Still held: a trigger-0 flow keeps its switch ID taken for the rest of the sub-step.
    if (def.nTrigger == 0 && def.nSwitch != 0 && def.nSwitch < kFlowIdCount) {
      cFlowSet& set = chara.FlowState();
      set.Running[def.nSwitch] = 1;
      set.Stopped[def.nSwitch] = 1;
      set.bSwitchesChanged = 1;
    }
    return false;
  }
  flow.bKeyLatch = 1;
  return true;
}

bool CheckKeyState(const cInput& input, const cEdKeyCondition& condition) {
  int matched = 0;
  int unmatched = 0;
  for (int s = 0; s < kKeySlots; ++s) {
    const int state = StateOf(condition, s);
    if (state == 0) continue;
    const bool pressed = ListOf(input, s)[0].pressed != 0;
    if ((state == kPressed && pressed) || (state == kReleased && !pressed)) {
      ++matched;
      if (condition.nKeyRule == 1) break;
    } else {
      ++unmatched;
    }
  }
  return ByRule(condition.nKeyRule, matched, unmatched);
}

int FirstPressedKey(const cInput& input) {
  for (int i = 0; i < kDirEventLists; ++i) {
    if (input.m_DirEvents[i][0].pressed != 0) return i;
  }
  return 0;
}
