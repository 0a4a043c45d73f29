#include "input/dialogs/wnd.h"

#include <gtest/gtest.h>

#include <string>

#include "input/dialogs/wnd_messages.h"
#include "platform/input/key_flags.h"
#include "platform/input/virtual_keys.h"

namespace {

TEST(WndPlace, StoredOriginIsKeptInsideTheFrame) {
  struct Case {
    int x, y;
    int expectedX, expectedY;
  };
  const Case cases[] = {{-50, 100, 0, 100}, {600, 100, 440, 100}, {10, 400, 10, 280}, {439, 279, 439, 279},
                        {440, 280, 440, 280}, {-1, -1, 0, 0}};
  for (const Case& c : cases) {
    cWnd window;
    window.SetLayout(200, 200, 100, 100, 640, 480, 0, 0, 0, 0, 0, 0);
    window.SetOrigin(c.x, c.y);
    window.Place();
    int x = 0, y = 0;
    window.GetPos(x, y);
    EXPECT_EQ(x, c.expectedX) << c.x << "," << c.y;
    EXPECT_EQ(y, c.expectedY) << c.x << "," << c.y;
  }
  cWnd unplaced;  // no origin, no owner: stays where it is
  unplaced.SetLayout(200, 200, 100, 100, 640, 480, 0, 0, 0, 0, 0, 0);
  unplaced.Move(7, 9);
  unplaced.Place();
  int x = 0, y = 0;
  unplaced.GetPos(x, y);
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 9);
}

TEST(WndPlace, CentresOnItsOwner) {
  cWnd owner;
  owner.SetLayout(400, 300, 100, 100, 640, 480, 0, 0, 0, 0, 0, 0);
  owner.Move(100, 50);
  cWnd window;
  window.SetLayout(100, 50, 100, 100, 640, 480, 0, 0, 0, 0, 0, 0);
  window.SetOwner(&owner, true);
  window.Place();
  int x = 0, y = 0;
  window.GetPos(x, y);
  EXPECT_EQ(x, 100 + 200 - 50);
  EXPECT_EQ(y, 50 + 150 - 25);
}

TEST(WndMetrics, FramesFromStyleMenuScrollBarsAndBars) {
  struct Case {
    const char* what;
    std::uint32_t style;
    int menu, toolbars, status, scroll;
    int left, top, right, bottom;
    int windowWidth, windowHeight, usableWidth, usableHeight, minWidth;
  };
  const Case cases[] = {
      {"plain", 0, 0, 0, 0, 0, 0, 0, 0, 0, 300, 200, 300, 200, 100},
      {"caption and dialog frame", kStyleCaption | kStyleDialogFrame, 0, 0, 0, 0, 3, 21, 3, 3, 306, 224, 300, 200, 100},
      {"sizing frame wins over the dialog frame", kStyleCaption | kStyleThickFrame | kStyleDialogFrame, 0, 0, 0, 0, 4,
       22, 4, 4, 308, 226, 300, 200, 100},
      {"menu", 0, 1, 0, 0, 0, 0, 19, 0, 0, 300, 219, 300, 200, 100},
      {"scroll styles", kStyleHScroll | kStyleVScroll, 0, 0, 0, 0, 0, 0, 16, 16, 316, 216, 300, 200, 100},
      {"both scroll bars asked for", 0, 0, 0, 0, 3, 0, 0, 0, 0, 316, 216, 300, 200, 116},
      {"toolbar and status bar", 0, 0, 1, 1, 0, 0, 0, 0, 0, 300, 248, 300, 200, 100},
  };
  for (const Case& c : cases) {
    cWnd window;
    window.SetLayout(300, 200, 100, 100, 640, 480, c.style, c.menu, c.toolbars, c.status, 0, c.scroll);
    EXPECT_EQ(window.FrameLeft(), c.left) << c.what;
    EXPECT_EQ(window.FrameTop(), c.top) << c.what;
    EXPECT_EQ(window.FrameRight(), c.right) << c.what;
    EXPECT_EQ(window.FrameBottom(), c.bottom) << c.what;
    EXPECT_EQ(window.WindowWidth(), c.windowWidth) << c.what;
    EXPECT_EQ(window.WindowHeight(), c.windowHeight) << c.what;
    EXPECT_EQ(window.UsableWidth(), c.usableWidth) << c.what;
    EXPECT_EQ(window.UsableHeight(), c.usableHeight) << c.what;
    EXPECT_EQ(window.MinTrackWidth(), c.minWidth) << c.what;
  }
}

class CountingWnd : public cWnd {
 public:
  void OnCommand(std::uintptr_t wParam, std::intptr_t lParam) override {
    ++commands;
    nested = DefHandler(wm::WM_COMMAND, wParam, lParam);
  }
  int commands = 0;
  int nested = -1;
};

TEST(WndDefHandler, ACommandSentFromACommandHandlerIsDropped) {
  CountingWnd window;
  EXPECT_EQ(window.DefHandler(wm::WM_COMMAND, 1000, 0), 1);
  EXPECT_EQ(window.commands, 1);
  EXPECT_EQ(window.nested, 0);
  EXPECT_FALSE(window.busy);
  EXPECT_EQ(window.DefHandler(wm::WM_COMMAND, 1000, 0), 1);  // the flag cleared after the first
  EXPECT_EQ(window.commands, 2);
  EXPECT_EQ(window.DefHandler(0x1234, 0, 0), 0);
  window.exists = true;
  EXPECT_EQ(window.DefHandler(wm::WM_DESTROY, 0, 0), 1);
  EXPECT_FALSE(window.exists);
}

TEST(WmName, OwnNamesElseTheNumber) {
  EXPECT_STREQ(WmName(256), "WM_KEYFIRST");
  EXPECT_STREQ(WmName(512), "WM_MOUSEFIRST");
  EXPECT_STREQ(WmName(0x111), "WM_COMMAND");
  EXPECT_STREQ(WmName(1025), "1025");
  EXPECT_STREQ(WmName(1024), "WM_USER");
}

TEST(MouseState, PressesAndReleasesLatchOnce) {
  ResetMouseLatches();
  platform::ReleaseAllKeys();
  MouseState mouse;
  struct Step {
    bool left, right;
    int leftPressed, leftReleased, rightPressed, rightReleased;
  };
  const Step steps[] = {
      {true, false, 1, 0, 0, 0},  {true, false, 0, 0, 0, 0}, {false, true, 0, 1, 1, 0},
      {false, false, 0, 0, 0, 1}, {true, true, 1, 0, 1, 0},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    platform::SetKeyDown(platform::vk::kLeftButton, steps[i].left);
    platform::SetKeyDown(platform::vk::kRightButton, steps[i].right);
    mouse.Update(7);
    EXPECT_EQ(mouse.leftDown, steps[i].left ? 1 : 0) << i;
    EXPECT_EQ(mouse.leftPressed, steps[i].leftPressed) << i;
    EXPECT_EQ(mouse.leftReleased, steps[i].leftReleased) << i;
    EXPECT_EQ(mouse.rightPressed, steps[i].rightPressed) << i;
    EXPECT_EQ(mouse.rightReleased, steps[i].rightReleased) << i;
  }
  // The latch is shared: another window's first look at the held button is no press.
  MouseState other;
  other.Update(7);
  EXPECT_EQ(other.leftPressed, 0);
  platform::ReleaseAllKeys();
  ResetMouseLatches();
}

TEST(WndCursor, ClientPointOrNothingOutsideTheUsableArea) {
  cWnd window;
  window.SetLayout(200, 100, 100, 100, 640, 480, kStyleCaption | kStyleDialogFrame, 0, 0, 0, 0, 0);
  window.Move(100, 50);
  cWnd::SetFramePointer(100 + 3 + 10, 50 + 21 + 20);
  ASSERT_TRUE(window.GetCursorClient(false, 1));
  EXPECT_EQ(window.Mouse().x, 10);
  EXPECT_EQ(window.Mouse().y, 20);
  cWnd::SetFramePointer(90, 50);
  EXPECT_FALSE(window.GetCursorClient(false, 1));
  EXPECT_EQ(window.Mouse().x, 10);
  EXPECT_TRUE(window.GetCursorClient(true, 1));
  EXPECT_EQ(window.Mouse().x, -13);
}

}  // namespace
