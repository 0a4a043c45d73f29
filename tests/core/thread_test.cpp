#include "core/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "core/close_request.h"
#include "core/report_log.h"
#include "platform/message_queue.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempFolder;

std::atomic<int> g_passes{0};

// The shape of every thread procedure of the program: serve the own queue, end on the quit.
unsigned QueueLoop(void*) {
  for (;;) {
    platform::Message message;
    if (platform::PeekThreadMessage(message) == platform::PeekResult::Quit) return 1;
    ++g_passes;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

// A frame that asks the main window for something, while the main window is closing and no
// longer serves its queue.
unsigned SendToClosingWindow(void* queue) {
  static_cast<platform::MessageQueue*>(queue)->Send(platform::Message{1029, 0, 0});
  for (;;) {
    platform::Message message;
    if (platform::PeekThreadMessage(message) == platform::PeekResult::Quit) return 1;
  }
}

cThread* g_waitTarget = nullptr;
unsigned WaitForTarget(void*) {
  g_waitTarget->Wait();
  return 1;
}

unsigned Throws(void*) { throw std::runtime_error("broken"); }

unsigned IgnoresTheQuit(void*) {
  for (;;) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// Hears its quit at every pass and goes on all the same.
unsigned BeatsButNeverEnds(void*) {
  for (;;) {
    platform::SleepOrStop(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

// A frame that runs on for a while after the quit, beating all the time, as a slow frame on
// a loaded machine does.
unsigned FinishesItsFrameSlowly(void*) {
  while (!platform::ThisThreadStopRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  for (int i = 0; i < 300; ++i) {
    platform::ThisThreadBeat();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return 1;
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class ThreadTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LogInit((folder_.path() / "Report_Game.txt").string()));
    ErrLogInit(true, (folder_.path() / "EC_Game.txt").string());
    SetCloseRequestSink([this] { ++closeRequests_; });
    g_passes = 0;
  }
  void TearDown() override {
    SetCloseRequestSink(nullptr);
    ErrLogInit(false, "EC_Game.txt");
    LogInit("/dev/null");
  }
  std::string ErrorLog() const { return ReadFileBytes(folder_.path() / "EC_Game.txt"); }
  std::string ReportLog() const { return ReadFileBytes(folder_.path() / "Report_Game.txt"); }

  TempFolder folder_;
  std::atomic<int> closeRequests_{0};
};

template <typename Action>
std::chrono::steady_clock::duration Timed(Action action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  return std::chrono::steady_clock::now() - start;
}

TEST_F(ThreadTest, ExitOnAThreadThatNeverStartedReturnsAtOnceAndWritesNothing) {
  cThread idle;
  // Far below any stop limit, and far above what a busy machine's scheduling adds.
  EXPECT_LT(Timed([&] { idle.Exit(); }), std::chrono::milliseconds(1000));
  EXPECT_EQ(ErrorLog(), "");
  EXPECT_FALSE(idle.PostThreadMessage(platform::WM_APP));
}

TEST_F(ThreadTest, ExitOnASuspendedThreadResumesItAndEndsItWithinMilliseconds) {
  cThread worker;
  ASSERT_EQ(worker.Start(QueueLoop, nullptr), 1);
  EXPECT_TRUE(worker.PostThreadMessage(platform::WM_APP));  // the start handshake
  while (g_passes.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_TRUE(worker.Suspend());
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_LT(Timed([&] { worker.Exit(); }), std::chrono::milliseconds(1000));
  EXPECT_FALSE(worker.HasThread());
  EXPECT_EQ(ErrorLog(), "Exit A\nExit B\nExit C\nExit D\nExit E\n");
}

// Were the thread left blocked, Exit would find it silent and end the test program.
TEST_F(ThreadTest, AThreadBlockedInASendToTheClosingWindowIsStoppedByItsQuit) {
  platform::MessageQueue closingWindow;  // owned by this thread, which never serves it
  cThread game;
  ASSERT_EQ(game.Start(SendToClosingWindow, &closingWindow), 1);
  while (closingWindow.Pending() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  game.Exit();
  EXPECT_FALSE(game.HasThread());
}

TEST_F(ThreadTest, AWaitEndsWhenTheWaitingThreadIsStopped) {
  cThread display;
  cThread game;
  g_waitTarget = &display;
  ASSERT_EQ(display.Start(QueueLoop, nullptr), 1);
  ASSERT_EQ(game.Start(WaitForTarget, nullptr), 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  game.Exit();
  EXPECT_FALSE(game.HasThread());
  EXPECT_TRUE(display.HasThread());
  display.Exit();
  EXPECT_FALSE(display.HasThread());
}

TEST_F(ThreadTest, AFailedStartLeavesAnIdleObjectOnWhichEveryOperationIsHarmless) {
  cThread worker;
  platform::WorkerThread::FailNextStartForTests();
  EXPECT_EQ(worker.Start(QueueLoop, nullptr), 0);
  EXPECT_FALSE(worker.HasThread());
  EXPECT_EQ(worker.ThreadId(), 0u);
  EXPECT_TRUE(worker.Suspend());
  EXPECT_TRUE(worker.Resume());
  worker.Wait();
  worker.Exit();
  EXPECT_EQ(ErrorLog(), "");
}

TEST_F(ThreadTest, AnExceptionLeavingAProcedureIsLoggedAndClosesTheProgram) {
  cThread worker;
  ASSERT_EQ(worker.Start(Throws, nullptr), 1);
  worker.Wait();
  EXPECT_EQ(closeRequests_.load(), 1);
  EXPECT_NE(ReportLog().find("thread ended by an exception: broken"), std::string::npos);
}

TEST_F(ThreadTest, ASlowThreadThatBeatsIsWaitedForWithOneLineAboutTheWait) {
  cThread game;
  ASSERT_EQ(game.Start(FinishesItsFrameSlowly, nullptr), 1);
  const auto waited = Timed([&] { game.Exit(); });  // the program's own patience
  EXPECT_GE(waited, std::chrono::milliseconds(300));
  EXPECT_FALSE(game.HasThread());
  EXPECT_EQ(ErrorLog(), "Exit A\nExit B\nExit C\nExit D\nExit E\n");
  EXPECT_EQ(Occurrences(ReportLog(), "still stopping after"), 1u) << ReportLog();
  EXPECT_EQ(Occurrences(ReportLog(), " stopped after "), 1u) << ReportLog();
}

TEST_F(ThreadTest, AThreadThatFallsSilentOrRunsOnPastItsQuitEndsTheProcessWithALogLine) {
  struct Case {
    ThreadProc procedure;
    platform::StopPatience patience;
    const char* line;
  };
  const Case cases[] = {
      {IgnoresTheQuit, {50, 100, 60000}, "made no progress for 100 ms after its quit: the process ends"},
      {BeatsButNeverEnds, {50, 60000, 100}, " still ran "},
  };
  // The child is forked from this process (no other thread runs here), so it logs into this
  // test's folder.
  GTEST_FLAG_SET(death_test_style, "fast");
  const std::string logPath = (folder_.path() / "Report_Game.txt").string();
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          LogInit(logPath);
          cThread stubborn;
          stubborn.Start(c.procedure, nullptr);
          stubborn.Exit(c.patience);
        },
        testing::ExitedWithCode(1), "");
    EXPECT_NE(ReportLog().find(c.line), std::string::npos) << ReportLog();
  }
}

}  // namespace
