#include "core/message_pump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "core/game_requests.h"
#include "core/program_state.h"
#include "core/thread.h"
#include "platform/message_queue.h"

namespace {

unsigned UntilQuit(void*) {
  for (;;) {
    platform::Message message;
    if (platform::PeekThreadMessage(message) == platform::PeekResult::Quit) return 1;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

std::atomic<bool> g_painted{false};

// A stage loader that finishes only once the window has been repainted meanwhile, and needs
// the main thread once (a sound, say).
unsigned AsksTheMainThreadOnce(void*) {
  while (!g_painted.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  SendToMainWindow(kRequestSound, 3);
  return 1;
}

cThread g_innerLoader;
std::atomic<int> g_outerResult{-1};
unsigned WaitsForInnerLoader(void*) {
  g_outerResult = WaitServingMessages(g_innerLoader) ? 1 : 0;
  return 1;
}

std::atomic<int> g_activeResult{-1};
unsigned WaitsForActivation(void*) {
  g_activeResult = WaitUntilActive() ? 1 : 0;
  return 1;
}

class MessagePumpTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::MessageQueue& queue = platform::MainQueue();
    queue.Reopen();
    queue.BindToCurrentThread();
    g_painted = false;
    queue.SetHandler([this](const platform::Message& m) -> std::intptr_t {
      served_.push_back(m.message);
      if (m.message == platform::WM_PAINT) g_painted = true;
      return 0;
    });
  }
  void TearDown() override {
    platform::MainQueue().SetHandler(nullptr);
    platform::MainQueue().Reopen();
    ActiveFlag = 0;
  }
  std::vector<std::uint32_t> served_;
};

TEST_F(MessagePumpTest, OnTheMainThreadTheWaitServesRequestsAndRepaintsAndLeavesTheClose) {
  platform::MessageQueue& queue = platform::MainQueue();
  queue.Post(platform::Message{platform::WM_CLOSE, 0, 0});
  queue.Post(platform::Message{platform::WM_PAINT, 0, 0});
  cThread loader;
  ASSERT_EQ(loader.Start(AsksTheMainThreadOnce, nullptr), 1);
  EXPECT_TRUE(WaitServingMessages(loader));
  EXPECT_FALSE(loader.HasThread());
  EXPECT_EQ(served_, (std::vector<std::uint32_t>{platform::WM_PAINT, kRequestSound}));
  platform::QueuedMessage left;
  ASSERT_EQ(queue.Peek(left), platform::PeekResult::Message);
  EXPECT_EQ(left.message().message, platform::WM_CLOSE);
}

TEST_F(MessagePumpTest, OnTheMainThreadTheQuitStopsTheLoaderAndStaysForTheMainLoop) {
  platform::MainQueue().PostQuit(0);
  cThread loader;
  ASSERT_EQ(loader.Start(UntilQuit, nullptr), 1);
  EXPECT_FALSE(WaitServingMessages(loader));
  EXPECT_FALSE(loader.HasThread());
  EXPECT_EQ(platform::MainQueue().QuitCode(), 0);
}

TEST_F(MessagePumpTest, OnAWorkerThreadItsQuitStopsTheLoaderAndFailsTheLoad) {
  g_outerResult = -1;
  ASSERT_EQ(g_innerLoader.Start(UntilQuit, nullptr), 1);
  cThread requester;
  ASSERT_EQ(requester.Start(WaitsForInnerLoader, nullptr), 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  requester.Exit();
  EXPECT_EQ(g_outerResult.load(), 0);
  EXPECT_FALSE(g_innerLoader.HasThread());
}

TEST_F(MessagePumpTest, AnActivationWaitEndsWhenActivatedOrWhenTheThreadIsStopped) {
  for (const bool activate : {true, false}) {
    ActiveFlag = 0;
    g_activeResult = -1;
    cThread display;
    ASSERT_EQ(display.Start(WaitsForActivation, nullptr), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(g_activeResult.load(), -1);
    if (activate) {
      ActiveFlag = 1;
      display.Wait();
    } else {
      display.Exit();
    }
    EXPECT_EQ(g_activeResult.load(), activate ? 1 : 0);
  }
}

}  // namespace
