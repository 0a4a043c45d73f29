#include "core/program_entry.h"

#include <string>

#include "core/close_request.h"
#include "core/editor_notices.h"
#include "core/game_loop.h"
#include "core/log_files.h"
#include "core/main_window.h"
#include "core/message_boxes.h"
#include "core/message_pump.h"
#include "core/missing_display.h"
#include "core/program_state.h"
#include "core/report_log.h"
#include "core/system_report.h"
#include "platform/diagnostics.h"
#include "platform/message_queue.h"
#include "platform/process/instance_lock.h"
#include "platform/process/other_process.h"
#include "platform/process/termination_signal.h"
#include "platform/process/window_registry.h"
#include "platform/stop_judge.h"

namespace {

constexpr const char* kInstanceName = "ゲーム";
constexpr const char* kInstanceCaption = "二重起動";
// The other instance is asked to close in order first, and its placement is saved on the
// way. Its threads stop within milliseconds on an idle machine and within seconds on a loaded
// one; a hung one ends that process after the stop's silence time. Only a close that outlasts
// both is ended by force.
constexpr std::uint32_t kOrderlyEndMs = 2 * platform::kStopPatience.silenceMs;
constexpr std::uint32_t kForcedEndMs = 500;

std::string CommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

// False when this instance is to end: the user chose to keep the other one, or it could not
// be ended. The lock's share is kept in every other case.
bool KeepSingleInstance(platform::InstanceLock& instance) {
  const platform::InstanceLock::Result result = instance.Open(kInstanceName);
  if (result == platform::InstanceLock::Result::Failed) {
    Log("single-instance lock unavailable: the program runs unguarded");
    return true;
  }
  if (result == platform::InstanceLock::Result::First) return true;
  const BoxAnswer answer = AppMessageBox(
      "既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\nRunning this program now. Restart?",
      kInstanceCaption, BoxButtons::YesNo);
  if (answer != BoxAnswer::Yes) {
    instance.Close();
    return false;
  }
  // Still starting, or already closing: there is nothing to end.
  const std::optional<platform::RegisteredWindow> other = platform::FindRegisteredWindow(kMainWindowClass);
  if (!other) return true;
  if (platform::EndOtherProcess(other->process, kOrderlyEndMs, kForcedEndMs) ==
      platform::EndProcessResult::CannotOpen) {
    AppMessageBox("プログラムの終了に失敗しました。", kInstanceCaption, BoxButtons::Ok);
    instance.Close();
    return false;
  }
  return true;
}

// After a failed start-up: what was set up is released and the tool told.
int EndFailedStart(const ProgramSequences& sequences) {
  sequences.shutDown();
  if (FromEditor.load() != 0) NotifyEditorEnd(0);
  MainWindow.Window().Destroy();
  return 0;
}

}  // namespace

int ProgramEntry(int argc, char** argv, int showCommand, const ProgramSequences& sequences) {
  // From the first moment a termination request waits for the message loop, which closes the
  // window in order, instead of ending the process on the spot.
  platform::InstallTerminationHandler();
  StartLogFiles();
  platform::SetDiagnosticSink([](std::string_view text) { LogText(text); });
  Log("App : ver %s", "750");
  LogSystemInfo();
  FromEditor = showCommand == platform::SW_SHOW ? 1 : 0;

  platform::MessageQueue& queue = platform::MainQueue();
  queue.BindToCurrentThread();
  queue.SetHandler(MainWndProc);
  SetCloseRequestSink(PostMainWindowClose);

  // Before the other instance is asked about: a start where nothing can be shown must not
  // end the instance that runs on the desktop.
  if (platform::Window::OpenDisplay() == platform::WindowFailure::NoDisplay) return StopForMissingDisplay();
  platform::InstanceLock instance;
  if (!KeepSingleInstance(instance)) return 0;

  if (!MainWindow.Create()) {
    if (MainWindow.Window().CreateFailure() == platform::WindowFailure::NoDisplay) return StopForMissingDisplay();
    ErrorBox("ウインドウが生成出来ません！");
    return 0;
  }
  ErrLog("G");
  MainWindow.Window().CenterOnDesktop();
  if (FromEditor.load() != 0) NotifyEditorStart();

  ErrLog("H");
  if (!sequences.startUp(CommandLine(argc, argv), showCommand)) return EndFailedStart(sequences);
  ErrLog("I");
  RunningFlag = 1;
  if (!StartGameThread()) {
    RunningFlag = 0;
    LogError("ゲームスレッドを開始出来ません！");
    return EndFailedStart(sequences);
  }
  ErrLog("J");

  const int exitCode = RunMessagePump();
  sequences.shutDown();
  ErrLog("UnInitGame後");
  instance.Close();
  ErrLog("ReleaseMutex後");
  return exitCode;
}
