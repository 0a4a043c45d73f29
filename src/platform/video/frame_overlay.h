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

// A picture of what the window shows, asked from any thread, saved by the main thread (host
// path, PNG). With nextFrame it shows the first frame posted after the request, or, when the
// asking thread waits for the shot (WaitWindowShotTaken) without having drawn one, what the
// window shows then; without, what the window shows at its next look (a dialog's own loop,
// which draws no frames).
void RequestWindowShot(const std::string& hostPath, bool nextFrame = true);
// The request, taken once, when the frame the window shows (its serial) is one it may show.
bool TakeWindowShotRequest(std::uint64_t shownSerial, std::string& hostPath);
// Waits until no request waits, at most limitMs of real time or until the thread is asked to
// stop; false when one still waits.
bool WaitWindowShotTaken(std::uint32_t limitMs);

}  // namespace platform
