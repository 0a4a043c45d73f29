#include <gtest/gtest.h>

#include "input/input.h"
#include "input_test_support.h"

namespace {

using inputtest::InputFixture;

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

class PollTest : public testing::Test, public InputFixture {};

TEST_F(PollTest, BuiltInMapSetsEveryHeldArrowAndTheEightLetters) {
  cInput input = Started();
  source.keys = {kLeft, kRight};
  ASSERT_EQ(input.PollDefault(0, 3, 60), 1);
  EXPECT_EQ(input.m_wDir, 3);  // both of a pair, no preference
  source.keys = {kUp, kDown, 'Z', 'C', 'F'};
  input.PollDefault(0, 3, 60);
  EXPECT_EQ(input.m_wDir, 12);
  EXPECT_EQ(input.m_wButton, 1 | 4 | 128);
  source.keys = {'X', 'V', 'A', 'S', 'D'};
  input.PollDefault(0, 3, 60);
  EXPECT_EQ(input.m_wDir, 0);
  EXPECT_EQ(input.m_wButton, 2 | 8 | 16 | 32 | 64);
}

TEST_F(PollTest, ConfiguredMapLetsLeftAndUpWin) {
  DefaultKeyConfig(&PlayerKeyConfig);
  PlayerKeyConfig.inUse = 1;
  cInput input = Started();
  source.keys = {kLeft, kRight, kUp, kDown, 'X'};
  ASSERT_EQ(input.PollConfigured(1, 60), 1);
  EXPECT_EQ(input.m_wDir, 1 | 4);
  EXPECT_EQ(input.m_wButton, 2);
  source.keys = {kRight, kDown};
  input.PollConfigured(1, 60);
  EXPECT_EQ(input.m_wDir, 2 | 8);
}

TEST_F(PollTest, EachPollStandsAsideForTheOtherMap) {
  cInput input = Started();
  input.m_wDir = 7;
  input.m_wButton = 9;
  EXPECT_EQ(input.PollConfigured(1, 60), 0);
  PlayerKeyConfig.inUse = 1;
  EXPECT_EQ(input.PollDefault(0, 3, 60), 0);
  EXPECT_EQ(input.m_wDir, 7);
  EXPECT_EQ(input.m_wButton, 9);
  EXPECT_EQ(source.reads[0], 0);
}

TEST_F(PollTest, PadDirectionAndButtonsBeatTheKeyboard) {
  cInput input = Started();
  source.Pad(0, 0, 32768, 0);
  source.keys = {kUp, 'X'};
  input.PollDefault(0, 3, 60);
  EXPECT_EQ(input.m_wDir, 1);     // the arrows are ignored while the pad shows a direction
  EXPECT_EQ(input.m_wButton, 2);  // but the pad has no button down
  source.Pad(0, 32768, 32768, 1);
  input.PollDefault(0, 3, 60);
  EXPECT_EQ(input.m_wDir, 4);
  EXPECT_EQ(input.m_wButton, 1);
  // Keyboard alone when only the joystick is asked for is not read at all.
  input.PollDefault(0, 1, 60);
  EXPECT_EQ(input.m_wDir, 0);
  EXPECT_EQ(input.m_wButton, 1);
}

TEST_F(PollTest, AxisBandEdges) {
  struct Case {
    std::uint32_t x, y;
    std::uint16_t dir;
  };
  const Case cases[] = {{10000, 32768, 1}, {10001, 32768, 0}, {55534, 32768, 0}, {55535, 32768, 2},
                        {32768, 10000, 4}, {32768, 10001, 0}, {32768, 55534, 0}, {32768, 55535, 8},
                        {0, 65535, 9},     {65535, 0, 6}};
  for (const Case& c : cases) {
    cInput input = Started();
    source.Pad(0, c.x, c.y, 0);
    input.PollDefault(0, 3, 60);
    EXPECT_EQ(input.m_wDir, c.dir) << c.x << "," << c.y;
    EXPECT_EQ(cInput::TestJoyAxis(platform::JoyReading{c.x, c.y, 0}, kAxisXLow), (c.dir & 1) != 0);
    EXPECT_EQ(cInput::TestJoyAxis(platform::JoyReading{c.x, c.y, 0}, kAxisXHigh), (c.dir & 2) != 0);
    EXPECT_EQ(cInput::TestJoyAxis(platform::JoyReading{c.x, c.y, 0}, kAxisYLow), (c.dir & 4) != 0);
    EXPECT_EQ(cInput::TestJoyAxis(platform::JoyReading{c.x, c.y, 0}, kAxisYHigh), (c.dir & 8) != 0);
  }
  EXPECT_FALSE(cInput::TestJoyAxis(platform::JoyReading{0, 0, 0}, 3));
}

TEST_F(PollTest, ButtonMasksComeFromStartUp) {
  cInput input;  // no masks yet: the pad's buttons give nothing
  source.Pad(0, 32768, 32768, 0xFF);
  source.keys = {'Z'};
  input.PollDefault(0, 3, 60);
  EXPECT_EQ(input.m_wButton, 1);
  input.InitButtonMasks();
  input.PollDefault(0, 3, 60);
  EXPECT_EQ(input.m_wButton, 0xFF);
}

TEST_F(PollTest, FailedPadIsAskedAgainAfterTwiceTheRetryAndKeysPlayMeanwhile) {
  cInput input = Started();
  source.keys = {kRight};
  input.PollDefault(0, 3, 60);  // frame 0: no pad
  EXPECT_EQ(input.m_bJoyOk[0], 0);
  EXPECT_EQ(input.m_wDir, 2);
  source.Pad(0, 0, 32768, 0);  // plugged back at once
  int frame = 1;
  for (; frame <= 200 && input.m_wDir != 1; ++frame) input.PollDefault(0, 3, 60);
  EXPECT_EQ(frame - 1, 121);  // read 120 frames after the failure
  EXPECT_EQ(source.reads[0], 2);
  EXPECT_EQ(input.m_bJoyOk[0], 1);
}

TEST_F(PollTest, SecondPadKeepsItsOwnRetry) {
  DefaultKeyConfig(&PlayerKeyConfig);
  PlayerKeyConfig.inUse = 1;
  PlayerKeyConfig.joystickCount = 2;
  PlayerKeyConfig.bindings[0] = KeyBinding{1, kAxisXLow, 0};  // left on the second pad
  PlayerKeyConfig.bindings[4] = KeyBinding{1, 0x4, 0};         // button 1: its third button
  cInput input = Started();
  source.Pad(1, 0, 32768, 0x4);
  for (int frame = 0; frame < 61; ++frame) {
    input.PollConfigured(1, 60);
    ASSERT_EQ(input.m_wDir, 1) << frame;  // pad 0 fails every time it is asked; pad 1 never does
    ASSERT_EQ(input.m_wButton, 1) << frame;
  }
  EXPECT_EQ(source.reads[1], 61);
  EXPECT_EQ(source.reads[0], 1);
}

TEST_F(PollTest, ConfiguredBindingsFromFixtures) {
  struct Case {
    const char* what;
    KeyBinding binding;  // as binding 0 (left) and binding 4 (button 1)
    std::uint32_t x, buttons;
    std::set<int> keys;
    bool left, button1;
  };
  const Case cases[] = {
      {"key", {8, 'Q', 0}, 32768, 0, {'Q'}, true, true},
      {"key code past 255 reads up", {8, 300, 0}, 32768, 0, {300 & 0xFF}, false, false},
      {"axis on a direction", {0, kAxisXLow, 0}, 0, 0, {}, true, false},
      {"axis code also matches the buttons 9 to 12", {0, kAxisXLow, 0}, 32768, 256, {}, true, true},
      {"button mask", {0, 0x3, 0}, 32768, 0x2, {}, true, true},
      {"pad not polled", {5, 0x1, 0}, 32768, 0x1, {}, false, false},
      {"negative device", {-1, 0x1, 0}, 32768, 0x1, {}, false, false},
  };
  for (const Case& c : cases) {
    DefaultKeyConfig(&PlayerKeyConfig);
    PlayerKeyConfig.inUse = 1;
    PlayerKeyConfig.bindings[0] = c.binding;
    PlayerKeyConfig.bindings[4] = c.binding;
    source.keys = c.keys;
    source.Pad(0, c.x, 32768, c.buttons);
    cInput input = Started();
    input.PollConfigured(1, 60);
    EXPECT_EQ((input.m_wDir & 1) != 0, c.left) << c.what;
    EXPECT_EQ((input.m_wButton & 1) != 0, c.button1) << c.what;
  }
}

TEST_F(PollTest, BindingCountSetsTheButtonsAndIsClampedToTheRecord) {
  DefaultKeyConfig(&PlayerKeyConfig);
  PlayerKeyConfig.inUse = 1;
  source.keys = {'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};
  const std::pair<int, std::uint16_t> cases[] = {{12, 0xFF}, {6, 0x3}, {4, 0}, {0, 0}, {-5, 0}, {1000, 0xFF}};
  for (const auto& [count, buttons] : cases) {
    PlayerKeyConfig.bindingCount = count;
    cInput input = Started();
    input.PollConfigured(1, 60);
    EXPECT_EQ(input.m_wButton, buttons) << count;
  }
}

TEST_F(PollTest, PollInputsTakesTheMapTheConfigurationChooses) {
  cVector<cInput> inputs(1, Started());
  source.keys = {kLeft, kRight};
  PollInputs(inputs);
  EXPECT_EQ(inputs[0].m_wDir, 3);
  DefaultKeyConfig(&PlayerKeyConfig);
  PlayerKeyConfig.inUse = 1;
  PollInputs(inputs);
  EXPECT_EQ(inputs[0].m_wDir, 1);
}

}  // namespace
