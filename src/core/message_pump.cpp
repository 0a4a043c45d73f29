#include "core/message_pump.h"

#include "core/close_request.h"
#include "core/game_requests.h"
#include "core/main_window.h"
#include "core/program_state.h"
#include "core/report_log.h"
#include "core/thread.h"
#include "platform/clock.h"
#include "platform/message_queue.h"
#include "platform/process/termination_signal.h"
#include "platform/worker_thread.h"

namespace {

// How long one inactive wait lasts before the window's own events are looked at again.
constexpr std::uint32_t kInactiveWaitMs = 10;

void TakeOutsideEvents() {
  MainWindow.Window().PumpEvents();
  MainWindow.Window().PresentFrames();
  if (platform::TakeTerminationRequest()) PostCloseRequest();
}

// The inactive application sleeps until something arrives.
void WaitMessage(platform::MessageQueue& queue) {
  while (!queue.WaitFor(0)) {
    TakeOutsideEvents();
    queue.WaitFor(kInactiveWaitMs);
  }
}

bool ServedInNestedLoop(const platform::Message& message) {
  return message.message == platform::WM_PAINT || IsGameRequest(message.message);
}

}  // namespace

bool ServeNestedPass() {
  platform::MessageQueue& queue = platform::MainQueue();
  MainWindow.Window().PumpEvents();
  MainWindow.Window().PresentFrames();
  platform::QueuedMessage queued;
  switch (queue.Peek(queued, ServedInNestedLoop)) {
    case platform::PeekResult::Quit: return false;
    case platform::PeekResult::Message: queue.Dispatch(queued); return true;
    case platform::PeekResult::Empty: queue.WaitFor(1); return true;
  }
  return true;
}

namespace {

// One pass of a nested loop on a worker thread; false on the quit.
bool ServeWorkerPass() {
  platform::Message message;
  switch (platform::PeekThreadMessage(message)) {
    case platform::PeekResult::Quit: return false;
    case platform::PeekResult::Message: return true;
    case platform::PeekResult::Empty: return platform::SleepOrStop(1);
  }
  return true;
}

}  // namespace

int RunMessagePump() {
  platform::MessageQueue& queue = platform::MainQueue();
  for (;;) {
    TakeOutsideEvents();
    platform::QueuedMessage queued;
    switch (queue.Peek(queued)) {
      case platform::PeekResult::Quit: return queue.QuitCode().value_or(0);
      case platform::PeekResult::Message: queue.Dispatch(queued); break;
      case platform::PeekResult::Empty:
        if (ActiveFlag.load() == 0) WaitMessage(queue);
        break;
    }
    platform::SleepMs(1);
  }
}

bool WaitServingMessages(cThread& thread) {
  const bool onMainThread = platform::MainQueue().OnOwnerThread();
  while (!thread.HasEnded()) {
    if (!(onMainThread ? ServeNestedPass() : ServeWorkerPass())) {
      ErrLog("msg.message == WM_QUIT");
      thread.Exit();
      return false;
    }
  }
  thread.Exit();
  return true;
}
