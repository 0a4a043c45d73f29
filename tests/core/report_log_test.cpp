#include "core/report_log.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/close_request.h"
#include "core/message_boxes.h"
#include "platform/diagnostics.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempFolder;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ReportLogTest : public testing::Test {
 protected:
  void SetUp() override {
    path_ = (folder_.path() / "Report_Game.txt").string();
    ASSERT_TRUE(LogInit(path_));
    platform::SetDiagnosticSink([this](std::string_view text) { boxes_.emplace_back(text); });
  }
  void TearDown() override {
    platform::SetDiagnosticSink(nullptr);
    SetCloseRequestSink(nullptr);
    ErrLogInit(false, "EC_Game.txt");
    LogInit("/dev/null");
  }
  std::string Contents() const { return ReadFileBytes(path_); }

  TempFolder folder_;
  std::string path_;
  std::vector<std::string> boxes_;
};

TEST_F(ReportLogTest, InitEmptiesTheFileAndEachCallAddsOneLine) {
  ASSERT_TRUE(Log("App : ver %s", "750"));
  ASSERT_TRUE(Log("second"));
  EXPECT_EQ(Contents(), "App : ver 750\nsecond\n");
  ASSERT_TRUE(LogInit(path_));
  EXPECT_EQ(Contents(), "");
}

TEST_F(ReportLogTest, FormattedTextsAreNeverFormattedAgain) {
  ASSERT_TRUE(LogMirror("%s", "stage%d%s.stg4"));
  ASSERT_TRUE(LogError("%s", "100%s done"));
  EXPECT_EQ(Contents(), "stage%d%s.stg4\n100%s done\n");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0], std::string("[") + kErrorCaption + "] 100%s done");
}

TEST_F(ReportLogTest, MirroredTextsAreCutOnACharacterBoundary) {
  // 1022 ASCII bytes then a double-byte character: the character would end past 1023.
  const std::string text = std::string(1022, 'a') + "ソ" + "tail";
  ASSERT_TRUE(LogMirror("%s", text.c_str()));
  EXPECT_EQ(Contents(), std::string(1022, 'a') + "\n");
}

TEST_F(ReportLogTest, ACallThatCannotOpenItsFileReportsFailureAndShowsNothing) {
  ASSERT_FALSE(LogInit(folder_.path().string() + "/missing/Report_Game.txt"));
  EXPECT_FALSE(Log("lost"));
  EXPECT_FALSE(LogError("lost"));
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ReportLogTest, TheErrorLogStaysSilentWhenSwitchedOffButTheCloseRequestStillGoes) {
  int closeRequests = 0;
  SetCloseRequestSink([&] { ++closeRequests; });
  const std::string errorPath = (folder_.path() / "EC_Game.txt").string();
  ErrLogInit(false, errorPath);
  EXPECT_FALSE(ErrLogf("x %d", 1));
  ErrLogfClose("scene failed: %s", "x");
  EXPECT_EQ(closeRequests, 1);
  EXPECT_TRUE(ReadFileBytes(errorPath).empty());

  ErrLogInit(true, errorPath);
  EXPECT_TRUE(ErrLogf("first %d", 1));
  EXPECT_TRUE(ErrLog("second"));
  ErrLogfClose("third");
  EXPECT_EQ(closeRequests, 2);
  EXPECT_EQ(ReadFileBytes(errorPath), "first 1\nsecond\nthird\n");
}

TEST_F(ReportLogTest, LinesFromManyThreadsAreNeverLostOrTorn) {
  constexpr int kThreads = 8;
  constexpr int kLines = 300;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLines; ++i) Log("thread %d line %d %s", t, i, std::string(100, 'x').c_str());
    });
  }
  for (std::thread& thread : threads) thread.join();

  const std::vector<std::string> lines = Lines(Contents());
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLines));
  std::set<std::string> unique(lines.begin(), lines.end());
  EXPECT_EQ(unique.size(), lines.size());
  for (int t = 0; t < kThreads; ++t) {
    for (int i = 0; i < kLines; ++i) {
      const std::string expected = "thread " + std::to_string(t) + " line " + std::to_string(i) + " " + std::string(100, 'x');
      EXPECT_TRUE(unique.count(expected)) << expected;
    }
  }
}

}  // namespace
