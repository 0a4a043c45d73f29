#include "core/program_state.h"

#include "platform/worker_thread.h"

std::atomic<int> FromEditor{0};
std::atomic<std::uint8_t> RunningFlag{0};
std::atomic<int> ActiveFlag{0};
std::atomic<int> DirectPlayFlag{0};

bool WaitUntilActive() {
  while (ActiveFlag.load() == 0) {
    if (!platform::SleepOrStop(1)) return false;
  }
  return true;
}
