#include "core/main_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/close_request.h"
#include "core/game_requests.h"
#include "core/program_state.h"
#include "core/record_version.h"
#include "core/report_log.h"
#include "core/subsystem_links.h"
#include "core/system_ini.h"
#include "core/thread.h"
#include "platform/message_queue.h"
#include "platform/process/copy_data.h"
#include "support/byte_builder.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempFolder;

unsigned ServeOwnQueue(void*) {
  for (;;) {
    platform::Message message;
    if (platform::PeekThreadMessage(message) == platform::PeekResult::Quit) return 1;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

// A frame loop that keeps asking the main window to play a sound.
unsigned KeepsSending(void*) {
  for (;;) {
    platform::Message message;
    if (platform::PeekThreadMessage(message) == platform::PeekResult::Quit) return 1;
    SendToMainWindow(kRequestSound, 1);
  }
}

struct Recorder : cSoundLink, cWorldLink {
  std::vector<std::string> calls;
  void StopMusic() override {
    calls.push_back(std::string("stop music, game thread ") + (thGame.HasThread() ? "running" : "gone"));
  }
  void SetPlaySceneQuit() override { calls.push_back("play scene quit"); }
};

std::string WindowDat(int x, int y, int width, int height, int maximized) {
  return testsupport::ByteBuilder().u32(750).fields(5).i32(x).i32(y).i32(width).i32(height).i32(maximized)
      .strings(0).bytes();
}

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr) savedRuntime_ = runtime;
    setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
    folder_.MakeFolder("user_data");
    ASSERT_TRUE(LogInit((folder_.path() / "Report_Game.txt").string()));
    ErrLogInit(true, (folder_.path() / "EC_Game.txt").string());
    SetSoundLink(&recorder_);
    SetWorldLink(&recorder_);
    platform::MessageQueue& queue = platform::MainQueue();
    queue.Reopen();
    queue.BindToCurrentThread();
    queue.SetHandler(MainWndProc);
    CurrentVersion = 750;
    SystemIni.WindowMode = 1;
    RunningFlag = 1;
    MainWindow.SetPlacementPath("user_data\\Window.dat");
    ASSERT_TRUE(MainWindow.Create());
    MainWindow.Window().Show(platform::SW_SHOWNORMAL);
  }
  void TearDown() override {
    thGame.Exit();
    thPause.Exit();
    MainWindow.Destroy();
    platform::MainQueue().SetHandler(nullptr);
    platform::MainQueue().Reopen();
    SetSoundLink(nullptr);
    SetWorldLink(nullptr);
    SetGameRequestHandler(nullptr);
    MainWindow.SetPlacementPath("");
    RunningFlag = 0;
    ActiveFlag = 0;
    FromEditor = 0;
    SystemIni.WindowMode = 0;
    ErrLogInit(false, "EC_Game.txt");
    LogInit("/dev/null");
    if (savedRuntime_) {
      setenv("XDG_RUNTIME_DIR", savedRuntime_->c_str(), 1);
    } else {
      unsetenv("XDG_RUNTIME_DIR");
    }
  }
  std::string SavedPlacement() const { return ReadFileBytes(folder_.path() / "user_data" / "Window.dat"); }
  std::string ErrorLog() const { return ReadFileBytes(folder_.path() / "EC_Game.txt"); }

  TempFolder runtime_;
  TempFolder folder_;
  testsupport::ScopedCurrentFolder current_{folder_.path()};
  std::optional<std::string> savedRuntime_;
  Recorder recorder_;
};

TEST_F(MainWindowTest, TheCloseSavesThePlacementStopsMusicAndThreadsInOrderAndQuits) {
  MainWindow.Window().Move(123, 45);
  ASSERT_EQ(thGame.Start(ServeOwnQueue, nullptr), 1);

  EXPECT_EQ(MainWindow.WindowProc(platform::Message{platform::WM_CLOSE, 0, 0}), 0);

  EXPECT_EQ(SavedPlacement(), WindowDat(123, 45, 640, 480, 0));
  EXPECT_EQ(recorder_.calls, std::vector<std::string>{"stop music, game thread running"});
  EXPECT_FALSE(thGame.HasThread());
  EXPECT_FALSE(MainWindow.Window().Exists());
  EXPECT_EQ(MainHwnd.load(), 0u);
  EXPECT_EQ(platform::MainQueue().QuitCode(), 0);
  EXPECT_FALSE(platform::MainQueue().Post(platform::Message{platform::WM_CLOSE, 0, 0}));
  // The loader, display and ranking threads never ran, so only the game thread's stop shows.
  EXPECT_EQ(ErrorLog(),
            "WM_CLOSE 成功！\nthPause.Exit()\nExit A\nExit B\nExit C\nExit D\nExit E\nthGame.Exit()\nWM_DESTROY\n");
}

TEST_F(MainWindowTest, ThePlacementIsSavedOnlyInAWindowOnceStartedAndWhenNotMinimised) {
  struct Case {
    int windowMode;
    int running;
    int showCommand;
    bool saved;
  };
  const Case cases[] = {
      {1, 1, platform::SW_SHOWNORMAL, true},
      {2, 1, platform::SW_MAXIMIZE, true},
      {1, 1, platform::SW_SHOWMINIMIZED, false},
      {0, 1, platform::SW_SHOWNORMAL, false},
      {1, 0, platform::SW_SHOWNORMAL, false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(folder_.path() / "user_data" / "Window.dat");
    platform::MainQueue().Reopen();
    if (!MainWindow.Window().Exists()) {
      ASSERT_TRUE(MainWindow.Create());
    }
    MainWindow.Window().Show(c.showCommand);
    SystemIni.WindowMode = c.windowMode;
    RunningFlag = static_cast<std::uint8_t>(c.running);
    MainWindow.WindowProc(platform::Message{platform::WM_CLOSE, 0, 0});
    const std::string expected = WindowDat(100, 100, 640, 480, c.showCommand == platform::SW_MAXIMIZE ? 1 : 0);
    EXPECT_EQ(SavedPlacement(), c.saved ? expected : "") << c.windowMode << " " << c.running << " " << c.showCommand;
  }
}

TEST_F(MainWindowTest, WhileAModalDisplayRunsTheCloseEndsItFirstAndTheWindowStaysUntilClosedAgain) {
  ASSERT_EQ(thPause.Start(ServeOwnQueue, nullptr), 1);
  MainWindow.WindowProc(platform::Message{platform::WM_CLOSE, 0, 0});
  EXPECT_EQ(recorder_.calls, std::vector<std::string>{"play scene quit"});
  EXPECT_TRUE(MainWindow.Window().Exists());
  EXPECT_FALSE(platform::MainQueue().Closing());
  thPause.Wait();  // the display ends on its quit
  EXPECT_FALSE(thPause.HasThread());

  MainWindow.WindowProc(platform::Message{platform::WM_CLOSE, 0, 0});
  EXPECT_FALSE(MainWindow.Window().Exists());
  EXPECT_EQ(platform::MainQueue().QuitCode(), 0);
}

// Were the game thread left blocked, the close would find it silent and end the test program.
TEST_F(MainWindowTest, AGameThreadBlockedInASendToTheClosingWindowIsStoppedByItsQuit) {
  ASSERT_EQ(thGame.Start(KeepsSending, nullptr), 1);
  while (platform::MainQueue().Pending() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  MainWindow.WindowProc(platform::Message{platform::WM_CLOSE, 0, 0});
  EXPECT_FALSE(thGame.HasThread());
  EXPECT_EQ(platform::MainQueue().QuitCode(), 0);
}

TEST_F(MainWindowTest, EscapeAsksForTheCloseAndActivationFollowsTheApplication) {
  platform::MessageQueue& queue = platform::MainQueue();
  queue.Reopen();
  MainWindow.WindowProc(platform::Message{platform::WM_KEYDOWN, 'A', 0});
  EXPECT_EQ(queue.Pending(), 0u);
  MainWindow.WindowProc(platform::Message{platform::WM_KEYDOWN, 27, 0});
  platform::QueuedMessage queued;
  ASSERT_EQ(queue.Peek(queued), platform::PeekResult::Message);
  EXPECT_EQ(queued.message().message, platform::WM_CLOSE);

  MainWindow.WindowProc(platform::Message{platform::WM_ACTIVATEAPP, 0, 0});
  EXPECT_EQ(ActiveFlag.load(), 0);
  MainWindow.WindowProc(platform::Message{platform::WM_ACTIVATEAPP, 1, 0});
  EXPECT_EQ(ActiveFlag.load(), 1);
}

TEST_F(MainWindowTest, StartedByTheAuthoringToolTheEndOfTheWindowIsNoticed) {
  platform::CopyDataReceiver tool;
  ASSERT_TRUE(tool.Open("Kestrel4_Editor", "ケストレル4"));
  std::optional<platform::CopyDataNotice> received;
  std::thread listener([&] {
    if (std::optional<platform::ReceivedNotice> notice = tool.Receive(5000)) {
      received = notice->notice();
      notice->Answer(1);
    }
  });
  FromEditor = 1;
  MainWindow.WindowProc(platform::Message{platform::WM_CLOSE, 0, 0});
  listener.join();
  ASSERT_TRUE(received.has_value());
  EXPECT_EQ(received->data, 0u);
  EXPECT_EQ(received->value, 1);
}

TEST_F(MainWindowTest, RequestsGoToTheInstalledHandlerAndWithoutOneFinishUnserved) {
  // Nobody serves them: every sender's flag is set at once, a file request as cancelled.
  for (std::uint32_t request : {kRequestOpenStage, kRequestOpenReplay, kRequestSaveReplay}) {
    FileDialogDone = 0;
    FileDialogResult = 1;
    EXPECT_EQ(MainWindow.WindowProc(platform::Message{request, 0, 0}), 0);
    EXPECT_EQ(FileDialogDone.load(), 1) << request;
    EXPECT_EQ(FileDialogResult.load(), 0) << request;
  }
  NameDialogDone = 0;
  MainWindow.WindowProc(platform::Message{kRequestNameDialog, 0, 0});
  EXPECT_EQ(NameDialogDone.load(), 1);
  EXPECT_TRUE(recorder_.calls.empty());

  static std::vector<std::uint32_t> handled;
  handled.clear();
  SetGameRequestHandler([](const platform::Message& message) -> std::intptr_t {
    handled.push_back(message.message);
    return 0;
  });
  NameDialogDone = 0;
  for (std::uint32_t message : {kRequestNameDialog, kRequestSound, kRequestRecoverDevice, 1031u, 1123u}) {
    MainWindow.WindowProc(platform::Message{message, 0, 0});
  }
  EXPECT_EQ(handled, (std::vector<std::uint32_t>{kRequestNameDialog, kRequestSound, kRequestRecoverDevice}));
  EXPECT_EQ(NameDialogDone.load(), 0) << "the handler, not the window, finishes a served request";
}

}  // namespace
