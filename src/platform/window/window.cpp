#include "platform/window/window.h"

#include <cstdlib>
#include <string>

#include "platform/backend_choice.h"
#include "platform/process/process_identity.h"
#include "platform/text_codec.h"
#include "platform/window/window_backend.h"

namespace platform {

int ShowCommandFromEnvironment() {
  const char* text = std::getenv("KESTREL_SHOW_COMMAND");
  if (text == nullptr || text[0] == '\0') return SW_SHOWNORMAL;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < 0 || value > 11) return SW_SHOWNORMAL;
  return static_cast<int>(value);
}

WindowFailure Window::OpenDisplay() {
  return WindowBackend() == Backend::Null ? WindowFailure::None : OpenSdlDisplay();
}

Window::Window() = default;
Window::~Window() { Destroy(); }

bool Window::Create(std::string_view className, std::string_view title, const WindowLayout& layout, int x, int y,
                    MessageQueue& queue) {
  Destroy();
  backend_ = WindowBackend() == Backend::Null ? MakeNullWindowBackend() : MakeSdlWindowBackend();
  if (!backend_->Create(Cp932ToUtf8Lossy(title), layout, x, y, queue)) {
    failure_ = backend_->Failure();
    backend_.reset();
    return false;
  }
  failure_ = WindowFailure::None;
  // Other programs find the window through the registry; a window that cannot be registered
  // still works, it just cannot be found.
  registration_.Register(className, title);
  handle_ = static_cast<std::uint32_t>(CurrentProcess().pid);
  return true;
}

void Window::Destroy() {
  registration_.Unregister();
  handle_ = 0;
  if (backend_) backend_->Destroy();
  backend_.reset();
}

bool Window::Exists() const { return backend_ && backend_->Exists(); }
std::uint32_t Window::Handle() const { return handle_; }

void Window::SetTitle(std::string_view title) {
  if (!backend_) return;
  backend_->SetTitle(Cp932ToUtf8Lossy(title));
  registration_.SetTitle(title);
}

void Window::Show(int showCommand) {
  if (backend_) backend_->Show(showCommand);
}

void Window::Move(int x, int y) {
  if (backend_) backend_->Move(x, y);
}

void Window::SetClientSize(int width, int height) {
  if (backend_) backend_->SetClientSize(width, height);
}

void Window::AddSizingBorder() {
  if (backend_) backend_->AddSizingBorder();
}

WindowPlacement Window::Placement() const { return backend_ ? backend_->Placement() : WindowPlacement{}; }
ScreenRect Window::ClientRectOnScreen() const { return backend_ ? backend_->ClientRectOnScreen() : ScreenRect{}; }
ScreenRect Window::DesktopArea() const { return backend_ ? backend_->DesktopArea() : ScreenRect{}; }
ScreenRect Window::FullScreenClientArea() const {
  return backend_ ? backend_->FullScreenClientArea() : ScreenRect{};
}

void Window::CenterOnDesktop() {
  if (!backend_) return;
  const WindowPlacement placement = backend_->Placement();
  const ScreenRect client = backend_->ClientRectOnScreen();
  const ScreenRect desktop = backend_->DesktopArea();
  // The outer rectangle is the client area plus the frame around it.
  const int outerWidth = (client.right - client.left) + (client.left - placement.x) * 2;
  const int outerHeight = (client.bottom - client.top) + (client.left - placement.x) + (client.top - placement.y);
  backend_->Move(desktop.left + (desktop.right - desktop.left - outerWidth) / 2,
                 desktop.top + (desktop.bottom - desktop.top - outerHeight) / 2);
}

void Window::PumpEvents() {
  if (backend_) backend_->PumpEvents();
}

void Window::WaitEvents(std::uint32_t limitMs) {
  if (backend_) backend_->WaitEvents(limitMs);
}

void Window::ShowClearedFrame() {
  if (backend_) backend_->ShowClearedFrame();
}

void Window::PresentFrames() {
  if (backend_) backend_->PresentFrames();
}

}  // namespace platform
