#pragma once

#include <cstdint>
#include <string>

#include "input/dialogs/gdi_holder.h"

// The cursor and buttons as a window sees them. The previous down states and the press
// latches are shared by every window, as the mouse is.
struct MouseState {
  int x = 0;
  int y = 0;
  int leftDown = 0;
  int rightDown = 0;
  int leftPressed = 0;
  int rightPressed = 0;
  int leftReleased = 0;
  int rightReleased = 0;
  // Flags: 1 read the buttons, 2 the presses, 4 the releases.
  void Update(int flags);
};
// Forgets the shared latches (tests).
void ResetMouseLatches();

// Frame sizes of the toolkit's own windows, in frame pixels.
inline constexpr int kCaptionHeight = 18;
inline constexpr int kDialogFrame = 3;
inline constexpr int kSizingFrame = 4;
inline constexpr int kScrollBarSize = 16;
inline constexpr int kMenuHeight = 19;
inline constexpr int kFrameWidth = 640;
inline constexpr int kFrameHeight = 480;

// Window styles the geometry reads.
inline constexpr std::uint32_t kStyleCaption = 0xC00000;
inline constexpr std::uint32_t kStyleThickFrame = 0x40000;
inline constexpr std::uint32_t kStyleDialogFrame = 0x400000;
inline constexpr std::uint32_t kStyleHScroll = 0x100000;
inline constexpr std::uint32_t kStyleVScroll = 0x200000;

// A window of the toolkit, drawn in the game's frame: its geometry, placement, mouse state
// and the base of its message handling. Coordinates are frame pixels (640 × 480).
class cWnd {
 public:
  virtual ~cWnd() = default;

  virtual void OnCommand(std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/) {}
  virtual void OnMouseMove(std::uintptr_t, std::intptr_t) {}
  virtual void OnLButtonDown(std::uintptr_t, std::intptr_t) {}
  virtual void OnRButtonDown(std::uintptr_t, std::intptr_t) {}
  virtual void OnLButtonDblClk(std::uintptr_t, std::intptr_t) {}
  virtual void OnRButtonDblClk(std::uintptr_t, std::intptr_t) {}
  virtual void OnLButtonUp(std::uintptr_t, std::intptr_t) {}
  virtual void OnRButtonUp(std::uintptr_t, std::intptr_t) {}
  virtual std::intptr_t WindowProc(std::uint32_t /*msg*/, std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/) {
    return 0;
  }
  // 1 when the message was one of the handled ones.
  virtual int DefHandler(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
  virtual void Refresh() {}
  virtual void OnPaint() {}

  void SetLayout(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth, int maxHeight,
                 std::uint32_t style, int menu, int toolbars, int statusMode, int option, int scroll);
  void Metrics();
  void Move(int x, int y);
  void GetPos(int& x, int& y) const {
    x = posX_;
    y = posY_;
  }
  // To the stored origin, the owner or the reference window, kept inside the frame.
  void Place();
  void SetOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
  }
  void SetOwner(cWnd* owner, bool centre) {
    owner_ = owner;
    centre_ = centre;
  }
  // Mouse position in the usable client area; false outside it unless `anywhere`.
  bool GetCursorClient(bool anywhere, int flags);
  // Where the frame's pointer is (frame pixels), as the window's events report it.
  static void SetFramePointer(int x, int y);

  int WindowWidth() const { return windowWidth_; }
  int WindowHeight() const { return windowHeight_; }
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  int UsableWidth() const { return usableWidth_; }
  int UsableHeight() const { return usableHeight_; }
  int FrameLeft() const { return frameLeft_; }
  int FrameTop() const { return frameTop_; }
  int FrameRight() const { return frameRight_; }
  int FrameBottom() const { return frameBottom_; }
  int MinTrackWidth() const { return minWidth_; }
  int MaxTrackWidth() const { return maxWidth_; }
  const MouseState& Mouse() const { return mouse_; }

  bool busy = false;            // a WM_COMMAND is being handled
  bool logMessages = false;     // one log line per message
  std::string windowName;       // the message log's name of the window
  bool exists = false;          // between creation and WM_DESTROY
  bool visible = true;          // shown (the registry hides windows under a modal dialog)
  cGdiHolder drawing[2];        // released with the window object

  void AddStyle(std::uint32_t bits) { style_ |= bits; }
  void RemoveStyle(std::uint32_t bits) { style_ &= ~bits; }
  std::uint32_t Style() const { return style_; }

 protected:
  std::uint32_t style_ = 0;
  int menu_ = 0, toolbars_ = 0, statusMode_ = 0, scroll_ = 0;
  int originClientX_ = 0, originClientY_ = 0;
  int clientWidth_ = 0, clientHeight_ = 0;
  int usableWidth_ = 0, usableHeight_ = 0;
  int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
  int windowWidth_ = 0, windowHeight_ = 0;
  int frameLeft_ = 0, frameRight_ = 0, frameTop_ = 0, frameBottom_ = 0;
  int posX_ = 0, posY_ = 0;
  int originX_ = -1000, originY_ = -1000;
  cWnd* owner_ = nullptr;
  bool centre_ = false;
  MouseState mouse_;
};
