#include "platform/video/frame_overlay.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>  // the clocks and durations

#include "platform/video/frame_mailbox.h"
#include "platform/worker_thread.h"

namespace platform {
namespace {

std::mutex g_mutex;
std::vector<std::uint32_t> g_overlay;
bool g_shown = false;
std::atomic<std::uint64_t> g_version{0};
std::string g_shotPath;
std::uint64_t g_shotAfter = 0;  // the frames posted when the shot was asked for
bool g_shotAtNextLook = false;
int g_shotWaiters = 0;  // threads held until the shot is taken: they draw nothing meanwhile
std::condition_variable_any g_shotTaken;

std::uint32_t Blend(std::uint32_t under, std::uint32_t over) {
  const std::uint32_t alpha = over >> 24;
  if (alpha == 255) return over | 0xFF000000u;
  if (alpha == 0) return under;
  std::uint32_t result = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t a = (under >> shift) & 0xFF;
    const std::uint32_t b = (over >> shift) & 0xFF;
    result |= ((b * alpha + a * (255 - alpha) + 127) / 255) << shift;
  }
  return result;
}

}  // namespace

void SetFrameOverlay(std::vector<std::uint32_t> argb) {
  if (argb.size() != static_cast<std::size_t>(kOverlayWidth) * kOverlayHeight) return;
  std::lock_guard lock(g_mutex);
  g_overlay = std::move(argb);
  g_shown = true;
  ++g_version;
}

void ClearFrameOverlay() {
  std::lock_guard lock(g_mutex);
  if (!g_shown) return;
  g_shown = false;
  g_overlay.clear();
  ++g_version;
}

std::uint64_t FrameOverlayVersion() { return g_version; }

bool CopyFrameOverlay(std::vector<std::uint32_t>& out) {
  std::lock_guard lock(g_mutex);
  if (!g_shown) return false;
  out = g_overlay;
  return true;
}

void ComposeOverlay(Frame& frame, const std::vector<std::uint32_t>& overlay) {
  if (frame.width != kOverlayWidth || frame.height != kOverlayHeight || overlay.size() != frame.pixels.size()) return;
  for (std::size_t i = 0; i < overlay.size(); ++i) frame.pixels[i] = Blend(frame.pixels[i], overlay[i]);
}

void RequestWindowShot(const std::string& hostPath, bool nextFrame) {
  const std::uint64_t posted = PresentedFrames().PostedCount();
  std::lock_guard lock(g_mutex);
  g_shotPath = hostPath;
  g_shotAfter = posted;
  g_shotAtNextLook = !nextFrame;
}

bool TakeWindowShotRequest(std::uint64_t shownSerial, std::string& hostPath) {
  const std::uint64_t posted = PresentedFrames().PostedCount();
  std::lock_guard lock(g_mutex);
  if (g_shotPath.empty()) return false;
  const bool following = shownSerial > g_shotAfter;
  // The thread that asked waits for the shot without having drawn since: nothing will follow.
  const bool noneComing = g_shotWaiters > 0 && posted == g_shotAfter;
  if (!following && !noneComing && !g_shotAtNextLook) return false;
  hostPath.swap(g_shotPath);
  g_shotPath.clear();
  g_shotTaken.notify_all();
  return true;
}

bool WaitWindowShotTaken(std::uint32_t limitMs) {
  std::unique_lock lock(g_mutex);
  if (g_shotPath.empty()) return true;
  ++g_shotWaiters;
  const bool taken = g_shotTaken.wait_for(lock, ThisThreadStopToken(), std::chrono::milliseconds(limitMs),
                                          [] { return g_shotPath.empty(); });
  --g_shotWaiters;
  return taken;
}

}  // namespace platform
