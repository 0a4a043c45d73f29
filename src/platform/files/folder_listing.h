#pragma once

#include <string>
#include <vector>

namespace platform {

struct FolderEntry {
  std::string name;  // the bytes on disk
  bool folder = false;
};

// The entries of a host folder, "." and ".." left out, in no particular order; empty when
// it cannot be read.
std::vector<FolderEntry> ListFolder(const std::string& hostPath);

}  // namespace platform
