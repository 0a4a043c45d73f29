#include "platform/video/presenter.h"

#include "platform/video/frame_mailbox.h"

namespace platform {

bool PresentNewestFrame(Presenter& presenter) {
  thread_local Frame frame;
  if (!PresentedFrames().TakeNewest(frame)) return false;
  return presenter.Present(frame);
}

bool CapturePresenter::Present(const Frame& frame) {
  last_ = frame;
  ++count_;
  return true;
}

}  // namespace platform
