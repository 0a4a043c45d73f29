#pragma once

#include <cstdint>

#include "platform/process/process_identity.h"

namespace platform {

enum class EndProcessResult {
  Ended,         // the process has ended (or had already)
  CannotOpen,    // this user may not signal it
  StillRunning,  // it survived even the forced end
};

// Ends another process: first the termination request, which the program takes as a close
// of its window so it shuts down in order, then, when it has not ended after orderlyLimitMs,
// the forced end, waiting forcedLimitMs more. The process is named with its start time: a
// process that reuses the id is never signalled.
EndProcessResult EndOtherProcess(const ProcessIdentity& process, std::uint32_t orderlyLimitMs,
                                 std::uint32_t forcedLimitMs);

}  // namespace platform
