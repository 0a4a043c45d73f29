#include "platform/window/video_driver_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(VideoDriverAcceptable, TakesADriverThatShowsNothingOnlyWhenItWasNamed) {
  struct Case {
    const char* chosen;
    const char* requested;
    bool acceptable;
  };
  const Case cases[] = {
      {"x11", "", true},
      {"wayland", "", true},
      {"KMSDRM", "", true},
      // What SDL falls back on by itself when no display answers.
      {"offscreen", "", false},
      {"dummy", "", false},
      {"offscreen", "x11", false},
      {"offscreen", "offscreen2", false},
      {"dummy", "dummy-ish", false},
      // Asked for: one name, any letter case, or one of a list.
      {"offscreen", "offscreen", true},
      {"dummy", "Dummy", true},
      {"offscreen", "x11,offscreen", true},
      {"dummy", "dummy,x11", true},
      {"offscreen", "x11,,wayland", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::VideoDriverAcceptable(c.chosen, c.requested), c.acceptable)
        << c.chosen << " with SDL_VIDEODRIVER=" << c.requested;
  }
}

}  // namespace
