#include <SDL.h>

#include <string>

#include "platform/diagnostics.h"
#include "platform/input/dialog_events.h"
#include "platform/input/key_flags.h"
#include "platform/input/scancode_table.h"
#include "platform/input/sdl_pads.h"
#include "platform/input/virtual_keys.h"
#include "platform/text_codec.h"
#include "platform/video/frame_mailbox.h"
#include "platform/video/frame_overlay.h"
#include "platform/video/pixel_buffer.h"
#include "platform/video/sdl_presenter.h"
#include "platform/window/sdl_window_access.h"
#include "platform/window/video_driver_choice.h"
#include "platform/window/window_backend.h"

namespace platform {
namespace {

class SdlWindow;
SdlWindow* g_current = nullptr;

// SDL's texts are UTF-8 and may hold host paths; the report log is CP932.
void ReportSdlError(const char* what) {
  ReportDiagnostic(std::string(what) + Utf8ToCp932Lossy(SDL_GetError()));
}

// No video driver at all, or only one that shows nothing and was not asked for: either way
// there is no display to show the window on.
WindowFailure StartVideo() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    ReportSdlError("SDL video: ");
    return WindowFailure::NoDisplay;
  }
  const char* chosen = SDL_GetCurrentVideoDriver();
  const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  const std::string driver = chosen != nullptr ? chosen : "";
  if (VideoDriverAcceptable(driver, requested != nullptr ? requested : "")) return WindowFailure::None;
  ReportDiagnostic("SDL video: no display answered, and the fallback driver " + driver +
                   " shows nothing; it is taken only when SDL_VIDEODRIVER names it");
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return WindowFailure::NoDisplay;
}

}  // namespace

WindowFailure OpenSdlDisplay() { return StartVideo(); }

namespace {

class SdlWindow final : public WindowBackendImpl {
 public:
  ~SdlWindow() override { Destroy(); }

  bool Create(const std::string& title, const WindowLayout& layout, int x, int y, MessageQueue& queue) override {
    // Termination requests are the program's own (they close the window in order).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The whole composition of a long Japanese entry, not only its first bytes.
    SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
    failure_ = StartVideo();
    if (failure_ != WindowFailure::None) return false;
    window_ = SDL_CreateWindow(title.c_str(), x, y, layout.clientWidth, layout.clientHeight, SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) {
      ReportSdlError("SDL window: ");
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      failure_ = WindowFailure::Other;
      return false;
    }
    SDL_SetWindowMinimumSize(window_, layout.minClientWidth, layout.minClientHeight);
    pads_.Open();  // without joystick support the keyboard still plays
    // Text entry belongs to the dialogs' edit fields; without one, keys are only keys.
    SDL_StopTextInput();
    queue_ = &queue;
    g_current = this;
    return true;
  }

  void Destroy() override {
    if (window_ == nullptr) return;
    presenter_.reset();  // its renderer goes before the window
    presenterFailed_ = false;
    pads_.Close();
    ReleaseAllKeys();
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    queue_ = nullptr;
    if (g_current == this) g_current = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  WindowFailure Failure() const override { return failure_; }
  bool Exists() const override { return window_ != nullptr; }
  void SetTitle(const std::string& title) override { SDL_SetWindowTitle(window_, title.c_str()); }

  void Show(int showCommand) override {
    if (showCommand == SW_HIDE) return;
    SDL_ShowWindow(window_);
    if (showCommand == SW_MAXIMIZE) SDL_MaximizeWindow(window_);
    if (showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINNOACTIVE) {
      SDL_MinimizeWindow(window_);
      return;
    }
    SDL_RaiseWindow(window_);
    // A window that is shown becomes the active one; later focus changes move it.
    SetActive(true);
  }

  void Move(int x, int y) override {
    int top = 0, left = 0;
    Borders(top, left);
    SDL_SetWindowPosition(window_, x + left, y + top);
  }
  void SetClientSize(int width, int height) override { SDL_SetWindowSize(window_, width, height); }
  void AddSizingBorder() override { SDL_SetWindowResizable(window_, SDL_TRUE); }

  WindowPlacement Placement() const override {
    WindowPlacement placement;
    int top = 0, left = 0;
    Borders(top, left);
    SDL_GetWindowPosition(window_, &placement.x, &placement.y);
    placement.x -= left;
    placement.y -= top;
    SDL_GetWindowSize(window_, &placement.clientWidth, &placement.clientHeight);
    const Uint32 flags = SDL_GetWindowFlags(window_);
    placement.maximized = (flags & SDL_WINDOW_MAXIMIZED) != 0;
    placement.minimized = (flags & SDL_WINDOW_MINIMIZED) != 0;
    return placement;
  }

  ScreenRect ClientRectOnScreen() const override {
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowSize(window_, &width, &height);
    return ScreenRect{x, y, x + width, y + height};
  }

  ScreenRect DesktopArea() const override { return Display(SDL_GetDisplayBounds); }
  ScreenRect FullScreenClientArea() const override { return Display(SDL_GetDisplayUsableBounds); }

  void PumpEvents() override {
    SDL_Event event;
    while (SDL_PollEvent(&event)) Translate(event);
    pads_.Publish();
  }

  void WaitEvents(std::uint32_t limitMs) override { SDL_WaitEventTimeout(nullptr, static_cast<int>(limitMs)); }

  // A black frame goes the way of every frame: through the mailbox to the presenter.
  void ShowClearedFrame() override {
    PixelBuffer black;
    if (!black.Allocate(640, 480, PixelFormat::Xrgb8888)) return;
    PresentedFrames().Post(black, nullptr);
    PresentFrames();
  }

  void PresentFrames() override {
    if (window_ == nullptr) return;
    if (presenter_ == nullptr) {
      if (presenterFailed_) return;
      std::string error;
      presenter_ = SdlWindowPresenter::ForWindow(window_, &error);
      if (presenter_ == nullptr) {
        presenterFailed_ = true;  // said once; the window then stays as it is
        ReportDiagnostic("SDL renderer: " + Utf8ToCp932Lossy(error));
        return;
      }
    }
    const bool shown = PresentNewestFrame(*presenter_);
    const std::uint64_t overlay = FrameOverlayVersion();
    // A window that changed size or was uncovered shows nothing until drawn again: with no
    // new frame coming (a box during start-up) the last picture is drawn once more.
    if (!shown && (overlay != overlayShown_ || stale_)) presenter_->Redraw();
    overlayShown_ = overlay;
    stale_ = false;
    std::string shot;
    if (TakeWindowShotRequest(LastPresentedSerial(), shot) && !presenter_->SaveScreenshot(shot)) {
      ReportDiagnostic("screenshot: cannot write " + Utf8ToCp932Lossy(shot));
    }
  }

  SDL_Window* Native() const { return window_; }

 private:
  void Borders(int& top, int& left) const {
    if (SDL_GetWindowBordersSize(window_, &top, &left, nullptr, nullptr) != 0) top = left = 0;
  }

  template <typename Query>
  ScreenRect Display(Query query) const {
    SDL_Rect area{0, 0, 0, 0};
    const int index = SDL_GetWindowDisplayIndex(window_);
    if (query(index < 0 ? 0 : index, &area) != 0) return ScreenRect{};
    return ScreenRect{area.x, area.y, area.x + area.w, area.y + area.h};
  }

  void Post(std::uint32_t message, std::uintptr_t wParam = 0) {
    if (queue_ != nullptr) queue_->Post(Message{message, wParam, 0});
  }

  void SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    Post(WM_ACTIVATEAPP, active ? 1 : 0);
  }

  void Translate(const SDL_Event& event) {
    pads_.OnEvent(event);
    if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
      const int key = VirtualKeyFromScancode(event.key.keysym.scancode);
      if (key == 0) return;
      const bool down = event.type == SDL_KEYDOWN;
      SetKeyDown(key, down);
      if (DialogCaptureActive()) {
        DialogEvent dialogEvent{down ? DialogEvent::Kind::KeyDown : DialogEvent::Kind::KeyUp};
        dialogEvent.virtualKey = key;
        dialogEvent.repeat = event.key.repeat != 0;
        dialogEvent.control = (event.key.keysym.mod & KMOD_CTRL) != 0;
        dialogEvent.shift = (event.key.keysym.mod & KMOD_SHIFT) != 0;
        PushDialogEvent(std::move(dialogEvent));
      } else if (down) {
        Post(WM_KEYDOWN, static_cast<std::uintptr_t>(key));
      }
      return;
    }
    if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      const int button = event.button.button == SDL_BUTTON_LEFT ? vk::kLeftButton
                         : event.button.button == SDL_BUTTON_RIGHT ? vk::kRightButton
                                                                   : 0;
      if (button == 0) return;
      SetKeyDown(button, down);
      if (DialogCaptureActive()) {
        DialogEvent dialogEvent{down ? DialogEvent::Kind::MouseDown : DialogEvent::Kind::MouseUp};
        dialogEvent.virtualKey = button;
        dialogEvent.x = event.button.x;
        dialogEvent.y = event.button.y;
        const SDL_Keymod mod = SDL_GetModState();
        dialogEvent.control = (mod & KMOD_CTRL) != 0;
        dialogEvent.shift = (mod & KMOD_SHIFT) != 0;
        PushDialogEvent(std::move(dialogEvent));
      }
      return;
    }
    if (DialogCaptureActive() && TranslateForDialog(event)) return;
    if (event.type == SDL_TEXTEDITING_EXT) SDL_free(event.editExt.text);  // nobody reads it
    if (event.type != SDL_WINDOWEVENT || event.window.windowID != SDL_GetWindowID(window_)) return;
    switch (event.window.event) {
      case SDL_WINDOWEVENT_CLOSE:
        if (DialogCaptureActive()) PushDialogEvent(DialogEvent{DialogEvent::Kind::Close});
        Post(WM_CLOSE);
        break;
      case SDL_WINDOWEVENT_FOCUS_GAINED: SetActive(true); break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
        // Keys released elsewhere never reach us: none may stay held.
        ReleaseAllKeys();
        SetActive(false);
        break;
      case SDL_WINDOWEVENT_MOVED: Post(WM_MOVE); break;
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        stale_ = true;
        Post(WM_SIZE);
        break;
      case SDL_WINDOWEVENT_EXPOSED:
        stale_ = true;
        Post(WM_PAINT);
        break;
      default: break;
    }
  }

  // The pointer and the typed text while a dialog is open; true when the event was one.
  static bool TranslateForDialog(const SDL_Event& event) {
    DialogEvent dialogEvent{DialogEvent::Kind::MouseMove};
    switch (event.type) {
      case SDL_MOUSEMOTION:
        dialogEvent.x = event.motion.x;
        dialogEvent.y = event.motion.y;
        break;
      case SDL_TEXTINPUT:
        dialogEvent.kind = DialogEvent::Kind::Text;
        dialogEvent.text = event.text.text;
        break;
      case SDL_TEXTEDITING:
        dialogEvent.kind = DialogEvent::Kind::Composition;
        dialogEvent.text = event.edit.text;
        break;
      case SDL_TEXTEDITING_EXT:
        dialogEvent.kind = DialogEvent::Kind::Composition;
        if (event.editExt.text != nullptr) {
          dialogEvent.text = event.editExt.text;
          SDL_free(event.editExt.text);
        }
        break;
      default: return false;
    }
    PushDialogEvent(std::move(dialogEvent));
    return true;
  }

  SDL_Window* window_ = nullptr;
  SdlPads pads_;
  std::unique_ptr<SdlWindowPresenter> presenter_;
  bool presenterFailed_ = false;
  std::uint64_t overlayShown_ = 0;
  bool stale_ = false;  // the window needs drawing again though nothing new came
  MessageQueue* queue_ = nullptr;
  bool active_ = false;
  WindowFailure failure_ = WindowFailure::None;
};

}  // namespace

std::unique_ptr<WindowBackendImpl> MakeSdlWindowBackend() { return std::make_unique<SdlWindow>(); }

void StartTextEntry(int x, int y, int width, int height) {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;  // headless: the script types
  SDL_Rect caret{x, y, width, height};
  SDL_SetTextInputRect(&caret);
  SDL_StartTextInput();
}

void StopTextEntry() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_StopTextInput();
}

SDL_Window* MainSdlWindow() { return g_current != nullptr ? g_current->Native() : nullptr; }

}  // namespace platform
