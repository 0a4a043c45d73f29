#include "input/dialogs/message_box_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "core/message_boxes.h"
#include "core/report_log.h"
#include "input/dialogs/dialog_script.h"
#include "platform/input/virtual_keys.h"

namespace {

using platform::BoxAnswer;
using platform::BoxButtons;
using Kind = platform::DialogEvent::Kind;

// A box answered by events, as the screen would answer it.
class DrivenBox : public cMessageBoxDialog {
 public:
  using cMessageBoxDialog::cMessageBoxDialog;
  std::vector<platform::DialogEvent> events;

 protected:
  bool RunScriptLine(const std::vector<std::string>& /*words*/) override {
    for (const platform::DialogEvent& event : events) {
      HandleEvent(event);
      if (ended()) break;
    }
    return true;
  }
};

platform::DialogEvent Key(int key) {
  platform::DialogEvent event(Kind::KeyDown);
  event.virtualKey = key;
  return event;
}

class MessageBoxDialogTest : public testing::Test {
 protected:
  void SetUp() override { LogInit("/dev/null"); }
  void TearDown() override { SetDialogScript(std::nullopt); }
  BoxAnswer Drive(BoxButtons buttons, std::vector<platform::DialogEvent> events) {
    DrivenBox box("データが存在しません！\nデフォルトデータを作成しますか？", "確認", buttons);
    box.events = std::move(events);
    SetDialogScript(std::string("box drive"));
    return box.Ask();
  }
};

TEST_F(MessageBoxDialogTest, KeysAnswer) {
  namespace vk = platform::vk;
  struct Case {
    const char* what;
    BoxButtons buttons;
    std::vector<platform::DialogEvent> events;
    BoxAnswer answer;
  };
  const Case cases[] = {
      {"Return takes Yes", BoxButtons::YesNo, {Key(vk::kReturn)}, BoxAnswer::Yes},
      {"Tab then Return takes No", BoxButtons::YesNo, {Key(vk::kTab), Key(vk::kReturn)}, BoxAnswer::No},
      {"Right then Space takes No", BoxButtons::YesNo, {Key(vk::kRight), Key(vk::kSpace)}, BoxAnswer::No},
      {"Escape leaves a Yes/No box open", BoxButtons::YesNo, {Key(vk::kEscape)}, BoxAnswer::No},
      {"the close button is No", BoxButtons::YesNo, {platform::DialogEvent(Kind::Close), Key(vk::kReturn)},
       BoxAnswer::No},
      {"Escape answers an OK box", BoxButtons::Ok, {Key(vk::kEscape)}, BoxAnswer::Ok},
      {"Return answers an OK box", BoxButtons::Ok, {Key(vk::kReturn)}, BoxAnswer::Ok},
  };
  for (const Case& c : cases) EXPECT_EQ(Drive(c.buttons, c.events), c.answer) << c.what;
}

TEST_F(MessageBoxDialogTest, ScriptLinesAnswer) {
  const std::tuple<const char*, BoxButtons, BoxAnswer> cases[] = {
      {"box yes", BoxButtons::YesNo, BoxAnswer::Yes}, {"box no", BoxButtons::YesNo, BoxAnswer::No},
      {"box ok", BoxButtons::Ok, BoxAnswer::Ok},      {"box ok", BoxButtons::YesNo, BoxAnswer::No},
      {"close", BoxButtons::YesNo, BoxAnswer::No},
  };
  for (const auto& [line, buttons, answer] : cases) {
    SetDialogScript(std::string(line));
    cMessageBoxDialog box("text", "caption", buttons);
    EXPECT_EQ(box.Ask(), answer) << line;
  }
}

TEST_F(MessageBoxDialogTest, LayoutFitsTheTextAndStaysInTheFrame) {
  const MessageBoxLayout two("ab\nあいう", BoxButtons::YesNo);
  ASSERT_EQ(two.lines.size(), 2u);
  EXPECT_EQ(two.lines[1], "あいう");
  EXPECT_EQ(two.items.size(), 4u);
  const MessageBoxLayout wide(std::string(500, 'x'), BoxButtons::Ok);
  EXPECT_LE(DialogUnitsToPixelsX(wide.dialogTemplate.width), 620 + 2);
  const MessageBoxLayout tall(std::string(200, '\n'), BoxButtons::Ok);
  EXPECT_LE(DialogUnitsToPixelsY(tall.dialogTemplate.height), 441);
  cMessageBoxDialog box(std::string(500, 'x'), "c", BoxButtons::Ok);
  SetDialogScript(std::string("box ok"));
  box.Ask();
  const DialogRect window = box.WindowRect();
  EXPECT_GE(window.x, 0);
  EXPECT_LE(window.x + window.width, 640);
}

TEST_F(MessageBoxDialogTest, HeadlessBoxesKeepTheirScriptedAnswer) {
  InstallWindowMessageBoxes();
  EXPECT_EQ(AppMessageBox("text", "caption", BoxButtons::YesNo), BoxAnswer::Yes);
  SetWindowBoxPresenter(nullptr);
}

}  // namespace
