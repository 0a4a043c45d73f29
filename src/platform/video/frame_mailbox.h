#pragma once

#include <condition_variable>
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

  // A presenter that waits for the display's vertical blank reports each frame it has shown;
  // one that does not (no vsync, headless, capture) reports that nothing paces the frames.
  void MarkShown(std::uint64_t serial);
  void SetDisplayPaced(bool paced);
  bool DisplayPaced() const;
  // Waits until the frame of that serial (or a later one) has been shown, at most limitMs of
  // real time; false when it was not shown by then or the calling thread is asked to stop.
  bool WaitShown(std::uint64_t serial, std::uint32_t limitMs);

 private:
  mutable std::mutex mutex_;
  std::condition_variable_any shownChanged_;
  Frame waiting_;
  bool hasWaiting_ = false;
  std::uint64_t posted_ = 0;
  std::uint64_t shown_ = 0;
  bool displayPaced_ = false;
};

// The one mailbox of the process.
FrameMailbox& PresentedFrames();

}  // namespace platform
