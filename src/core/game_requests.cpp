#include "core/game_requests.h"

#include "platform/message_queue.h"
#include "platform/worker_thread.h"

std::atomic<int> NameDialogDone{0};
std::atomic<int> FileDialogDone{0};
std::atomic<int> FileDialogResult{0};

namespace {

std::atomic<GameRequestHandler> g_handler{nullptr};

std::intptr_t FinishUnserved(const platform::Message& message) {
  switch (message.message) {
    case kRequestNameDialog:
      NameDialogDone = 1;
      break;
    case kRequestOpenStage:
    case kRequestOpenReplay:
    case kRequestSaveReplay:
      FileDialogResult = 0;
      FileDialogDone = 1;
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace

bool IsGameRequest(std::uint32_t message) {
  return (message >= kRequestNameDialog && message <= kRequestMusic) || message == kRequestRecoverDevice;
}

void SetGameRequestHandler(GameRequestHandler handler) { g_handler.store(handler); }

std::intptr_t HandleGameRequest(const platform::Message& message) {
  const GameRequestHandler handler = g_handler.load();
  return handler != nullptr ? handler(message) : FinishUnserved(message);
}

std::intptr_t SendToMainWindow(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return platform::MainQueue().Send(platform::Message{message, wParam, lParam});
}

bool WaitForDoneFlag(const std::atomic<int>& flag) {
  while (flag.load() == 0) {
    // Once the close has begun no request is served any more: the flag will never come.
    if (platform::MainQueue().Closing() || !platform::SleepOrStop(1)) return false;
  }
  return true;
}

int RequestFileDialog(std::uint32_t message, std::uintptr_t wParam) {
  FileDialogDone = 0;
  SendToMainWindow(message, wParam);
  if (!WaitForDoneFlag(FileDialogDone)) return 0;
  return FileDialogResult.load();
}

bool RequestNameDialog() {
  NameDialogDone = 0;
  SendToMainWindow(kRequestNameDialog);
  return WaitForDoneFlag(NameDialogDone);
}
