#include "platform/process/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/process/runtime_folder.h"
#include "platform/text_codec.h"

namespace platform {
namespace {

int OpenFile(const std::string& path) { return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600); }

int Flock(int fd, int operation) {
  int result = 0;
  do {
    result = ::flock(fd, operation);
  } while (result != 0 && errno == EINTR);
  return result;
}

// Holds the exclusive lock of the guard file while alive: the test-and-share below is then
// one step for every instance.
class Guard {
 public:
  explicit Guard(const std::string& path) : fd_(OpenFile(path)) {
    if (fd_ >= 0 && Flock(fd_, LOCK_EX) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~Guard() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_;
};

}  // namespace

InstanceLock::~InstanceLock() { Close(); }

InstanceLock::Result InstanceLock::Open(std::string_view name) {
  Close();
  const std::optional<std::filesystem::path> folder = RuntimeFolder();
  std::string fileName;
  if (!folder || !Cp932ToUtf8(name, fileName) || fileName.empty() || fileName.find('/') != std::string::npos) {
    return Result::Failed;
  }
  const std::string base = (*folder / fileName).string();
  Guard guard(base + ".guard");
  if (!guard.Held()) return Result::Failed;
  const int fd = OpenFile(base + ".lock");
  if (fd < 0) return Result::Failed;
  // Nobody else holds a share exactly when the exclusive lock can be had.
  const bool first = Flock(fd, LOCK_EX | LOCK_NB) == 0;
  if (Flock(fd, LOCK_SH) != 0) {
    ::close(fd);
    return Result::Failed;
  }
  if (first) {
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
      [[maybe_unused]] const ssize_t written = ::pwrite(fd, pid.data(), pid.size(), 0);
    }
  }
  fd_ = fd;
  return first ? Result::First : Result::AlreadyExists;
}

void InstanceLock::Close() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

}  // namespace platform
