#include "platform/process/process_identity.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace platform {

std::optional<ProcessIdentity> LiveProcess(int pid) {
  if (pid <= 0) return std::nullopt;
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  if (!std::getline(in, text)) return std::nullopt;
  // The command name in parentheses may hold anything, spaces and parentheses included:
  // the fields proper begin after the last ')'.
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(text.substr(close + 1));
  std::string state;
  fields >> state;
  if (state == "Z" || state == "X") return std::nullopt;
  // Fields 4 to 21 lie between the state (field 3) and the start time (field 22).
  std::string skipped;
  for (int field = 4; field <= 21; ++field) fields >> skipped;
  std::uint64_t startTime = 0;
  if (!(fields >> startTime)) return std::nullopt;
  return ProcessIdentity{pid, startTime};
}

ProcessIdentity CurrentProcess() {
  const int pid = static_cast<int>(::getpid());
  return LiveProcess(pid).value_or(ProcessIdentity{pid, 0});
}

bool StillRunning(const ProcessIdentity& process) {
  const std::optional<ProcessIdentity> now = LiveProcess(process.pid);
  return now && *now == process;
}

}  // namespace platform
