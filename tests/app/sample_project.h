#pragma once

#include <filesystem>

#include "support/temp_folder.h"

namespace apptest {

// The sample game made once into a temporary folder, its default data copied to data\ as the
// program's first start does.
class SampleGameFolder {
 public:
  SampleGameFolder();
  const std::filesystem::path& path() const { return folder_.path(); }

 private:
  testsupport::TempFolder folder_;
};

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
  testsupport::ScopedCurrentFolder here_;
  testsupport::TempFolder log_;
  bool ok_ = false;
};

}  // namespace apptest
