#pragma once

#include <filesystem>

#include "support/temp_folder.h"

namespace testsupport {

// While it lives: the game folder is the current one and its project is loaded (database,
// system data, common palette, arrange limits) with the flow engine joined to the play scene.
class LoadedProject {
 public:
  explicit LoadedProject(const std::filesystem::path& game);
  ~LoadedProject();
  LoadedProject(const LoadedProject&) = delete;
  LoadedProject& operator=(const LoadedProject&) = delete;
  bool ok() const { return ok_; }

 private:
  ScopedCurrentFolder here_;
  TempFolder log_;
  bool ok_ = false;
};

}  // namespace testsupport
