#include "platform/process/copy_data.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <thread>

namespace platform {
namespace {

constexpr std::size_t kNoticeBytes = 12;
constexpr std::size_t kAnswerBytes = 4;

void PutU32(unsigned char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t GetU32(const unsigned char* at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
  return value;
}

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Reads exactly `size` bytes before the deadline.
bool ReadAll(int fd, unsigned char* into, std::size_t size, Clock::time_point deadline) {
  std::size_t got = 0;
  while (got < size) {
    pollfd wait{fd, POLLIN, 0};
    const int ready = ::poll(&wait, 1, RemainingMs(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    const ssize_t n = ::recv(fd, into + got, size - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

bool WriteAll(int fd, const unsigned char* from, std::size_t size) {
  std::size_t sent = 0;
  while (sent < size) {
    const ssize_t n = ::send(fd, from + sent, size - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

int ConnectTo(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof(address.sun_path)) return -1;
  path.copy(address.sun_path, path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

bool SendCopyData(std::string_view className, std::string_view title, const CopyDataNotice& notice,
                  std::uint32_t limitMs) {
  const std::optional<RegisteredWindow> window = FindRegisteredWindow(className, title);
  if (!window) return false;
  const int fd = ConnectTo(window->noticeSocket);
  if (fd < 0) return false;
  std::array<unsigned char, kNoticeBytes> bytes{};
  PutU32(&bytes[0], notice.senderWindow);
  PutU32(&bytes[4], notice.data);
  PutU32(&bytes[8], static_cast<std::uint32_t>(notice.value));
  std::array<unsigned char, kAnswerBytes> answer{};
  const bool answered = WriteAll(fd, bytes.data(), bytes.size()) &&
                        ReadAll(fd, answer.data(), answer.size(), Clock::now() + std::chrono::milliseconds(limitMs));
  ::close(fd);
  return answered;
}

ReceivedNotice::~ReceivedNotice() {
  if (connection_ >= 0) Answer(0);
}

ReceivedNotice::ReceivedNotice(ReceivedNotice&& other) noexcept
    : connection_(other.connection_), notice_(other.notice_) {
  other.connection_ = -1;
}

ReceivedNotice& ReceivedNotice::operator=(ReceivedNotice&& other) noexcept {
  if (this != &other) {
    Answer(0);
    connection_ = other.connection_;
    notice_ = other.notice_;
    other.connection_ = -1;
  }
  return *this;
}

void ReceivedNotice::Answer(std::int32_t result) {
  if (connection_ < 0) return;
  std::array<unsigned char, kAnswerBytes> bytes{};
  PutU32(bytes.data(), static_cast<std::uint32_t>(result));
  WriteAll(connection_, bytes.data(), bytes.size());
  ::close(connection_);
  connection_ = -1;
}

bool CopyDataReceiver::Open(std::string_view className, std::string_view title) {
  return registration_.Register(className, title, true);
}

std::optional<ReceivedNotice> CopyDataReceiver::Receive(std::uint32_t limitMs) {
  const int listener = registration_.NoticeSocket();
  if (listener < 0) return std::nullopt;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(limitMs);
  for (;;) {
    pollfd wait{listener, POLLIN, 0};
    const int ready = ::poll(&wait, 1, RemainingMs(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    const int connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    std::array<unsigned char, kNoticeBytes> bytes{};
    // A sender writes its notice right after connecting, but on a loaded machine it may not
    // run again for a while: it is given the receiver's own time, and at least a second.
    const Clock::time_point noticeDeadline = std::max(deadline, Clock::now() + std::chrono::milliseconds(1000));
    if (!ReadAll(connection, bytes.data(), bytes.size(), noticeDeadline)) {
      ::close(connection);
      continue;
    }
    const CopyDataNotice notice{GetU32(&bytes[0]), GetU32(&bytes[4]), static_cast<std::int32_t>(GetU32(&bytes[8]))};
    return ReceivedNotice(connection, notice);
  }
}

}  // namespace platform
