#include "core/message_boxes.h"

#include <cstdio>
#include <mutex>
#include <string>

#include "core/close_request.h"
#include "core/report_log.h"
#include "core/sjis.h"
#include "platform/text_codec.h"

namespace {

std::mutex g_presenterMutex;
FullScreenBoxPresenter g_presenter;
FullScreenBoxPresenter g_windowPresenter;

// A terminal user reads every box there too, in the terminal's own encoding.
void EchoToStderr(std::string_view text, std::string_view caption) {
  const std::string line = "[" + platform::Cp932ToUtf8Lossy(caption) + "] " + platform::Cp932ToUtf8Lossy(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

std::string CutBoxText(std::string text) {
  text.resize(SjisCutLength(text, kLogLineLimit));
  return text;
}

}  // namespace

void SetFullScreenBoxPresenter(FullScreenBoxPresenter presenter) {
  std::lock_guard lock(g_presenterMutex);
  g_presenter = std::move(presenter);
}

void SetWindowBoxPresenter(FullScreenBoxPresenter presenter) {
  std::lock_guard lock(g_presenterMutex);
  g_windowPresenter = std::move(presenter);
}

BoxAnswer AppMessageBox(std::string_view text, std::string_view caption, BoxButtons buttons, BoxIcon icon) {
  FullScreenBoxPresenter presenters[2];
  {
    std::lock_guard lock(g_presenterMutex);
    presenters[0] = g_presenter;
    presenters[1] = g_windowPresenter;
  }
  EchoToStderr(text, caption);
  for (const FullScreenBoxPresenter& presenter : presenters) {
    if (!presenter) continue;
    if (std::optional<BoxAnswer> answer = presenter(text, caption, buttons)) return *answer;
  }
  return platform::ShowMessageBox(text, caption, buttons, icon);
}

BoxAnswer WindowMessageBox(std::string_view text, std::string_view caption, BoxButtons buttons, BoxIcon icon) {
  FullScreenBoxPresenter presenter;
  {
    std::lock_guard lock(g_presenterMutex);
    presenter = g_windowPresenter;
  }
  if (presenter) {
    if (std::optional<BoxAnswer> answer = presenter(text, caption, buttons)) return *answer;
  }
  return platform::ShowMessageBox(text, caption, buttons, icon);
}

BoxAnswer ErrorBox(std::string_view text) {
  return AppMessageBox(text, kErrorCaption, BoxButtons::Ok, BoxIcon::Error);
}

BoxAnswer ErrorBoxF(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = CutBoxText(VFormat(format, args));
  va_end(args);
  return ErrorBox(text);
}

BoxAnswer DebugBoxF(const char* format, ...) {
  if (!ErrLogEnabled()) return BoxAnswer::Ok;
  va_list args;
  va_start(args, format);
  const std::string text = CutBoxText(VFormat(format, args));
  va_end(args);
  return ErrorBox(text);
}

void OutOfMemoryExit() {
  ErrorBox("メモリが不足しています！");
  PostCloseRequest();
}
