#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/process/process_identity.h"

namespace platform {

// Another program started by this one and watched to its end: what the whole-program tests
// and the single-instance tests need. A child still running when the object goes is ended
// by force and collected.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts the program in `folder` with this process's environment, changed by `environment`
  // (an empty value removes the variable). With `errorOutput`, the child's stderr goes to that
  // file instead of this process's.
  bool Start(const std::string& program, const std::vector<std::string>& arguments,
             const std::map<std::string, std::string>& environment, const std::filesystem::path& folder,
             const std::filesystem::path& errorOutput = {});

  ProcessIdentity Identity() const { return identity_; }
  // The termination request (the child then ends in order) or the forced end.
  bool RequestTermination();
  bool Kill();
  // The exit code once the child has ended, waiting at most limitMs; a child ended by a
  // signal gives 128 + the signal number.
  std::optional<int> WaitForExit(std::uint32_t limitMs);
  bool Running();

 private:
  ProcessIdentity identity_;
  std::optional<int> exitCode_;
};

}  // namespace platform
