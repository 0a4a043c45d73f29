#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/message_queue.h"
#include "platform/window/window.h"

namespace platform {

// One kind of window underneath Window. Titles here are UTF-8.
class WindowBackendImpl {
 public:
  virtual ~WindowBackendImpl() = default;
  virtual bool Create(const std::string& title, const WindowLayout& layout, int x, int y, MessageQueue& queue) = 0;
  // Why Create failed.
  virtual WindowFailure Failure() const { return WindowFailure::Other; }
  virtual void Destroy() = 0;
  virtual bool Exists() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void Show(int showCommand) = 0;
  virtual void Move(int x, int y) = 0;
  virtual void SetClientSize(int width, int height) = 0;
  virtual void AddSizingBorder() = 0;
  virtual WindowPlacement Placement() const = 0;
  virtual ScreenRect ClientRectOnScreen() const = 0;
  virtual ScreenRect DesktopArea() const = 0;
  virtual ScreenRect FullScreenClientArea() const = 0;
  virtual void PumpEvents() = 0;
  virtual void WaitEvents(std::uint32_t limitMs) = 0;
  virtual void ShowClearedFrame() = 0;
  virtual void PresentFrames() = 0;
};

std::unique_ptr<WindowBackendImpl> MakeSdlWindowBackend();
// Brings up SDL's video for the windows to come; NoDisplay when nothing can show one.
WindowFailure OpenSdlDisplay();
std::unique_ptr<WindowBackendImpl> MakeNullWindowBackend();

}  // namespace platform
