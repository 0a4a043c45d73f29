#include "platform/process/runtime_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace platform {
namespace {

// Makes the folder when missing; true when it is a real folder (not a link) of this user
// that nobody else can enter.
bool PrivateFolder(const std::filesystem::path& folder) {
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) return false;
  if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) return false;
  if ((info.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0) return false;
  return true;
}

}  // namespace

std::optional<std::filesystem::path> RuntimeFolder() {
  std::filesystem::path base;
  const char* session = std::getenv("XDG_RUNTIME_DIR");
  std::error_code error;
  if (session != nullptr && session[0] == '/' && std::filesystem::is_directory(session, error)) {
    base = std::filesystem::path(session) / "kestrel";
  } else {
    base = std::filesystem::path("/tmp") / ("kestrel-" + std::to_string(::getuid()));
  }
  if (!PrivateFolder(base)) return std::nullopt;
  return base;
}

std::optional<std::filesystem::path> RuntimeSubfolder(const char* name) {
  const std::optional<std::filesystem::path> base = RuntimeFolder();
  if (!base) return std::nullopt;
  std::filesystem::path folder = *base / name;
  if (!PrivateFolder(folder)) return std::nullopt;
  return folder;
}

}  // namespace platform
