// Key conditions matched against the press and release history that the frames' input words
// leave in the event lists.
#include <gtest/gtest.h>

#include <vector>

#include "data/ed_key_condition.h"
#include "data/system_data.h"
#include "fake_actor.h"
#include "flow/flow_install.h"
#include "flow/key_conditions.h"

namespace {

using flowtest::Command;
using flowtest::FakeActor;
using flowtest::FlowOf;

constexpr std::uint16_t kLeft = 1, kRight = 2, kDown = 8;
constexpr int kSlotLeft = 1, kSlotRight = 2, kSlotDown = 4, kSlotButton1 = 11, kSlotButton2 = 12;

struct Frames {
  int count;
  std::uint16_t dir;
  std::uint16_t button = 0;
};

cInput Played(std::initializer_list<Frames> frames) {
  cInput input;
  for (const Frames& f : frames) {
    for (int i = 0; i < f.count; ++i) {
      input.m_wDir = f.dir;
      input.m_wButton = f.button;
      input.UpdateEvents();
    }
  }
  return input;
}

cEdKeyCondition Key(std::initializer_list<std::pair<int, int>> slots, int rule = 0) {
  cEdKeyCondition c;
  c.keyStates.assign(kKeySlots, 0);
  for (const auto& [slot, state] : slots) c.keyStates[slot] = static_cast<std::uint8_t>(state);
  c.bAnyHold = 1;
  c.nKeyRule = static_cast<std::uint8_t>(rule);
  return c;
}

class KeyConditionsTest : public testing::Test {
 protected:
  ~KeyConditionsTest() override { SystemData.bLegacy669 = 0; }
};

TEST_F(KeyConditionsTest, OneStepStatesDurationsRulesAndFacing) {
  cEdKeyCondition held = Key({{kSlotButton1, 1}});
  cEdKeyCondition timed = held;
  timed.bAnyHold = 0;
  timed.nMinHold = 10;
  timed.nMaxHold = 20;
  cEdKeyCondition released = Key({{kSlotButton1, 2}});
  cEdKeyCondition onlyOne = Key({{kSlotButton1, 1}, {kSlotButton2, 1}}, 2);
  cEdKeyCondition either = Key({{kSlotButton1, 1}, {kSlotButton2, 1}}, 1);
  cEdKeyCondition right = Key({{kSlotRight, 1}});
  right.bMirror = 1;
  struct Case {
    const char* name;
    cEdKeyCondition condition;
    cInput input;
    bool facingLeft;
    bool matches;
  };
  const Case cases[] = {
      {"pressed from its first frame", held, Played({{5, 0}, {1, 0, 1}}), false, true},
      {"not pressed", held, Played({{5, 0}}), false, false},
      {"9 frames are too few", timed, Played({{5, 0}, {9, 0, 1}}), false, false},
      {"10 frames match", timed, Played({{5, 0}, {10, 0, 1}}), false, true},
      {"20 frames match", timed, Played({{5, 0}, {20, 0, 1}}), false, true},
      {"21 frames are too many", timed, Played({{5, 0}, {21, 0, 1}}), false, false},
      {"released for a frame", released, Played({{3, 0, 1}, {1, 0}}), false, true},
      {"still pressed is not released", released, Played({{3, 0, 1}}), false, false},
      {"exactly one of two, both pressed", onlyOne, Played({{2, 0, 3}}), false, false},
      {"exactly one of two, one pressed", onlyOne, Played({{2, 0, 2}}), false, true},
      {"at least one of two", either, Played({{2, 0, 2}}), false, true},
      {"facing right, right held", right, Played({{2, kRight}}), false, true},
      {"facing left, right means left", right, Played({{2, kLeft}}), true, true},
      {"facing left, right held", right, Played({{2, kRight}}), true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchKeySequence(cVector<cEdKeyCondition>{c.condition}, 3, c.input, c.facingLeft), c.matches) << c.name;
  }
  // The jump's test of the newest state alone ignores durations.
  EXPECT_TRUE(CheckKeyState(Played({{3, 0, 1}}), timed));
  EXPECT_FALSE(CheckKeyState(Played({{3, 0, 2}}), timed));
}

TEST_F(KeyConditionsTest, SequencesMatchBackThroughTheHistoryWithinTheGap) {
  const cVector<cEdKeyCondition> downThenRight = {Key({{kSlotDown, 1}}), Key({{kSlotRight, 1}})};
  struct Case {
    const char* name;
    cInput input;
    int gap;
    bool matches;
  };
  const Case cases[] = {
      {"touching", Played({{5, 0}, {6, kDown}, {3, kRight}}), 0, true},
      {"two frames between, gap 3", Played({{5, 0}, {6, kDown}, {2, 0}, {3, kRight}}), 3, true},
      {"two frames between, gap 2", Played({{5, 0}, {6, kDown}, {2, 0}, {3, kRight}}), 2, true},
      {"two frames between, gap 1", Played({{5, 0}, {6, kDown}, {2, 0}, {3, kRight}}), 1, false},
      {"two frames between, gap 0", Played({{5, 0}, {6, kDown}, {2, 0}, {3, kRight}}), 0, false},
      {"the wrong order", Played({{5, 0}, {3, kRight}, {6, kDown}}), 3, false},
      {"the newest step not current", Played({{5, 0}, {6, kDown}, {3, kRight}, {1, 0}}), 3, false},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchKeySequence(downThenRight, c.gap, c.input, false), c.matches) << c.name;
}

TEST_F(KeyConditionsTest, AStepFoundOnlyAFrameLateIsRefusedWhenTheNewerStepClaimsThatMoment) {
  const cVector<cEdKeyCondition> downTwice = {Key({{kSlotDown, 1}}), Key({{kSlotDown, 1}})};
  const cInput input = Played({{5, 0}, {6, kDown}});
  EXPECT_FALSE(MatchKeySequence(downTwice, 3, input, false));
  SystemData.bLegacy669 = 1;
  EXPECT_TRUE(MatchKeySequence(downTwice, 3, input, false));
}

TEST_F(KeyConditionsTest, TheCursorComesBackToWhereItWasAfterAnyShiftThereAndBack) {
  const cInput input = Played({{40, 0}, {6, kDown}, {2, 0}, {3, kRight, 1}, {1, kLeft}, {4, 0, 2}});
  const KeyCursor now = KeyCursorNow(input);
  for (int d = 1; d <= 15; ++d) {
    KeyCursor cursor = now;
    ShiftKeyCursor(cursor, input, -d);
    ShiftKeyCursor(cursor, input, d);
    for (int s = 0; s < kKeySlots; ++s) {
      EXPECT_EQ(cursor.p[s], now.p[s]) << "d " << d << " slot " << s;
      EXPECT_EQ(cursor.f[s], now.f[s]) << "d " << d << " slot " << s;
    }
  }
}

TEST_F(KeyConditionsTest, ANonContinuousKeyFlowStartsOncePerPress) {
  FakeActor actor;
  actor.defs = {FlowOf(0, {Command(1, 0)}, 5)};
  actor.defs[0].keyConditions.push_back(Key({{kSlotButton1, 1}}));
  InstallFlows(actor, actor.defs, 0, 0);
  cFlow& flow = actor.FlowState().Flows[0];
  cInput& hero = PlayerInputs[0];
  const cInput saved = hero;
  const auto frame = [&](std::uint16_t button) {
    hero.m_wButton = button;
    hero.UpdateEvents();
    return CheckKeyConditions(actor, flow);
  };
  EXPECT_TRUE(frame(1));
  EXPECT_FALSE(frame(1));  // held: taken, and the flow's switch is kept busy
  EXPECT_EQ(actor.FlowState().Running[5], 1);
  EXPECT_FALSE(frame(0));
  EXPECT_TRUE(frame(1));
  actor.defs[0].bKeyContinuous = 1;
  EXPECT_TRUE(frame(1));
  hero = saved;
}

}  // namespace
