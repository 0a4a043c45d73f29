#include "core/log_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/host_path.h"
#include "core/report_log.h"
#include "support/temp_folder.h"
#include "support/utf8.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::ScopedCurrentFolder;
using testsupport::TempFolder;
using testsupport::Utf8;

class LogFilesTest : public testing::Test {
 protected:
  void TearDown() override {
    ErrLogInit(false, "EC_Game.txt");
    LogInit("/dev/null");
  }
  TempFolder folder_;
};

// é has no CP932 form; ソ has one whose trail byte is a backslash.
TEST_F(LogFilesTest, TheReportLogIsWrittenInAGameFolderOfAnyName) {
  for (const std::string& name : {Utf8(u8"Téléchargements"), Utf8(u8"中"), Utf8(u8"ソ")}) {
    const fs::path game = folder_.MakeFolder(name);
    ScopedCurrentFolder current(game);
    EXPECT_EQ(HostPathInCurrentFolder("Report_Game.txt"), (game / "Report_Game.txt").string());

    testing::internal::CaptureStderr();
    StartLogFiles();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << name;
    ASSERT_TRUE(Log("App : ver %s", "750")) << name;
    EXPECT_EQ(ReadFileBytes(game / "Report_Game.txt"), "App : ver 750\n") << name;
  }
}

TEST_F(LogFilesTest, AReportLogThatCannotBeWrittenIsSaidOnStderrAndTheStartGoesOn) {
  const fs::path game = folder_.MakeFolder(Utf8(u8"josé"));
  fs::create_directory(game / "Report_Game.txt");  // a folder where the file should go
  ScopedCurrentFolder current(game);

  testing::internal::CaptureStderr();
  StartLogFiles();
  const std::string said = testing::internal::GetCapturedStderr();
  // The host path stands as the file system spells it: stderr is UTF-8.
  EXPECT_NE(said.find("the report log " + (game / "Report_Game.txt").string() + " cannot be written"),
            std::string::npos)
      << said;
  EXPECT_FALSE(Log("dropped"));
}

}  // namespace
