#include "platform/files/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>

namespace platform {

std::vector<FolderEntry> ListFolder(const std::string& hostPath) {
  std::vector<FolderEntry> entries;
  DIR* folder = opendir(hostPath.c_str());
  if (folder == nullptr) return entries;
  while (const dirent* entry = readdir(folder)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    struct stat info {};
    const std::string path = hostPath + "/" + entry->d_name;
    if (stat(path.c_str(), &info) != 0) continue;  // a dangling link is nothing to open
    entries.push_back(FolderEntry{entry->d_name, S_ISDIR(info.st_mode)});
  }
  closedir(folder);
  return entries;
}

}  // namespace platform
