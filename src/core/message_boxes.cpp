#include "core/message_boxes.h"

#include <mutex>
#include <string>

#include "core/close_request.h"
#include "core/report_log.h"
#include "core/sjis.h"

namespace {

std::mutex g_presenterMutex;
FullScreenBoxPresenter g_presenter;

std::string CutBoxText(std::string text) {
  text.resize(SjisCutLength(text, kLogLineLimit));
  return text;
}

}  // namespace

void SetFullScreenBoxPresenter(FullScreenBoxPresenter presenter) {
  std::lock_guard lock(g_presenterMutex);
  g_presenter = std::move(presenter);
}

BoxAnswer AppMessageBox(std::string_view text, std::string_view caption, BoxButtons buttons, BoxIcon icon) {
  FullScreenBoxPresenter presenter;
  {
    std::lock_guard lock(g_presenterMutex);
    presenter = g_presenter;
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
