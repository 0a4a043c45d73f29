#include "platform/video/frame_mailbox.h"

#include <utility>

namespace platform {

void FrameMailbox::Post(const PixelBuffer& image, const Palette* palette) {
  // Converted outside the lock, into storage of this thread that is swapped in.
  thread_local Frame converted;
  ConvertToFrame(image, palette, converted);
  std::lock_guard lock(mutex_);
  converted.serial = ++posted_;
  std::swap(waiting_, converted);
  hasWaiting_ = true;
}

bool FrameMailbox::TakeNewest(Frame& out) {
  std::lock_guard lock(mutex_);
  if (!hasWaiting_) return false;
  std::swap(out, waiting_);
  hasWaiting_ = false;
  return true;
}

std::uint64_t FrameMailbox::PostedCount() const {
  std::lock_guard lock(mutex_);
  return posted_;
}

void FrameMailbox::Reset() {
  std::lock_guard lock(mutex_);
  hasWaiting_ = false;
  posted_ = 0;
}

FrameMailbox& PresentedFrames() {
  static FrameMailbox mailbox;
  return mailbox;
}

}  // namespace platform
