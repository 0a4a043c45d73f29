#pragma once

#include <cstdint>
#include <mutex>

#include "platform/video/frame.h"

namespace platform {

// Where the devices leave their finished frames for the main thread. The game thread posts
// (the device backend's present, a blit or flip onto the surface backend's primary); the
// main thread takes the newest frame and shows it. A frame not taken before the next one is
// posted is dropped: only the newest matters. Posting never waits.
class FrameMailbox {
 public:
  void Post(const PixelBuffer& image, const Palette* palette);
  // Moves the newest frame posted since the last call into `out`; false when none was posted.
  bool TakeNewest(Frame& out);
  std::uint64_t PostedCount() const;
  // Forgets any waiting frame and restarts the serial numbers (tests).
  void Reset();

 private:
  mutable std::mutex mutex_;
  Frame waiting_;
  bool hasWaiting_ = false;
  std::uint64_t posted_ = 0;
};

// The one mailbox of the process.
FrameMailbox& PresentedFrames();

}  // namespace platform
