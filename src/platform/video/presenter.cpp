#include "platform/video/presenter.h"

#include "platform/video/frame_mailbox.h"

namespace platform {

namespace {

thread_local Frame g_newest;

}  // namespace

bool PresentNewestFrame(Presenter& presenter) {
  if (!PresentedFrames().TakeNewest(g_newest)) return false;
  return presenter.Present(g_newest);
}

std::uint64_t LastPresentedSerial() { return g_newest.serial; }

bool CapturePresenter::Present(const Frame& frame) {
  last_ = frame;
  ++count_;
  return true;
}

}  // namespace platform
