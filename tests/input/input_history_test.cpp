#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "input/input.h"
#include "input_test_support.h"

namespace {

using inputtest::InputFixture;

// Frames (1-based) in which a direction held for `frames` frames passes the key repeat.
std::vector<int> PassingFrames(cInput& input, std::uint16_t held, int frames) {
  std::vector<int> passed;
  for (int frame = 1; frame <= frames; ++frame) {
    input.m_wDir = held;
    input.ApplyKeyRepeat();
    if (input.m_wDir != 0) passed.push_back(frame);
  }
  return passed;
}

TEST(KeyRepeat, HeldDirectionPassesFirstThenAfterTheDelayEveryInterval) {
  cInput input = InputFixture::Started();
  EXPECT_EQ(PassingFrames(input, 2, 40), (std::vector<int>{1, 19, 25, 31, 37}));
  EXPECT_EQ(input.m_nRepeatH, 39u);
  // A switch from right to left restarts the pair at once.
  EXPECT_EQ(PassingFrames(input, 1, 20), (std::vector<int>{1, 19}));
}

TEST(KeyRepeat, PairsRepeatOnTheirOwn) {
  cInput input = InputFixture::Started();
  std::vector<std::uint16_t> passed;
  for (int frame = 1; frame <= 4; ++frame) {
    input.m_wDir = static_cast<std::uint16_t>(2 | (frame == 3 ? 4 : 0));  // right held, up tapped in frame 3
    input.ApplyKeyRepeat();
    passed.push_back(input.m_wDir);
  }
  EXPECT_EQ(passed, (std::vector<std::uint16_t>{2, 0, 4, 0}));
  EXPECT_EQ(input.m_wDirHistory, 0x2262);  // raw words, newest in the low nibble
}

TEST(KeyRepeat, ZeroIntervalNeverRepeatsAndNeverDivides) {
  cInput input;
  input.SetRepeat(3, 0);
  EXPECT_EQ(PassingFrames(input, 8, 20), (std::vector<int>{1}));
}

// One frame of the one-shot filter: buttons held in, what passes out.
struct FilterStep {
  std::uint16_t held;
  std::uint16_t passes;
};

void RunFilter(std::int32_t mask, const std::vector<FilterStep>& steps) {
  cInput input = InputFixture::Started();
  for (std::size_t i = 0; i < steps.size(); ++i) {
    input.m_wButton = steps[i].held;
    input.FilterButtonPress(mask);
    EXPECT_EQ(input.m_wButton, steps[i].passes) << "mask " << mask << " frame " << i;
  }
}

TEST(FilterButtonPress, Sequences) {
  // Button 1 held for several frames passes once; button 2 joining passes nothing; a frame
  // with both up re-arms.
  RunFilter(3, {{1, 1}, {1, 0}, {1, 0}, {3, 0}, {2, 0}, {0, 0}, {2, 2}, {2, 0}});
  // Both newly down in the arming frame pass together.
  RunFilter(3, {{3, 3}, {3, 0}, {0, 0}, {1, 1}});
  // Buttons outside the mask are never touched.
  RunFilter(3, {{5, 5}, {5, 4}, {4, 4}, {4, 4}, {5, 5}});
  // Mask 0 is all eight.
  RunFilter(0, {{128, 128}, {128, 0}, {0, 0}, {64, 64}});
  // A release of one masked button while another stays down does not re-arm.
  RunFilter(15, {{1, 1}, {9, 0}, {8, 0}, {0, 0}, {8, 8}});
}

TEST(History, RingsKeepRunsAndLookBack) {
  cInput input;
  const std::uint16_t buttons[] = {1, 1, 1, 0, 0, 2, 1};
  for (std::uint16_t word : buttons) {
    input.m_wButton = word;
    input.PushHistory();
  }
  const std::uint16_t expected[] = {1, 2, 0, 0, 1, 1, 1};
  for (int n = 0; n < 7; ++n) EXPECT_EQ(input.HistoryAgo(1, n), expected[n]) << n;
  EXPECT_EQ(input.HistoryAgo(0, 3), 0);
  EXPECT_EQ(input.HistoryAgo(5, 0), 0);  // no third ring
  input.ClearHistory();
  EXPECT_EQ(input.HistoryAgo(0, 5), 0);
  EXPECT_EQ(input.HistoryAgo(1, 0), 0);
}

TEST(History, LookingPastThirtyTwoRunsWraps) {
  cInput input;
  for (int frame = 0; frame < 40; ++frame) {
    input.m_wDir = static_cast<std::uint16_t>(frame % 2 == 0 ? 1 : 2);
    input.PushHistory();
  }
  EXPECT_EQ(input.HistoryAgo(0, 31), 1);
  EXPECT_EQ(input.HistoryAgo(0, 32), 2);  // wrapped to the newest run again
}

TEST(History, FramesSaturate) {
  cInput input;
  input.m_Runs[0][0] = KeyRun{0, INT_MAX};
  input.PushHistory();
  EXPECT_EQ(input.m_Runs[0][0].frames, INT_MAX);
  input.m_DirEvents[0][0] = KeyEvent{1, INT_MAX};
  input.UpdateEvents();
  EXPECT_EQ(input.m_DirEvents[0][0].frames, INT_MAX);
  EXPECT_EQ(input.HistoryAgo(0, INT_MAX), 0);
}

TEST(Events, ListsFollowTheirPatterns) {
  cInput input;
  input.m_wDir = 5;  // up-left
  input.m_wButton = 3;
  input.UpdateEvents();
  const int dirPressed[kDirEventLists] = {0, 0, 0, 0, 0, 1, 0, 0, 0, 1};
  for (int i = 0; i < kDirEventLists; ++i) EXPECT_EQ(input.m_DirEvents[i][0].pressed, dirPressed[i]) << i;
  const int buttonPressed[kButtonEventLists] = {0, 1, 1, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < kButtonEventLists; ++i) EXPECT_EQ(input.m_ButtonEvents[i][0].pressed, buttonPressed[i]) << i;
  // Released, held on, pressed again: newest first, 32 entries always.
  const std::uint16_t words[] = {5, 5, 0, 5};
  for (std::uint16_t word : words) {
    input.m_wDir = word;
    input.UpdateEvents();
  }
  const cVector<KeyEvent>& upLeft = input.m_DirEvents[5];
  ASSERT_EQ(upLeft.size(), 32u);
  EXPECT_EQ(upLeft[0].pressed, 1);
  EXPECT_EQ(upLeft[0].frames, 1);
  EXPECT_EQ(upLeft[1].pressed, 0);
  EXPECT_EQ(upLeft[1].frames, 1);
  EXPECT_EQ(upLeft[2].pressed, 1);
  EXPECT_EQ(upLeft[2].frames, 3);
  EXPECT_EQ(upLeft[3].frames, 0);
}

TEST(Events, ResetThenARestingFrame) {
  cInput input;
  input.m_wDir = 2;
  input.m_wButton = 1;
  input.UpdateEvents();
  input.ResetEvents();
  for (const auto* lists : {&input.m_DirEvents, &input.m_ButtonEvents}) {
    for (const cVector<KeyEvent>& list : *lists) {
      ASSERT_EQ(list.size(), 32u);
      for (const KeyEvent& event : list) EXPECT_TRUE(event.pressed == 0 && event.frames == 0);
    }
  }
  input.m_wDir = 0;
  input.m_wButton = 0;
  input.UpdateEvents();
  EXPECT_EQ(input.m_DirEvents[0][0].pressed, 1);
  EXPECT_EQ(input.m_DirEvents[0][0].frames, 1);
  EXPECT_EQ(input.m_DirEvents[0][1].frames, 0);
  EXPECT_EQ(input.m_DirEvents[9][0].pressed, 0);
  EXPECT_EQ(input.m_DirEvents[9][0].frames, 1);
  EXPECT_EQ(input.m_ButtonEvents[0][0].pressed, 1);
}

TEST(Input, CopiesAreDeep) {
  cInput input;
  input.m_wDir = 4;
  input.UpdateEvents();
  cInput copy = input;
  copy.ResetEvents();
  copy.m_wDir = 0;
  copy.UpdateEvents();
  EXPECT_EQ(input.m_DirEvents[3][0].pressed, 1);
  EXPECT_EQ(copy.m_DirEvents[3][0].pressed, 0);
}

TEST(DirCodeFromBits, NineDirectionsAndOpposites) {
  const std::pair<std::uint16_t, int> cases[] = {{0, 5}, {1, 4}, {2, 6},  {4, 2},  {8, 8},
                                                 {5, 1}, {6, 3}, {9, 7},  {10, 9}, {3, 5},
                                                 {12, 5}, {15, 5}, {0xFFF0, 5}};
  for (const auto& [bits, code] : cases) EXPECT_EQ(DirCodeFromBits(bits), code) << bits;
}

TEST(PlayerInputs, OneStateFromTheStart) {
  ASSERT_EQ(PlayerInputs.size(), 1u);
  EXPECT_EQ(PlayerInputs[0].m_DirEvents.size(), 10u);
  EXPECT_EQ(PlayerInputs[0].m_ButtonEvents.size(), 9u);
}

TEST(KeyConfig, DefaultsAndSeam) {
  KeyConfig config;
  DefaultKeyConfig(&config);
  const std::uint16_t codes[] = {37, 39, 38, 40, 90, 88, 67, 86, 65, 83, 68, 70};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(config.bindings[i].device, 8);
    EXPECT_EQ(config.bindings[i].code, codes[i]);
  }
  EXPECT_EQ(config.bindingCount, 12);
  EXPECT_EQ(config.joystickCount, 1);
  EXPECT_EQ(config.inUse, 0);
  EXPECT_EQ(offsetof(KeyConfig, bindingCount), 96u);
  EXPECT_EQ(offsetof(KeyConfig, inUse), 104u);
}

}  // namespace
