#include "core/game_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "core/close_request.h"
#include "core/program_state.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/thread.h"
#include "core/timing.h"
#include "scene_test_support.h"
#include "support/temp_folder.h"

namespace {

using scenetest::g_events;

class GameLoopTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetTiming();
    SetDrawingLink(&drawing_);
    SetCloseRequestSink([this] { ++closeRequests_; });
    ASSERT_TRUE(LogInit((folder_.path() / "Report_Game.txt").string()));
    ErrLogInit(true, (folder_.path() / "EC_Game.txt").string());
    scenetest::RegisterRecordingScenes();
    SceneMgr.CurrentScene = 0;
    SceneMgr.FrameRate = 60;
    g_events.clear();
  }
  void TearDown() override {
    thGame.Exit();
    ActiveFlag = 0;
    SceneMgr.DeleteScenes();
    scenetest::ClearSceneFactories();
    SetDrawingLink(nullptr);
    SetCloseRequestSink(nullptr);
    ErrLogInit(false, "EC_Game.txt");
    LogInit("/dev/null");
    ResetTiming();
  }
  // Read once the game thread has ended.
  long Frames() const { return std::count(g_events.begin(), g_events.end(), "present"); }
  std::string ErrorLog() const { return testsupport::ReadFileBytes(folder_.path() / "EC_Game.txt"); }

  testsupport::TempFolder folder_;
  scenetest::FakeDrawing drawing_;
  std::atomic<int> closeRequests_{0};
};

TEST_F(GameLoopTest, WhileActiveTheLoopRunsFramesAtSixtyPerSecond) {
  ActiveFlag = 1;
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(StartGameThread());
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  thGame.Exit();
  const auto ran = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  // The gate lets a frame through every 16 ms at most: 32 in half a second. Fewer would only
  // mean a busy machine, so only that frames ran at all is asked.
  EXPECT_LE(Frames(), ran.count() / 16 + 1);
  EXPECT_GE(Frames(), 1);
  EXPECT_EQ(closeRequests_.load(), 0);
  EXPECT_NE(ErrorLog().find("GameLoop WM_QUIT!"), std::string::npos);
}

TEST_F(GameLoopTest, WhileInactiveNoFrameRunsAndTheQuitStillEndsTheLoop) {
  ActiveFlag = 0;
  ASSERT_TRUE(StartGameThread());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const auto start = std::chrono::steady_clock::now();
  thGame.Exit();
  // An idle loop stops at its next pass: far within a second, however busy the machine.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  EXPECT_EQ(Frames(), 0);
  // The loop's own line lands somewhere among the stopping thread's lines.
  const std::string log = ErrorLog();
  EXPECT_NE(log.find("GameLoop WM_QUIT!\n"), std::string::npos);
  EXPECT_EQ(log.size(), std::string("Exit A\nExit B\nExit C\nGameLoop WM_QUIT!\nExit D\nExit E\n").size());
}

TEST_F(GameLoopTest, AFrameStepThatEndsTheProgramClosesTheWindowAndEndsTheLoop) {
  drawing_.restoreResult = false;
  ActiveFlag = 1;
  ASSERT_TRUE(StartGameThread());
  for (int i = 0; i < 2000 && !thGame.HasEnded(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_TRUE(thGame.HasEnded());
  EXPECT_EQ(closeRequests_.load(), 1);
  thGame.Exit();
  EXPECT_EQ(Frames(), 0);
}

TEST_F(GameLoopTest, AGameThreadThatCannotStartIsAFailedStart) {
  platform::WorkerThread::FailNextStartForTests();
  EXPECT_FALSE(StartGameThread());
  EXPECT_FALSE(thGame.HasThread());
}

}  // namespace
