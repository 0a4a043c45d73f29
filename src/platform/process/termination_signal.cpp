#include "platform/process/termination_signal.h"

#include <atomic>
#include <csignal>

namespace platform {
namespace {

std::atomic<bool> g_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

void OnSignal(int) { g_requested.store(true); }

}  // namespace

void InstallTerminationHandler() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool TakeTerminationRequest() { return g_requested.exchange(false); }

}  // namespace platform
