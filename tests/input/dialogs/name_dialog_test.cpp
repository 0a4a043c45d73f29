#include "input/dialogs/name_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/system_ini.h"
#include "input/dialogs/dialog_script.h"
#include "input/input_settings.h"
#include "platform/input/virtual_keys.h"
#include "support/utf8.h"

namespace {

namespace vk = platform::vk;
using Kind = platform::DialogEvent::Kind;
using Batch = std::vector<platform::DialogEvent>;

platform::DialogEvent Key(int key) {
  platform::DialogEvent event(Kind::KeyDown);
  event.virtualKey = key;
  return event;
}
platform::DialogEvent Typed(Kind kind, const char8_t* utf8) {
  platform::DialogEvent event(kind);
  event.text = testsupport::Utf8(utf8);
  return event;
}

// The name dialog driven batch by batch, as the screen's loop hands the events over.
class DrivenName : public cNameDlg {
 public:
  std::vector<Batch> batches;
  std::vector<std::string> shown;  // the field after each batch
  bool endedEarly = false;

 protected:
  bool RunScriptLine(const std::vector<std::string>& /*words*/) override {
    for (const Batch& batch : batches) {
      HandleBatch(batch);
      if (ended()) {
        endedEarly = true;
        break;
      }
      shown.push_back(edits.empty() ? "" : edits[0].Shown());
    }
    return true;
  }
};

struct Names : cInputSettings {
  std::string fixed = "aaa";
  std::string* FixedRankingName() override { return &fixed; }
};

class NameDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    LogInit("/dev/null");
    SetInputSettings(&names_);
    SceneMgr.TitleChoice = 5;
  }
  void TearDown() override {
    SetInputSettings(nullptr);
    SetDialogScript(std::nullopt);
    SceneMgr.TitleChoice = 0;
    SystemIni.English = 0;
  }
  int Run(DrivenName& dialog, std::vector<Batch> batches) {
    dialog.batches = std::move(batches);
    SetDialogScript(std::string("name"));
    return dialog.DoModal(0);
  }
  Names names_;
};

TEST_F(NameDialogTest, ReturnWhileComposingOrInTheCommitsBatchBelongsToTheInputMethod) {
  DrivenName dialog;
  EXPECT_EQ(Run(dialog, {
                            {Typed(Kind::Composition, u8"や")},
                            {Key(vk::kReturn)},  // composing: stays
                            {Typed(Kind::Composition, u8""), Typed(Kind::Text, u8"山"), Key(vk::kReturn)},
                            {Key(vk::kEscape)},  // no cancel
                            {Key(vk::kReturn), Typed(Kind::Composition, u8"だ")},  // Return first: confirms
                        }),
            1);
  EXPECT_EQ(dialog.shown.size(), 4u);
  EXPECT_TRUE(dialog.endedEarly);
  EXPECT_EQ(names_.fixed, "山");
}

TEST_F(NameDialogTest, TypingReplacesTheSelectedNameAndBackspaceAndTheCaretEdit) {
  DrivenName dialog;
  EXPECT_EQ(Run(dialog, {{Typed(Kind::Text, u8"ab")},
                         {Key(vk::kLeft), Typed(Kind::Text, u8"あ")},
                         {Typed(Kind::Text, u8"x")},  // a fourth: refused, the caret stays after あ
                         {Key(vk::kBack)},
                         {Key(vk::kHome), Key(vk::kDelete)},
                         {Key(vk::kReturn)}}),
            1);
  EXPECT_EQ(dialog.shown, (std::vector<std::string>{"ab", "aあb", "aあb", "ab", "b"}));
  EXPECT_EQ(names_.fixed, "b");
}

TEST_F(NameDialogTest, TheCloseButtonKeepsTheName) {
  DrivenName dialog;
  EXPECT_EQ(Run(dialog, {{Typed(Kind::Text, u8"zz")}, {platform::DialogEvent(Kind::Close)}}), 0);
  EXPECT_EQ(names_.fixed, "aaa");
}

TEST_F(NameDialogTest, PlacedAtTheSamePointOfTheFrameInBothModesWithTheEnglishLabel) {
  SystemIni.English = 1;
  DrivenName dialog;
  Run(dialog, {});
  const DialogRect window = dialog.WindowRect();
  EXPECT_EQ(window.x, 240);
  EXPECT_EQ(window.y, 220);
  EXPECT_EQ(dialog.Item(1007)->text, "     Name");
  EXPECT_EQ(dialog.FocusedId(), cNameDlg::kName);
  DialogCanvas canvas;
  dialog.Paint(canvas);
  EXPECT_EQ(canvas.At(window.x + 10, window.y + 8), dialog_colours::kFace) << "a popup without a caption";
}

TEST(EditBinding, SetGivesTheLimits) {
  std::string target;
  EditBinding binding;
  binding.Set(1003, &target, 3, 1);
  EXPECT_EQ(binding.size, 4);
  EXPECT_EQ(binding.charsPerLine, 3);
  EXPECT_EQ(binding.lines, 1);
  binding.Set(1003, &target, 3, 0);
  EXPECT_EQ(binding.charsPerLine, 0);
}

}  // namespace
