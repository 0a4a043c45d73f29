#include "input/dialogs/wnd.h"

#include <atomic>

#include "core/report_log.h"
#include "input/dialogs/wnd_messages.h"
#include "platform/input/key_flags.h"
#include "platform/input/virtual_keys.h"

namespace {

int g_prevLeft = 0, g_prevRight = 0;
int g_leftLatch = 0, g_rightLatch = 0;
std::atomic<int> g_pointerX{0}, g_pointerY{0};

int Word(std::uintptr_t value, int shift) { return static_cast<int>((value >> shift) & 0xFFFF); }

}  // namespace

void ResetMouseLatches() { g_prevLeft = g_prevRight = g_leftLatch = g_rightLatch = 0; }

void MouseState::Update(int flags) {
  const int wasLeft = g_prevLeft;
  const int wasRight = g_prevRight;
  if ((flags & 1) != 0) {
    leftDown = platform::IsKeyDown(platform::vk::kLeftButton) ? 1 : 0;
    rightDown = platform::IsKeyDown(platform::vk::kRightButton) ? 1 : 0;
  }
  if ((flags & 2) != 0) {
    const auto press = [](int down, int& latch) {
      if (down == 0) {
        latch = 0;
        return 0;
      }
      if (latch != 0) return 0;
      latch = 1;
      return 1;
    };
    leftPressed = press(leftDown, g_leftLatch);
    rightPressed = press(rightDown, g_rightLatch);
  }
  if ((flags & 4) != 0) {
    leftReleased = wasLeft == 1 && leftDown == 0 ? 1 : 0;
    rightReleased = wasRight == 1 && rightDown == 0 ? 1 : 0;
  }
  g_prevLeft = leftDown;
  g_prevRight = rightDown;
}

void cWnd::SetFramePointer(int x, int y) {
  g_pointerX = x;
  g_pointerY = y;
}

int cWnd::DefHandler(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  if (msg == wm::WM_COMMAND) {
    if (busy) return 0;  // a command sent from inside a command handler is dropped
    busy = true;
  }
  if (logMessages && msg != wm::WM_GETTEXT) {
    ErrLogf("%s | msg:%s | wp:%u(%u,%u) | lp:%d(%d,%d)", windowName.c_str(), WmName(msg),
            static_cast<unsigned>(wParam), static_cast<unsigned>(Word(wParam, 16)),
            static_cast<unsigned>(Word(wParam, 0)), static_cast<int>(lParam),
            Word(static_cast<std::uintptr_t>(lParam), 16), Word(static_cast<std::uintptr_t>(lParam), 0));
  }
  GetCursorClient(false, 7);
  switch (msg) {
    case wm::WM_DESTROY: exists = false; return 1;
    case wm::WM_MOVE:
    case wm::WM_SIZE:
    case wm::WM_PAINT:
      if (msg == wm::WM_SIZE) Metrics();
      if (msg == wm::WM_PAINT) OnPaint();
      return 1;
    case wm::WM_ACTIVATEAPP:
    case wm::WM_GETMINMAXINFO: return 1;
    case wm::WM_COMMAND:
      OnCommand(wParam, lParam);
      busy = false;
      return 1;
    case wm::WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 1;
    case wm::WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); return 1;
    case wm::WM_LBUTTONUP: OnLButtonUp(wParam, lParam); return 1;
    case wm::WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, lParam); return 1;
    case wm::WM_RBUTTONDOWN: OnRButtonDown(wParam, lParam); return 1;
    case wm::WM_RBUTTONUP: OnRButtonUp(wParam, lParam); return 1;
    case wm::WM_RBUTTONDBLCLK: OnRButtonDblClk(wParam, lParam); return 1;
    default: return 0;
  }
}

void cWnd::SetLayout(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth, int maxHeight,
                     std::uint32_t style, int menu, int toolbars, int statusMode, int /*option*/, int scroll) {
  style_ = style;
  menu_ = menu;
  toolbars_ = toolbars;
  statusMode_ = statusMode;
  scroll_ = scroll;
  originClientX_ = 0;
  originClientY_ = toolbars * 28;
  const int extraWidth = (scroll & 2) != 0 ? kScrollBarSize : 0;
  const int extraHeight =
      ((scroll & 1) != 0 ? kScrollBarSize : 0) + (statusMode == 1 || statusMode == 2 ? 20 : 0) + originClientY_;
  minWidth_ = minWidth + extraWidth;
  minHeight_ = minHeight + extraHeight;
  maxWidth_ = maxWidth + extraWidth;
  maxHeight_ = maxHeight + extraHeight;
  clientWidth_ = clientWidth + extraWidth;
  clientHeight_ = clientHeight + extraHeight;
  Metrics();
}

void cWnd::Metrics() {
  frameLeft_ = frameRight_ = frameTop_ = frameBottom_ = 0;
  if ((style_ & kStyleCaption) == kStyleCaption) frameTop_ += kCaptionHeight;
  const int frame = (style_ & kStyleThickFrame) != 0    ? kSizingFrame
                    : (style_ & kStyleDialogFrame) != 0 ? kDialogFrame
                                                        : 0;
  frameLeft_ += frame;
  frameRight_ += frame;
  frameTop_ += frame;
  frameBottom_ += frame;
  if ((style_ & kStyleHScroll) != 0) frameRight_ += kScrollBarSize;
  if ((style_ & kStyleVScroll) != 0) frameBottom_ += kScrollBarSize;
  if (menu_ != 0) frameTop_ += kMenuHeight;
  windowWidth_ = clientWidth_ + frameLeft_ + frameRight_;
  windowHeight_ = clientHeight_ + frameTop_ + frameBottom_;
  usableWidth_ = clientWidth_ - originClientX_ - ((scroll_ & 2) != 0 ? kScrollBarSize : 0);
  usableHeight_ = clientHeight_ - originClientY_ - ((scroll_ & 1) != 0 ? kScrollBarSize : 0) -
                  (statusMode_ == 1 ? 20 : 0);
}

void cWnd::Move(int x, int y) {
  posX_ = x;
  posY_ = y;
  Metrics();
}

void cWnd::Place() {
  int x = 0, y = 0;
  if (owner_ != nullptr) {
    owner_->GetPos(x, y);
    if (centre_) {
      x += owner_->ClientWidth() / 2 - ClientWidth() / 2;
      y += owner_->ClientHeight() / 2 - ClientHeight() / 2;
    }
  } else if (originX_ != -1000 && originY_ != -1000) {
    x = originX_;
    y = originY_;
  } else {
    return;
  }
  // Dialogs live inside the game's frame.
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  if (x + windowWidth_ >= kFrameWidth) x = kFrameWidth - windowWidth_;
  if (y + windowHeight_ >= kFrameHeight) y = kFrameHeight - windowHeight_;
  Move(x, y);
}

bool cWnd::GetCursorClient(bool anywhere, int flags) {
  const int x = g_pointerX - posX_ - frameLeft_ - originClientX_;
  const int y = g_pointerY - posY_ - frameTop_ - originClientY_;
  if (!anywhere && (x < 0 || y < 0 || x >= usableWidth_ || y >= usableHeight_)) return false;
  mouse_.x = x;
  mouse_.y = y;
  mouse_.Update(flags);
  return true;
}
