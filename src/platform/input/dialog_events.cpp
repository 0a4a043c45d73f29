#include "platform/input/dialog_events.h"

#include <atomic>
#include <mutex>

namespace platform {
namespace {

std::atomic<bool> g_capture{false};
std::mutex g_mutex;
std::vector<DialogEvent> g_events;

// A dialog that stops reading (a stuck run) must not let its queue grow without bound.
constexpr std::size_t kMaxQueued = 4096;

}  // namespace

void SetDialogCapture(bool capture) {
  g_capture = capture;
  std::lock_guard lock(g_mutex);
  g_events.clear();
}

bool DialogCaptureActive() { return g_capture; }

void PushDialogEvent(DialogEvent event) {
  std::lock_guard lock(g_mutex);
  if (g_events.size() < kMaxQueued) g_events.push_back(std::move(event));
}

std::vector<DialogEvent> TakeDialogEvents() {
  std::lock_guard lock(g_mutex);
  std::vector<DialogEvent> taken;
  taken.swap(g_events);
  return taken;
}

}  // namespace platform
