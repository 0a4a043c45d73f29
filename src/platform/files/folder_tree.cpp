#include "platform/files/folder_tree.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

// SIZE_MAX: no fault.
std::atomic<std::size_t> g_copyFaultAfter{static_cast<std::size_t>(-1)};

// Deeper trees than this are taken for a loop or a trap, not a project folder.
constexpr int kMaxCopyDepth = 64;

struct CopyState {
  std::size_t filesLeft;  // before the injected fault; SIZE_MAX: none
};

bool CopyFile(const fs::path& from, const fs::path& to, CopyState& state) {
  if (state.filesLeft != static_cast<std::size_t>(-1)) {
    if (state.filesLeft == 0) return false;
    --state.filesLeft;
  }
  std::error_code error;
  return fs::copy_file(from, to, fs::copy_options::none, error) && !error;
}

bool CopyContents(const fs::path& from, const fs::path& to, int depth, CopyState& state) {
  if (depth > kMaxCopyDepth) return false;
  std::error_code error;
  fs::directory_iterator it(from, error);
  if (error) return false;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) return false;
    const fs::path source = it->path();
    const fs::path target = to / source.filename();
    const fs::file_status status = it->symlink_status(error);
    if (error) return false;
    if (fs::is_symlink(status)) {
      fs::copy_symlink(source, target, error);
      if (error) return false;
    } else if (fs::is_directory(status)) {
      // Fresh folders with the usual permissions: a read-only source folder must not make its
      // copy unwritable before its files are in.
      if (!fs::create_directory(target, error) || error) return false;
      if (!CopyContents(source, target, depth + 1, state)) return false;
    } else if (fs::is_regular_file(status)) {
      if (!CopyFile(source, target, state)) return false;
    }
    // Sockets, pipes and devices are not project data and are left out.
  }
  return !error;
}

std::string TemporarySibling(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  std::string base = target;
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + ".copy" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
}

}  // namespace

bool IsFolder(const std::string& hostPath) {
  std::error_code error;
  return !hostPath.empty() && fs::is_directory(hostPath, error);
}

bool IsFile(const std::string& hostPath) {
  if (hostPath.empty()) return false;
  std::error_code error;
  const fs::file_status own = fs::symlink_status(hostPath, error);
  if (error || !fs::exists(own)) return false;
  return !fs::is_directory(hostPath, error);
}

bool MakeFolder(const std::string& hostPath) {
  if (hostPath.empty()) return false;
  std::error_code error;
  fs::create_directory(hostPath, error);
  return !error && fs::is_directory(hostPath, error);
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return false;
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the no-replace flag: the window between test and rename is
  // accepted there, and rename still never replaces a non-empty folder.
  std::error_code error;
  if (fs::exists(fs::symlink_status(to, error))) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveTree(const std::string& hostPath) {
  if (hostPath.empty()) return false;
  std::error_code error;
  fs::remove_all(hostPath, error);
  return !error;
}

bool CopyFolderTree(const std::string& source, const std::string& target) {
  if (!IsFolder(source) || target.empty()) return false;
  std::error_code error;
  if (fs::exists(fs::symlink_status(target, error))) return false;
  const std::string temporary = TemporarySibling(target);
  if (!fs::create_directory(temporary, error) || error) return false;
  CopyState state{g_copyFaultAfter.load()};
  bool ok = CopyContents(source, temporary, 0, state);
  if (ok) ok = RenameNoReplace(temporary, target);
  if (!ok) RemoveTree(temporary);
  return ok;
}

void SetCopyFaultAfter(std::optional<std::size_t> files) {
  g_copyFaultAfter.store(files ? *files : static_cast<std::size_t>(-1));
}

}  // namespace platform
