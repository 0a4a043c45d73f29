#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/message_queue.h"
#include "platform/process/window_registry.h"

namespace platform {

// Show commands, with the numbers the game was written against.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;

// The show command the program was started with: KESTREL_SHOW_COMMAND (a number; the
// authoring tool's test play starts the program with 5), else SW_SHOWNORMAL.
int ShowCommandFromEnvironment();

// Client sizes of the window, fixed before it is made.
struct WindowLayout {
  int clientWidth = 640;
  int clientHeight = 480;
  int minClientWidth = 100;
  int minClientHeight = 100;
};

// Where the window stands: the corner of its outer rectangle and the size of its client area.
struct WindowPlacement {
  int x = 0;
  int y = 0;
  int clientWidth = 0;
  int clientHeight = 0;
  bool maximized = false;
  bool minimized = false;
};

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Why a window could not be made. NoDisplay: nothing answered that can show one (the program
// was started away from a desktop); the caller says so rather than a plain failure.
enum class WindowFailure { None, NoDisplay, Other };

class WindowBackendImpl;

// The program's one top-level window, made and used on the main thread. What happens to it
// (activation, close button, keys, moves, exposure) arrives as window messages on the queue
// given at creation, each time PumpEvents runs. The window is registered under its class
// name and title, so that another program can find it. Without a display (the null backend)
// the window keeps its placement in memory and is always active once shown.
class Window {
 public:
  // Whether a window can be shown at all, asked before anything else depends on it (the
  // null backend always can).
  static WindowFailure OpenDisplay();

  Window();
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // The window is made hidden at (x, y) (its outer corner). Titles are CP932.
  bool Create(std::string_view className, std::string_view title, const WindowLayout& layout, int x, int y,
              MessageQueue& queue);
  // Why the last Create failed; None once one succeeded.
  WindowFailure CreateFailure() const { return failure_; }
  void Destroy();
  bool Exists() const;
  // The handle other programs know the window by; 0 when there is none.
  std::uint32_t Handle() const;

  void SetTitle(std::string_view title);
  void Show(int showCommand);
  void Move(int x, int y);
  void SetClientSize(int width, int height);
  void AddSizingBorder();
  WindowPlacement Placement() const;
  ScreenRect ClientRectOnScreen() const;
  // The whole desktop, on which the window is centred.
  ScreenRect DesktopArea() const;
  // The area a full-screen window's client area would take: the bound of a stored position.
  ScreenRect FullScreenClientArea() const;
  void CenterOnDesktop();

  void PumpEvents();
  // Sleeps until an event arrives or limitMs have passed.
  void WaitEvents(std::uint32_t limitMs);
  // Shows a black frame: the picture until the drawing library presents its own.
  void ShowClearedFrame();
  // Shows the newest frame the drawing devices have finished, if one is waiting; once per pass
  // of the main thread's message loop. Nothing without a display.
  void PresentFrames();

 private:
  std::unique_ptr<WindowBackendImpl> backend_;
  WindowRegistration registration_;
  std::uint32_t handle_ = 0;
  WindowFailure failure_ = WindowFailure::None;
};

}  // namespace platform
