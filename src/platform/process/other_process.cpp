#include "platform/process/other_process.h"

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <thread>

namespace platform {
namespace {

int OpenProcess(int pid) { return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)); }

int SignalProcess(int pidfd, int signal) {
  return static_cast<int>(::syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0));
}

// A process handle becomes readable when its process ends.
bool WaitForEnd(int pidfd, std::uint32_t limitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  for (;;) {
    // Rounded up, so the wait never ends before the deadline.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd wait{pidfd, POLLIN, 0};
    const int ready = ::poll(&wait, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
    if (left.count() <= 0) return false;
  }
}

// For kernels without process handles: the id is checked against the start time before
// each signal, which leaves only a tiny window for a reuse.
EndProcessResult EndByIdAlone(const ProcessIdentity& process, std::uint32_t orderlyLimitMs,
                              std::uint32_t forcedLimitMs) {
  auto waitForEnd = [&](std::uint32_t limitMs) {
    for (std::uint32_t waited = 0; waited < limitMs; waited += 5) {
      if (!StillRunning(process)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return !StillRunning(process);
  };
  if (!StillRunning(process)) return EndProcessResult::Ended;
  if (::kill(process.pid, SIGTERM) != 0) return errno == ESRCH ? EndProcessResult::Ended : EndProcessResult::CannotOpen;
  if (waitForEnd(orderlyLimitMs)) return EndProcessResult::Ended;
  if (StillRunning(process)) ::kill(process.pid, SIGKILL);
  return waitForEnd(forcedLimitMs) ? EndProcessResult::Ended : EndProcessResult::StillRunning;
}

}  // namespace

EndProcessResult EndOtherProcess(const ProcessIdentity& process, std::uint32_t orderlyLimitMs,
                                 std::uint32_t forcedLimitMs) {
  const int pidfd = OpenProcess(process.pid);
  if (pidfd < 0) {
    if (errno == ESRCH) return EndProcessResult::Ended;
    if (errno == ENOSYS) return EndByIdAlone(process, orderlyLimitMs, forcedLimitMs);
    return EndProcessResult::CannotOpen;
  }
  // The handle holds on to whichever process had the id when it was opened; if that is not
  // the process we mean, ours has already ended.
  if (!StillRunning(process)) {
    ::close(pidfd);
    return EndProcessResult::Ended;
  }
  EndProcessResult result = EndProcessResult::Ended;
  if (SignalProcess(pidfd, SIGTERM) != 0) {
    result = errno == ESRCH ? EndProcessResult::Ended : EndProcessResult::CannotOpen;
  } else if (!WaitForEnd(pidfd, orderlyLimitMs)) {
    SignalProcess(pidfd, SIGKILL);
    result = WaitForEnd(pidfd, forcedLimitMs) ? EndProcessResult::Ended : EndProcessResult::StillRunning;
  }
  ::close(pidfd);
  return result;
}

}  // namespace platform
