#include "core/screen_mode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ScreenMode, FollowsTheSettingsAndRefusesWhatNoBackendShows) {
  const std::string windowError = "画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！";
  const std::string modeError = "画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！";
  struct Case {
    const char* what;
    ScreenModeRequest request;
    int bpp;
    int vsync;
    std::string error;
  };
  const Case cases[] = {
      {"automatic depth in a window takes the desktop's", {1, 1, 0, 2, false, 0, 0, 16}, 16, 1, ""},
      {"a window must match the desktop", {1, 1, 32, 0, false, 0, 0, 16}, 32, 0, windowError},
      {"DirectDraw full screen at 8 bits", {0, 0, 8, 2, false, 0, 0, 32}, 8, 0, ""},
      {"8 bits in a window", {0, 1, 8, 0, false, 0, 0, 8}, 8, 0, modeError},
      {"Direct3D never at 8 bits", {1, 0, 8, 0, false, 0, 0, 32}, 8, 0, modeError},
      {"DirectDraw automatic 8 becomes 32 with a fixed key", {0, 0, 0, 1, true, 0, 2, 32}, 32, 1, ""},
      {"DirectDraw automatic 8", {0, 0, 0, 1, false, 0, 2, 32}, 8, 1, ""},
      {"Direct3D automatic 16", {1, 0, 0, 0, false, 1, 0, 32}, 16, 0, ""},
      {"DirectDraw in a window never waits for the vertical blank", {0, 1, 0, 1, false, 0, 0, 32}, 32, 0, ""},
      {"24 bits nowhere", {0, 0, 24, 0, false, 0, 0, 32}, 24, 0, modeError},
  };
  for (const Case& c : cases) {
    const ScreenMode mode = DecideScreenMode(c.request);
    EXPECT_EQ(mode.bpp, c.bpp) << c.what;
    EXPECT_EQ(mode.error ? std::string(mode.error) : std::string(), c.error) << c.what;
    if (!mode.error) {
      EXPECT_EQ(mode.vsync, c.vsync) << c.what;
    }
  }
  EXPECT_TRUE(DecideScreenMode({1, 2, 32, 0, false, 0, 0, 32}).sizingBorder);
  EXPECT_FALSE(DecideScreenMode({0, 2, 32, 0, false, 0, 0, 32}).sizingBorder);
}

}  // namespace
