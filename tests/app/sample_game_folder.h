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

}  // namespace apptest
