#include "program_in_process.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "app/init_game.h"
#include "app/registration.h"
#include "core/close_request.h"
#include "core/log_files.h"
#include "core/report_log.h"
#include "core/main_window.h"
#include "platform/files/path_resolver.h"
#include "platform/message_queue.h"
#include "support/temp_folder.h"

namespace e2e {

bool WithProgramStarted(const std::filesystem::path& game, const std::function<void()>& body) {
  // A runtime folder of its own: the window registry must not meet the test's other programs.
  testsupport::TempFolder runtime;
  testsupport::TempFolder logs;
  std::optional<std::string> savedRuntime;
  if (const char* value = std::getenv("XDG_RUNTIME_DIR")) savedRuntime = value;
  setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  bool started = false;
  {
    const testsupport::ScopedCurrentFolder here(game);
    platform::GameFolder().Forget();
    LogInit((logs.path() / "Report_Game.txt").string());
    platform::MessageQueue& queue = platform::MainQueue();
    queue.Reopen();
    queue.BindToCurrentThread();
    queue.SetHandler(MainWndProc);
    RegisterProgramParts();
    if (MainWindow.Create()) {
      started = InitGame("", 1);
      if (started) body();
      UnInitGame();
      MainWindow.Destroy();
    }
    queue.SetHandler(nullptr);
    queue.Reopen();
    LogInit("/dev/null");
    platform::GameFolder().Forget();
  }
  if (savedRuntime) {
    setenv("XDG_RUNTIME_DIR", savedRuntime->c_str(), 1);
  } else {
    unsetenv("XDG_RUNTIME_DIR");
  }
  return started;
}

}  // namespace e2e
