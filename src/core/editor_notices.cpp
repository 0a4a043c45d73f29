#include "core/editor_notices.h"

#include "core/main_window.h"
#include "platform/process/copy_data.h"

namespace {

// A tool that is not running simply gets nothing.
void Notify(std::uint32_t kind, int value) {
  const platform::CopyDataNotice notice{MainWindow.Handle(), kind, value};
  platform::SendCopyData(kEditorWindowClass, kEditorWindowTitle, notice, kEditorNoticeLimitMs);
}

}  // namespace

void NotifyEditorStart() { Notify(1, 1); }

void NotifyEditorEnd(int value) { Notify(0, value); }
