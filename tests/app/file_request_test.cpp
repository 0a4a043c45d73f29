// The open-stage request served for real: a game-side thread sends it, the main thread's pump
// runs the file chooser, answered by the dialog script, and the choice opens through the
// path resolver.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/game_request_handler.h"
#include "app/request_services.h"
#include "core/close_request.h"
#include "core/game_requests.h"
#include "core/main_window.h"
#include "core/message_pump.h"
#include "core/report_log.h"
#include "input/dialogs/dialog_script.h"
#include "input/dialogs/file_chooser.h"
#include "platform/files/path_resolver.h"
#include "platform/message_queue.h"
#include "support/temp_folder.h"
#include "support/utf8.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Utf8;

// The chooser is the program's own; playing the stage is recorded.
struct Services : cRequestServices {
  std::vector<std::string> played;
  void SetDialogBoxMode(int /*on*/) override {}
  bool PlayStageFile(const std::string& path, int /*direct*/) override {
    played.push_back(path);
    return true;
  }
};

class FileRequestTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::create_directories(game_.path() / "data" / "stg4" / "Old");
    for (const std::string& name : {Utf8(u8"ステージ１.stg4_750"), std::string("MIXED.STG4_750"),
                                    std::string("mixed.Stg4_010"), std::string("\x83\x5C.stg4_750"),
                                    std::string("notes.txt")}) {
      std::ofstream(game_.path() / "data" / "stg4" / name) << "x";
    }
    fs::current_path(game_.path());
    platform::GameFolder().Forget();
    LogInit((game_.path() / "Report_Game.txt").string());
    SetRequestServices(&services_);
    SetGameRequestHandler(ServeGameRequest);
    SetCloseRequestSink([this] { ++closes_; });
    platform::MessageQueue& queue = platform::MainQueue();
    queue.Reopen();
    queue.BindToCurrentThread();
    queue.SetHandler(MainWndProc);
  }
  void TearDown() override {
    SetRequestServices(nullptr);
    SetGameRequestHandler(nullptr);
    SetCloseRequestSink(nullptr);
    platform::MainQueue().SetHandler(nullptr);
    SetDialogScript(std::nullopt);
    LogInit("/dev/null");
    fs::current_path(previous_);
    platform::GameFolder().Forget();
  }
  int Request(const std::string& script) {
    SetDialogScript(script);
    FileDialogDone = 0;
    FileDialogResult = -1;
    std::atomic<bool> sent{false};
    std::thread game([&] {
      platform::MainQueue().Send(platform::Message{kRequestOpenStage, 0, 0});
      sent = true;
    });
    while (!sent) ServeNestedPass();
    game.join();
    EXPECT_EQ(FileDialogDone.load(), 1);
    return FileDialogResult.load();
  }

  testsupport::TempFolder game_;
  fs::path previous_;
  Services services_;
  int closes_ = 0;
};

TEST_F(FileRequestTest, ChoicesOpenAsTheDiskSpellsThemAndCancelGivesNothing) {
  struct Case {
    const char8_t* line;
    const char* played;  // CP932; nullptr: nothing chosen
  };
  const Case cases[] = {
      {u8"open data\\stg4\\ステージ１.stg4_750", "data\\stg4\\ステージ１.stg4_750"},
      {u8"open mixed.stg4_750", "data\\stg4\\MIXED.STG4_750"},  // in the initial folder, any case
      {u8"open DATA/STG4/Mixed.STG4_010", "data\\stg4\\mixed.Stg4_010"},
      {u8"open data\\stg4\\ソ.stg4_750", "data\\stg4\\\x83\x5C.stg4_750"},  // a raw Shift-JIS name
      {u8"open data\\stg4\\missing.stg4_750", nullptr},  // must exist: the line answers nothing
      {u8"open ..\\outside.stg4_750", nullptr},
      {u8"cancel", nullptr},
      {u8"close", nullptr},
  };
  for (const Case& c : cases) {
    services_.played.clear();
    const int result = Request(Utf8(c.line));
    EXPECT_EQ(result, c.played != nullptr ? 1 : 0) << Utf8(c.line);
    if (c.played == nullptr) {
      EXPECT_TRUE(services_.played.empty()) << Utf8(c.line);
      continue;
    }
    ASSERT_EQ(services_.played.size(), 1u) << Utf8(c.line);
    EXPECT_EQ(services_.played[0], c.played);
    EXPECT_TRUE(platform::GameFolder().Resolve(services_.played[0]).ok());
  }
  EXPECT_EQ(closes_, 0);
}

TEST_F(FileRequestTest, TheChooserListsTheInitialFolderAndWalksUpToTheGameFolderOnly) {
  FileChooserRequest request{"t", "data\\stg4\\", "StageFile", "*.stg4_*;*.rpl4_*", "stg4_*;rpl4_*", false, {}};
  struct Probe : cFileChooser {
    using cFileChooser::cFileChooser;
    std::vector<std::string> folders;
    std::vector<std::size_t> counts;

   protected:
    bool RunScriptLine(const std::vector<std::string>& /*words*/) override {
      for (int i = 0; i < 4; ++i) {
        folders.push_back(Folder());
        counts.push_back(Entries().size());
        platform::DialogEvent back(platform::DialogEvent::Kind::KeyDown);
        back.virtualKey = 0x08;
        HandleEvent(back);
      }
      return true;
    }
  } chooser(request);
  SetDialogScript(std::string("open probe"));
  chooser.DoModal(0);
  EXPECT_EQ(chooser.folders, (std::vector<std::string>{"data\\stg4", "data", "", ""}));
  EXPECT_EQ(chooser.counts[0], 6u);  // "..", Old and four stages
}

TEST_F(FileRequestTest, SaveKeepsTheProposedNameAddsTheExtensionAndAsksBeforeReplacing) {
  const FileChooserRequest request{"s", "data\\stg4\\", "ReplayFile ( *.rpl4_750 )", "*.rpl4_750", "rpl4_750", true,
                                   {}};
  struct Case {
    const char* line;
    const char* boxAnswer;
    std::string proposed;
    bool keep;
    int result;
    std::string path;
  };
  const Case cases[] = {
      {"save run", "yes", "", false, 1, "data\\stg4\\run.rpl4_750"},
      {"save run.x", "yes", "", false, 1, "data\\stg4\\run.x"},
      {"save notes.txt", "yes", "", false, 1, "data\\stg4\\notes.txt"},  // replaced after the question
      {"save NOTES.TXT", "no", "", false, 0, "data\\stg4\\p.rpl4_750"},  // not replaced: the line answers nothing
      {"cancel", "yes", "kept", true, 0, "kept"},
  };
  for (const Case& c : cases) {
    setenv("KESTREL_BOX_ANSWER", c.boxAnswer, 1);
    SetDialogScript(std::string(c.line));
    std::string path = c.keep ? c.proposed : "p.rpl4_750";
    const int result = DDGetSaveFileName(path, request, c.keep);
    EXPECT_EQ(result, c.result) << c.line;
    if (result == 1) {
      EXPECT_EQ(path, c.path) << c.line;
    }
  }
  unsetenv("KESTREL_BOX_ANSWER");
  // The proposed name is the field's text: OK at once takes it, extension added.
  struct Proposed : cFileChooser {
    using cFileChooser::cFileChooser;

   protected:
    bool RunScriptLine(const std::vector<std::string>& /*words*/) override {
      Click(kOk);
      return true;
    }
  };
  FileChooserRequest proposed = request;
  proposed.proposedName = "mine";
  Proposed chooser(proposed);
  SetDialogScript(std::string("save"));
  EXPECT_EQ(chooser.DoModal(0), 1);
  EXPECT_EQ(chooser.Result(), "data\\stg4\\mine.rpl4_750");

  // Return at once, as a player would: the offered name is taken.
  struct PressReturn : cFileChooser {
    using cFileChooser::cFileChooser;

   protected:
    bool RunScriptLine(const std::vector<std::string>& /*words*/) override {
      platform::DialogEvent enter(platform::DialogEvent::Kind::KeyDown);
      enter.virtualKey = 0x0D;
      HandleEvent(enter);
      return true;
    }
  };
  PressReturn returned(proposed);
  SetDialogScript(std::string("save"));
  EXPECT_EQ(returned.DoModal(0), 1);
  EXPECT_EQ(returned.Result(), "data\\stg4\\mine.rpl4_750");
}

TEST_F(FileRequestTest, TheListScrollsWithItsSelectionAndEndTakesTheLast) {
  for (int i = 0; i < 40; ++i) std::ofstream(game_.path() / "data" / "stg4" / ("s" + std::to_string(100 + i) + ".stg4_750")) << "x";
  platform::GameFolder().Forget();
  FileChooserRequest request{"t", "data\\stg4\\", "StageFile", "*.stg4_*", "stg4_*", false, {}};
  struct Probe : cFileChooser {
    using cFileChooser::cFileChooser;
    std::string name;

   protected:
    bool RunScriptLine(const std::vector<std::string>& /*words*/) override {
      platform::DialogEvent end(platform::DialogEvent::Kind::KeyDown);
      end.virtualKey = 0x23;  // End
      HandleEvent(end);
      platform::DialogEvent enter(platform::DialogEvent::Kind::KeyDown);
      enter.virtualKey = 0x0D;
      HandleEvent(enter);
      return true;
    }
  } chooser(request);
  SetDialogScript(std::string("open probe"));
  EXPECT_EQ(chooser.DoModal(0), 1);
  EXPECT_EQ(chooser.Result(), "data\\stg4\\\x83\x5C.stg4_750");  // the last name listed
}

TEST_F(FileRequestTest, SeveralQuotedNamesGiveTheFolderAndEachFileOrNothing) {
  FileChooserRequest request{"t", "data\\stg4\\", "StageFile", "*.stg4_*;*.rpl4_*", "stg4_*;rpl4_*", false, {}};
  request.several = true;
  struct Case {
    const char* line;
    int result;
    std::string path;
    std::vector<std::string> list;
  };
  const Case cases[] = {
      {"open \"mixed.stg4_750\" \"MIXED.stg4_010\"", 1, "data\\stg4",
       {"data\\stg4\\MIXED.STG4_750", "data\\stg4\\mixed.Stg4_010"}},
      // One quoted name is one file: the whole path, as without quotes.
      {"open \"mixed.stg4_010\"", 1, "data\\stg4\\mixed.Stg4_010", {"data\\stg4\\mixed.Stg4_010"}},
      {"open mixed.stg4_010", 1, "data\\stg4\\mixed.Stg4_010", {"data\\stg4\\mixed.Stg4_010"}},
      // All or none: a missing file, a folder or a path among the names chooses nothing.
      {"open \"mixed.stg4_750\" \"missing.stg4_750\"", 0, "", {}},
      {"open \"mixed.stg4_750\" \"Old\"", 0, "", {}},
      {"open \"mixed.stg4_750\" \"..\\stg4\\mixed.stg4_010\"", 0, "", {}},
      {"open \"mixed.stg4_750", 0, "", {}},  // a quote left open is one plain name, which is not there
  };
  for (const Case& c : cases) {
    SetDialogScript(std::string(c.line));
    std::string path = "old";
    cVector<std::string> list;
    EXPECT_EQ(DDGetOpenFileName(path, request, &list), c.result) << c.line;
    EXPECT_EQ(path, c.result == 1 ? c.path : "") << c.line;
    EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()), c.list) << c.line;
  }
  // Without the several-files flag the quotes are part of one name.
  request.several = false;
  SetDialogScript(std::string("open \"mixed.stg4_750\" \"MIXED.stg4_010\""));
  std::string path;
  EXPECT_EQ(DDGetOpenFileName(path, request, nullptr), 0);
}

TEST_F(FileRequestTest, ShiftMarksARunCtrlTogglesOneAndTheFieldListsTheMarkedNames) {
  FileChooserRequest request{"t", "data\\stg4\\", "StageFile", "*.stg4_*;*.rpl4_*", "stg4_*;rpl4_*", false, {}};
  request.several = true;
  struct Probe : cFileChooser {
    using cFileChooser::cFileChooser;
    std::vector<std::string> marks;

   protected:
    void Key(int key, bool shift, bool control) {
      platform::DialogEvent event(platform::DialogEvent::Kind::KeyDown);
      event.virtualKey = key;
      event.shift = shift;
      event.control = control;
      HandleEvent(event);
    }
    void Note() {
      std::string line;
      for (int i = 0; i < static_cast<int>(Entries().size()); ++i) line += Marked(i) ? "x" : ".";
      marks.push_back(line);
    }
    bool RunScriptLine(const std::vector<std::string>& /*words*/) override {
      // Rows: "..", Old, then four files.
      for (int i = 0; i < 2; ++i) Key(0x28, false, false);  // the first file
      Note();
      for (int i = 0; i < 2; ++i) Key(0x28, true, false);  // a run of three from it
      Note();
      Key(0x20, false, true);  // the last of the run unmarked
      Note();
      Key(0x28, false, false);  // a plain move keeps one mark only
      for (int i = 0; i < 3; ++i) Key(0x26, false, false);
      Key(0x26, true, false);  // Shift onto a folder: folders are never marked
      Note();
      Key(0x28, false, false);
      Key(0x28, true, false);  // a run of two, confirmed
      Click(kOk);
      return true;
    }
  } chooser(request);
  SetDialogScript(std::string("open probe"));
  const int result = chooser.DoModal(0);
  EXPECT_EQ(chooser.marks, (std::vector<std::string>{"..x...", "..xxx.", "..xx..", "..x..."}));
  ASSERT_EQ(result, 1);
  ASSERT_EQ(chooser.Results().size(), 2u);
  EXPECT_EQ(chooser.Results()[0], "data\\stg4\\" + chooser.Entries()[2].name);
  EXPECT_EQ(chooser.Results()[1], "data\\stg4\\" + chooser.Entries()[3].name);
}

}  // namespace
