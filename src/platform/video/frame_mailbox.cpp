#include "platform/video/frame_mailbox.h"

#include <thread>
#include <utility>

#include "platform/worker_thread.h"

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
  shown_ = 0;
  displayPaced_ = false;
}

void FrameMailbox::MarkShown(std::uint64_t serial) {
  std::lock_guard lock(mutex_);
  if (serial > shown_) shown_ = serial;
  shownChanged_.notify_all();
}

void FrameMailbox::SetDisplayPaced(bool paced) {
  std::lock_guard lock(mutex_);
  displayPaced_ = paced;
  // A display that stopped pacing releases whoever waits for it.
  shownChanged_.notify_all();
}

bool FrameMailbox::DisplayPaced() const {
  std::lock_guard lock(mutex_);
  return displayPaced_;
}

bool FrameMailbox::WaitShown(std::uint64_t serial, std::uint32_t limitMs) {
  // Real time: the display's blank does not follow a test's fake clock.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  std::unique_lock lock(mutex_);
  return shownChanged_.wait_until(lock, ThisThreadStopToken(), deadline,
                                  [&] { return shown_ >= serial || !displayPaced_; }) &&
         shown_ >= serial;
}

FrameMailbox& PresentedFrames() {
  static FrameMailbox mailbox;
  return mailbox;
}

}  // namespace platform
