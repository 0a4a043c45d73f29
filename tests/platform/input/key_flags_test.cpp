#include "platform/input/key_flags.h"

#include <gtest/gtest.h>

#include "platform/input/joystick.h"
#include "platform/input/virtual_keys.h"

namespace {

using namespace platform;

class KeyFlagsTest : public testing::Test {
 protected:
  void TearDown() override {
    ReleaseAllKeys();
    UnplugAllPads();
  }
};

TEST_F(KeyFlagsTest, SidedModifiersMoveTheirGenericKey) {
  SetKeyDown(vk::kLeftShift, true);
  SetKeyDown(vk::kRightShift, true);
  EXPECT_TRUE(IsKeyDown(vk::kShift));
  SetKeyDown(vk::kLeftShift, false);
  EXPECT_TRUE(IsKeyDown(vk::kShift));  // the right one still holds it
  SetKeyDown(vk::kRightShift, false);
  EXPECT_FALSE(IsKeyDown(vk::kShift));
  SetKeyDown(vk::kRightControl, true);
  EXPECT_TRUE(IsKeyDown(vk::kControl));
  EXPECT_FALSE(IsKeyDown(vk::kMenu));
}

TEST_F(KeyFlagsTest, FocusLossReleasesEverythingAndBadNumbersAreNeverDown) {
  SetKeyDown('Z', true);
  SetKeyDown(vk::kLeftButton, true);
  SetKeyDown(vk::kLeftMenu, true);
  SetKeyDown(300, true);
  SetKeyDown(-3, true);
  EXPECT_TRUE(IsKeyDown('Z'));
  EXPECT_TRUE(IsKeyDown(vk::kLeftButton));
  EXPECT_FALSE(IsKeyDown(300));
  EXPECT_FALSE(IsKeyDown(300 & 0xFF));
  EXPECT_FALSE(IsKeyDown(0));
  ReleaseAllKeys();
  for (int key = 0; key < 256; ++key) EXPECT_FALSE(IsKeyDown(key)) << key;
}

TEST_F(KeyFlagsTest, PadsTakeTheLowestFreeIdAndFailWhenAbsent) {
  JoyReading reading;
  EXPECT_EQ(JoyGetPosEx(0, reading), kJoyUnplugged);
  EXPECT_EQ(PlugPad(), 0);
  EXPECT_EQ(PlugPad(), 1);
  EXPECT_EQ(PlugPad(), 2);
  UnplugPad(1);
  EXPECT_EQ(JoyGetPosEx(1, reading), kJoyUnplugged);
  EXPECT_EQ(PlugPad(), 1);
  ASSERT_EQ(JoyGetPosEx(1, reading), 0);
  EXPECT_EQ(reading.x, 32768u);  // at rest until the first reading arrives
  PublishPad(1, JoyReading{1, 2, 0x10});
  ASSERT_EQ(JoyGetPosEx(1, reading), 0);
  EXPECT_EQ(reading.buttons, 0x10u);
  EXPECT_EQ(JoyGetPosEx(-1, reading), kJoyUnplugged);
  EXPECT_EQ(JoyGetPosEx(kMaxJoysticks, reading), kJoyUnplugged);
  for (int i = 3; i < kMaxJoysticks; ++i) EXPECT_EQ(PlugPad(), i);
  EXPECT_EQ(PlugPad(), -1);
}

}  // namespace
