#include "platform/files/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>

namespace platform {
namespace {

// SIZE_MAX: no fault.
std::atomic<std::size_t> g_faultAfter{static_cast<std::size_t>(-1)};

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t budget = g_faultAfter.load();
  std::size_t written = 0;
  while (written < bytes.size()) {
    std::size_t chunk = bytes.size() - written;
    if (budget != static_cast<std::size_t>(-1)) {
      if (budget == 0) return false;
      if (chunk > budget) chunk = budget;
    }
    const ssize_t rc = ::write(fd, bytes.data() + written, chunk);
    if (rc < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (rc == 0) return false;
    written += static_cast<std::size_t>(rc);
    if (budget != static_cast<std::size_t>(-1)) budget -= static_cast<std::size_t>(rc);
  }
  return true;
}

std::string TemporaryName(const std::string& hostPath) {
  static std::atomic<unsigned> counter{0};
  std::random_device seed;
  return hostPath + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" +
         std::to_string(seed() & 0xFFFF);
}

}  // namespace

bool ReplaceFileContents(const std::string& hostPath, std::string_view bytes) {
  if (hostPath.empty()) return false;
  const std::string temporary = TemporaryName(hostPath);
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temporary.c_str(), hostPath.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

bool ReadFileContents(const std::string& hostPath, std::size_t maxBytes, std::string& out) {
  out.clear();
  if (hostPath.empty()) return false;
  const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) <= maxBytes;
  if (ok) {
    out.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (ok && done < out.size()) {
      const ssize_t rc = ::read(fd, out.data() + done, out.size() - done);
      if (rc < 0 && errno == EINTR) continue;
      if (rc <= 0) {
        out.resize(done);  // the file shrank while it was read: take what was there
        break;
      }
      done += static_cast<std::size_t>(rc);
    }
  }
  ::close(fd);
  if (!ok) out.clear();
  return ok;
}

bool RenameFile(const std::string& fromHostPath, const std::string& toHostPath) {
  return !fromHostPath.empty() && !toHostPath.empty() && ::rename(fromHostPath.c_str(), toHostPath.c_str()) == 0;
}

void SetWriteFaultAfter(std::optional<std::size_t> bytes) {
  g_faultAfter.store(bytes ? *bytes : static_cast<std::size_t>(-1));
}

}  // namespace platform
