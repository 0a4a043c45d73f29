#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/boot_settings.h"
#include "core/report_log.h"
#include "input/dialogs/boot_dialog.h"
#include "input/dialogs/dialog_canvas.h"
#include "input/dialogs/dialog_script.h"
#include "platform/input/key_flags.h"
#include "platform/input/virtual_keys.h"
#include "support/temp_folder.h"

namespace {

namespace vk = platform::vk;
using Kind = platform::DialogEvent::Kind;

platform::DialogEvent Key(int key) {
  platform::DialogEvent event(Kind::KeyDown);
  event.virtualKey = key;
  return event;
}

platform::DialogEvent Mouse(Kind kind, int x, int y) {
  platform::DialogEvent event(kind);
  event.virtualKey = vk::kLeftButton;
  event.x = x;
  event.y = y;
  return event;
}

// The start-up dialog opened by a script line that answers nothing, then driven here event
// by event as the screen would drive it.
class BootScreen : public cBootDialog {
 public:
  BootScreen(cBootSettings& settings, const char* path) : cBootDialog(settings, path) {}
  std::vector<platform::DialogEvent> events;
  std::vector<std::uint16_t> focus;

 protected:
  bool RunScriptLine(const std::vector<std::string>& /*words*/) override {
    for (const platform::DialogEvent& event : events) {
      HandleEvent(event);
      focus.push_back(FocusedId());
      if (ended()) break;
    }
    return true;
  }
};

class DialogScreenTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LogInit((folder_.path() / "Report_Game.txt").string()));
    path_ = (folder_.path() / "Boot.dat").string();
  }
  void TearDown() override {
    SetDialogScript(std::nullopt);
    platform::ReleaseAllKeys();
    LogInit("/dev/null");
  }
  // Runs the events; the result, with the settings and the focus after each event.
  int Run(BootScreen& dialog, std::vector<platform::DialogEvent> events) {
    dialog.events = std::move(events);
    SetDialogScript(std::string("boot drive"));
    return dialog.DoModal(0);
  }
  testsupport::TempFolder folder_;
  std::string path_;
};

TEST_F(DialogScreenTest, KeysMoveTheRadioMarkTickTheBoxAndStart) {
  cBootSettings settings;
  BootScreen dialog(settings, path_.c_str());
  EXPECT_EQ(Run(dialog, {Key(vk::kRight), Key(vk::kTab), Key(vk::kSpace), Key(vk::kReturn)}), 1);
  EXPECT_EQ(dialog.focus, (std::vector<std::uint16_t>{1003, 1004, 1004, 1004}));
  EXPECT_EQ(settings.choice, 0);
  EXPECT_EQ(settings.doNotAsk, 1);
}

TEST_F(DialogScreenTest, FocusWalksTheTabStopsAndEscapeIsNoAnswerHere) {
  cBootSettings settings;
  BootScreen dialog(settings, path_.c_str());
  // Start at the set radio button (Direct3D); Tab: box, start, stop, back to the radio.
  platform::SetKeyDown(vk::kShift, false);
  EXPECT_EQ(Run(dialog, {Key(vk::kTab), Key(vk::kTab), Key(vk::kTab), Key(vk::kTab), Key(vk::kEscape),
                         Key(vk::kLeft), Key(vk::kLeft), Key(vk::kTab), Key(vk::kTab), Key(vk::kTab), Key(vk::kSpace)}),
            0);
  EXPECT_EQ(dialog.focus, (std::vector<std::uint16_t>{1004, 1000, 1001, 1002, 1002, 1003, 1002, 1004, 1000, 1001,
                                                      1001}));
  EXPECT_FALSE(std::filesystem::exists(path_)) << "nothing saved";
}

TEST_F(DialogScreenTest, ReturnOnTheStopButtonStopsAndElsewhereStarts) {
  cBootSettings settings;
  BootScreen stop(settings, path_.c_str());
  EXPECT_EQ(Run(stop, {Key(vk::kTab), Key(vk::kTab), Key(vk::kTab), Key(vk::kReturn)}), 0);
  BootScreen start(settings, path_.c_str());
  EXPECT_EQ(Run(start, {Key(vk::kReturn)}), 1);
}

TEST_F(DialogScreenTest, MouseClicksWhereItWasPressedAndReleased) {
  cBootSettings settings;
  BootScreen probe(settings, path_.c_str());
  SetDialogScript(std::string("boot stop"));
  probe.DoModal(0);  // lays the items out
  const auto centre = [&](std::uint16_t id) {
    const DialogRect r = probe.ItemRect(*probe.Item(id));
    return std::pair{r.x + r.width / 2, r.y + r.height / 2};
  };
  const auto [ddX, ddY] = centre(1003);
  const auto [boxX, boxY] = centre(1004);
  const auto [startX, startY] = centre(1000);
  const auto [stopX, stopY] = centre(1001);
  BootScreen dialog(settings, path_.c_str());
  EXPECT_EQ(Run(dialog, {Mouse(Kind::MouseDown, ddX, ddY), Mouse(Kind::MouseUp, ddX, ddY),
                         Mouse(Kind::MouseDown, boxX, boxY), Mouse(Kind::MouseUp, boxX, boxY),
                         // pressed on stop, let go on start: nothing
                         Mouse(Kind::MouseDown, stopX, stopY), Mouse(Kind::MouseUp, startX, startY),
                         Mouse(Kind::MouseDown, startX, startY), Mouse(Kind::MouseUp, startX, startY)}),
            1);
  EXPECT_EQ(settings.choice, 0);
  EXPECT_EQ(settings.doNotAsk, 1);
}

TEST_F(DialogScreenTest, TheCloseButtonAnswersStop) {
  cBootSettings settings;
  BootScreen dialog(settings, path_.c_str());
  EXPECT_EQ(Run(dialog, {platform::DialogEvent(Kind::Close), Key(vk::kReturn)}), 0);
}

TEST_F(DialogScreenTest, PictureShowsTheDialogOverAClearFrame) {
  cBootSettings settings;
  BootScreen dialog(settings, path_.c_str());
  SetDialogScript(std::string("boot stop"));
  dialog.DoModal(0);
  DialogCanvas canvas;
  dialog.Paint(canvas);
  const DialogRect window = dialog.WindowRect();
  EXPECT_EQ(window.x, 133);
  EXPECT_EQ(window.y, 104);
  EXPECT_EQ(canvas.At(0, 0) >> 24, 0u) << "the frame shows through beside the dialog";
  EXPECT_EQ(canvas.At(window.x + 2, window.y + window.height - 6), dialog_colours::kFace);
  EXPECT_EQ(canvas.At(window.x + 10, window.y + 10), dialog_colours::kCaption);
  EXPECT_EQ(canvas.At(window.x + window.width, window.y), 0u);
}

}  // namespace
