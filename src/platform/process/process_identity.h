#pragma once

#include <cstdint>
#include <optional>

namespace platform {

// A process id names a process only while it lives; the kernel hands the number out again
// later. A process is therefore known by its id together with its start time (clock ticks
// after boot), which no later process with the same id can share.
struct ProcessIdentity {
  int pid = 0;
  std::uint64_t startTime = 0;
  bool operator==(const ProcessIdentity&) const = default;
};

ProcessIdentity CurrentProcess();
// The live process of that id now; empty when there is none (a process that has ended but
// not been collected counts as ended).
std::optional<ProcessIdentity> LiveProcess(int pid);
// True when the very process is still running.
bool StillRunning(const ProcessIdentity& process);

}  // namespace platform
