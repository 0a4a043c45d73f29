#include "input/dialogs/boot_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "core/boot_settings.h"
#include "core/close_request.h"
#include "core/report_log.h"
#include "core/system_ini.h"
#include "data/system_data.h"
#include "input/dialogs/dialog_script.h"
#include "support/temp_folder.h"

namespace {

class BootDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LogInit((folder_.path() / "Report_Game.txt").string()));
    path_ = (folder_.path() / "Boot.dat").string();
    SystemData.strTitle = "Kestrel Quest";
  }
  void TearDown() override {
    SetDialogScript(std::nullopt);
    SystemIni.English = 0;
    LogInit("/dev/null");
  }
  // Runs the dialog with one script line; its result.
  int Answer(const char* line, cBootSettings& settings) {
    SetDialogScript(std::string(line));
    cBootDialog dialog(settings, path_.c_str());
    return dialog.DoModal(0);
  }

  testsupport::TempFolder folder_;
  std::string path_;
};

TEST_F(BootDialogTest, ScriptLinesGoThroughTheDialog) {
  struct Case {
    const char* line;
    int result;
    int choice, doNotAsk;
    bool saved;
  };
  const Case cases[] = {
      {"boot start directdraw dontask", 1, 0, 1, true},
      {"boot start direct3d", 1, 1, 0, true},
      {"boot start", 1, 1, 0, true},  // the stored choice, as the dialog showed it
      {"boot stop", 0, 1, 0, false},
      {"close", 0, 1, 0, false},
      {"boot start opengl", 1, 1, 0, false},  // mismatched: the default starts, saving nothing
      {"name ABC", 1, 1, 0, false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(path_);
    cBootSettings settings;
    EXPECT_EQ(Answer(c.line, settings), c.result) << c.line;
    EXPECT_EQ(settings.choice, c.choice) << c.line;
    EXPECT_EQ(settings.doNotAsk, c.doNotAsk) << c.line;
    EXPECT_EQ(std::filesystem::exists(path_), c.saved) << c.line;
  }
}

TEST_F(BootDialogTest, ShowsTheStoredChoiceAndTheTitleInBothLanguages) {
  for (int english : {0, 1}) {
    SystemIni.English = english;
    SetDialogScript(std::string("boot stop"));
    cBootSettings settings;
    settings.choice = 0;
    struct Probe : cBootDialog {
      using cBootDialog::cBootDialog;
      void OnCommand(std::uintptr_t wParam, std::intptr_t lParam) override {
        if ((wParam & 0xFFFF) == kStop) {
          direct3d = Item(kDirect3D)->checked;
          directDraw = Item(kDirectDraw)->checked;
          start = Item(kStart)->text;
          shownTitle = title;
          GetPos(x, y);
        }
        cBootDialog::OnCommand(wParam, lParam);
      }
      bool direct3d = true, directDraw = false;
      std::string start, shownTitle;
      int x = 0, y = 0;
    } dialog(settings, path_.c_str());
    EXPECT_EQ(dialog.DoModal(0), 0);
    EXPECT_FALSE(dialog.direct3d);
    EXPECT_TRUE(dialog.directDraw);
    EXPECT_EQ(dialog.start, english != 0 ? "Start" : "ゲーム開始");
    EXPECT_EQ(dialog.shownTitle, "Kestrel Quest");
    EXPECT_EQ(dialog.x, 133);
    EXPECT_EQ(dialog.y, 104);
  }
}

TEST_F(BootDialogTest, AFailedSaveIsLoggedAndStillStarts) {
  cBootSettings settings;
  path_ = (folder_.path() / "missing" / "Boot.dat").string();
  EXPECT_EQ(Answer("boot start directdraw", settings), 1);
  EXPECT_EQ(settings.choice, 0);
  EXPECT_NE(folder_.Read("Report_Game.txt").find("Boot.dat の保存に失敗しました"), std::string::npos);
}

TEST_F(BootDialogTest, FindCheckBoxByIdAsksForTheCloseWhenNoneMatches) {
  int closes = 0;
  SetCloseRequestSink([&] { ++closes; });
  std::int32_t value = 0;
  std::vector<cCheckBox> boxes{cCheckBox(1004, &value)};
  EXPECT_EQ(FindCheckBoxById(boxes, 1004), &boxes[0]);
  EXPECT_EQ(closes, 0);
  EXPECT_EQ(FindCheckBoxById(boxes, 1005), nullptr);
  EXPECT_EQ(closes, 1);
  std::vector<cCheckBox> none;
  EXPECT_EQ(FindCheckBoxById(none, 1004), nullptr);
  SetCloseRequestSink(nullptr);
}

}  // namespace
