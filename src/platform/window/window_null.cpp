#include <cstdlib>
#include <string>

#include "platform/diagnostics.h"
#include "platform/text_codec.h"
#include "platform/video/frame_overlay.h"
#include "platform/video/png_writer.h"
#include "platform/video/presenter.h"
#include "platform/window/window_backend.h"

namespace platform {
namespace {

// No display: the window is a placement in memory. Once shown it is the active window and
// stays so, since nothing else can take the activation from it.
class NullWindow final : public WindowBackendImpl {
 public:
  bool Create(const std::string& /*title*/, const WindowLayout& layout, int x, int y, MessageQueue& queue) override {
    queue_ = &queue;
    placement_ = WindowPlacement{x, y, layout.clientWidth, layout.clientHeight, false, false};
    exists_ = true;
    const char* firstFrame = std::getenv("KESTREL_FIRST_FRAME");
    firstFramePath_ = firstFrame != nullptr ? firstFrame : "";
    return true;
  }
  void Destroy() override {
    exists_ = false;
    queue_ = nullptr;
  }
  bool Exists() const override { return exists_; }
  void SetTitle(const std::string& /*title*/) override {}

  void Show(int showCommand) override {
    placement_.maximized = showCommand == SW_MAXIMIZE;
    placement_.minimized = showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE ||
                           showCommand == SW_SHOWMINNOACTIVE;
    if (showCommand != SW_HIDE && !active_ && queue_ != nullptr) {
      active_ = true;
      queue_->Post(Message{WM_ACTIVATEAPP, 1, 0});
    }
  }
  void Move(int x, int y) override {
    placement_.x = x;
    placement_.y = y;
    Post(WM_MOVE);
  }
  void SetClientSize(int width, int height) override {
    placement_.clientWidth = width;
    placement_.clientHeight = height;
    Post(WM_SIZE);
  }
  void AddSizingBorder() override {}
  WindowPlacement Placement() const override { return placement_; }
  ScreenRect ClientRectOnScreen() const override {
    return ScreenRect{placement_.x, placement_.y, placement_.x + placement_.clientWidth,
                      placement_.y + placement_.clientHeight};
  }
  ScreenRect DesktopArea() const override { return kDesktop; }
  ScreenRect FullScreenClientArea() const override { return kDesktop; }
  void PumpEvents() override {}
  void WaitEvents(std::uint32_t /*limitMs*/) override {}
  void ShowClearedFrame() override {}
  // Nothing is shown; with KESTREL_FIRST_FRAME the first frame presented is written to that
  // PNG file, which tells a headless run got as far as drawing and shows what it drew.
  // The newest frame is kept, so that a screenshot shows what a display would.
  void PresentFrames() override {
    if (PresentNewestFrame(capture_) && !firstFramePath_.empty()) {
      if (!WritePng(firstFramePath_, capture_.LastFrame())) {
        ReportDiagnostic("KESTREL_FIRST_FRAME: cannot write " + Utf8ToCp932Lossy(firstFramePath_));
      }
      firstFramePath_.clear();
    }
    std::string shot;
    if (TakeWindowShotRequest(LastPresentedSerial(), shot) && !WritePng(shot, ComposedFrame())) {
      ReportDiagnostic("screenshot: cannot write " + Utf8ToCp932Lossy(shot));
    }
  }

  // The newest frame (black before the first) with the dialogs' overlay over it.
  Frame ComposedFrame() const {
    Frame frame = capture_.LastFrame();
    if (frame.width == 0) {
      frame.width = kOverlayWidth;
      frame.height = kOverlayHeight;
      frame.pixels.assign(static_cast<std::size_t>(kOverlayWidth) * kOverlayHeight, 0xFF000000u);
    }
    std::vector<std::uint32_t> overlay;
    if (CopyFrameOverlay(overlay)) ComposeOverlay(frame, overlay);
    return frame;
  }

 private:
  // A desktop of a common size, so that placements behave as on a real screen.
  static constexpr ScreenRect kDesktop{0, 0, 1920, 1080};

  void Post(std::uint32_t message) {
    if (queue_ != nullptr) queue_->Post(Message{message, 0, 0});
  }

  MessageQueue* queue_ = nullptr;
  WindowPlacement placement_;
  bool exists_ = false;
  bool active_ = false;
  std::string firstFramePath_;
  CapturePresenter capture_;  // a host path; empty once written, or when not asked for
};

}  // namespace

std::unique_ptr<WindowBackendImpl> MakeNullWindowBackend() { return std::make_unique<NullWindow>(); }

}  // namespace platform
