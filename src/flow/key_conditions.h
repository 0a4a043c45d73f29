#pragma once

#include "core/checked_sequence.h"
#include "input/input.h"

class cEdKeyCondition;
class cFlowActor;
struct cFlow;

// Key slots: 0 to 9 the direction event lists, 10 to 18 the button event lists.
inline constexpr int kKeySlots = kDirEventLists + kButtonEventLists;

// A moment in the key history: per slot, an entry of its event list (0 the newest) and how
// many frames of that entry lie at or before the moment.
struct KeyCursor {
  int p[kKeySlots]{};
  int f[kKeySlots]{};
};

// The cursor at now.
KeyCursor KeyCursorNow(const cInput& input);
// Moves the cursor d frames: back in time when d is negative.
void ShiftKeyCursor(KeyCursor& cursor, const cInput& input, int d);
bool TestKeyEvent(const KeyEvent& event, int frames, const cEdKeyCondition& condition, int state);
// One step of a key sequence at the cursor's moment; `out` gets how long the step is taken to
// have lasted. `facingLeft` mirrors a facing-relative condition.
bool MatchKeyStep(const cEdKeyCondition& condition, const KeyCursor& cursor, int& out, const cInput& input,
                  bool facingLeft);
// A sequence, oldest step first, matched back through the history with `gap` frames of slack
// between steps.
bool MatchKeySequence(const cVector<cEdKeyCondition>& steps, int gap, const cInput& input, bool facingLeft);
// A flow's key conditions against the hero's input, with the edge latch of non-continuous
// flows.
bool CheckKeyConditions(cFlowActor& chara, cFlow& flow);
// The newest state alone: the jump's test of whether its key is still held.
bool CheckKeyState(const cInput& input, const cEdKeyCondition& condition);
// The first direction list whose newest entry is pressed; 0 when none is.
int FirstPressedKey(const cInput& input);
