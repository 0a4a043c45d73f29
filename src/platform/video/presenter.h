#pragma once

#include <cstdint>

#include "platform/video/frame.h"

namespace platform {

// Shows finished frames. The window code owns one and calls it on the main thread; tests use
// the capture presenter.
class Presenter {
 public:
  virtual ~Presenter() = default;
  virtual bool Present(const Frame& frame) = 0;
};

// Takes the newest frame the devices posted (frame_mailbox.h) to the presenter; what the main
// thread calls once per pass of its message loop. False when no new frame was waiting or the
// presenter failed.
bool PresentNewestFrame(Presenter& presenter);
// The serial of the frame this thread last took for a presenter; 0 before the first.
std::uint64_t LastPresentedSerial();

// Keeps the last frame it was given and counts the frames, for tests and tools that read the
// picture back without a display.
class CapturePresenter : public Presenter {
 public:
  bool Present(const Frame& frame) override;

  const Frame& LastFrame() const { return last_; }
  std::uint64_t FrameCount() const { return count_; }

 private:
  Frame last_;
  std::uint64_t count_ = 0;
};

}  // namespace platform
