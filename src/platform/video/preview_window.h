#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/video/presenter.h"

namespace platform {

// A window of its own that shows frames through SdlWindowPresenter: for tools and previews
// (the program's main window is made by the window code, which hands it to the presenter).
// Main thread only.
class PreviewWindow : public Presenter {
 public:
  // Null, with the reason in `error` (UTF-8), when no window can be opened.
  static std::unique_ptr<PreviewWindow> Open(std::string_view utf8Title, std::string* error);
  ~PreviewWindow() override;

  bool Present(const Frame& frame) override;
  bool SaveScreenshot(const std::string& hostPath);
  // Serves the window's pending events; false once the user asked to close it.
  bool PumpEvents();

 private:
  struct Impl;
  explicit PreviewWindow(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
