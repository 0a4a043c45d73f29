#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/video/frame.h"

namespace platform {

inline constexpr int kOverlayWidth = 640;
inline constexpr int kOverlayHeight = 480;

// A 640 × 480 ARGB picture shown over the newest frame, in every mode, without touching the
// frame: what the dialogs draw. Alpha 0 lets the frame through.
void SetFrameOverlay(std::vector<std::uint32_t> argb);
void ClearFrameOverlay();
// Grows by one at every change, so that a window knows when to show the picture again.
std::uint64_t FrameOverlayVersion();
// The overlay now; false (and `out` left alone) when none is shown.
bool CopyFrameOverlay(std::vector<std::uint32_t>& out);
// The frame as the player sees it with the overlay over it (frames of another size are
// left as they are).
void ComposeOverlay(Frame& frame, const std::vector<std::uint32_t>& overlay);

// A picture of what the window shows, asked from any thread, saved by the main thread at its
// next look at the frames (host path, PNG).
void RequestWindowShot(const std::string& hostPath);
// The request waiting, if any; taken once.
bool TakeWindowShotRequest(std::string& hostPath);

}  // namespace platform
