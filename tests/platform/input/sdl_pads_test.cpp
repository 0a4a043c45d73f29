#include <gtest/gtest.h>

#include "platform/input/joystick.h"
#include "platform/input/virtual_pads.h"

namespace {

using platform::JoyGetPosEx;
using platform::JoyReading;

// SDL's own virtual joysticks go the way of real ones: hot-plug events, ids, readings.
TEST(SdlPads, VirtualPadsArePluggedReadAndUnplugged) {
  platform::UnplugAllPads();
  platform::VirtualPads pads;
  if (!pads.Ready()) GTEST_SKIP() << "SDL's joystick support cannot start here";
  const int first = pads.Attach(false);
  const int second = pads.Attach(false);
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  pads.SetAxis(first, 0, -32768);
  pads.SetAxis(first, 1, 32767);
  pads.SetButton(first, 0, true);
  pads.SetButton(first, 11, true);
  pads.Pump();
  pads.Pump();
  JoyReading reading;
  ASSERT_EQ(JoyGetPosEx(0, reading), 0);
  EXPECT_EQ(reading.x, 0u);
  EXPECT_EQ(reading.y, 65535u);
  EXPECT_EQ(reading.buttons, 1u | (1u << 11));
  ASSERT_EQ(JoyGetPosEx(1, reading), 0);
  EXPECT_EQ(reading.x, 32768u);  // at rest
  // The hat gives the axis ends while the stick rests.
  pads.SetHat(second, 0, 8 | 1);  // left and up
  pads.Pump();
  ASSERT_EQ(JoyGetPosEx(1, reading), 0);
  EXPECT_EQ(reading.x, 0u);
  EXPECT_EQ(reading.y, 0u);
  // Unplugging the first frees id 0; the second keeps id 1; a new pad takes id 0 again.
  pads.Detach(first);
  pads.Pump();
  EXPECT_EQ(JoyGetPosEx(0, reading), platform::kJoyUnplugged);
  EXPECT_EQ(JoyGetPosEx(1, reading), 0);
  const int third = pads.Attach(false);
  ASSERT_GE(third, 0);
  pads.Pump();
  EXPECT_EQ(JoyGetPosEx(0, reading), 0);
  platform::UnplugAllPads();
}

TEST(SdlPads, KnownControllersNumberTheirButtonsAndDpad) {
  platform::UnplugAllPads();
  platform::VirtualPads pads;
  if (!pads.Ready()) GTEST_SKIP() << "SDL's joystick support cannot start here";
  const int pad = pads.Attach(true);
  ASSERT_GE(pad, 0);
  pads.SetButton(pad, 1, true);   // B: the game's button 2
  pads.SetButton(pad, 11, true);  // d-pad up
  pads.Pump();
  pads.Pump();
  JoyReading reading;
  ASSERT_EQ(JoyGetPosEx(0, reading), 0);
  EXPECT_EQ(reading.buttons, 2u);
  EXPECT_EQ(reading.y, 0u);
  EXPECT_EQ(reading.x, 32768u);
  platform::UnplugAllPads();
}

}  // namespace
