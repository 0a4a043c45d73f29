#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/process/window_registry.h"

namespace platform {

// A copy-data notice between programs: the sending window's handle (its process id), the
// notice's kind and one 32-bit value. On the wire: the three as little-endian 32-bit
// numbers; the receiver answers with one little-endian 32-bit result.
struct CopyDataNotice {
  std::uint32_t senderWindow = 0;
  std::uint32_t data = 0;
  std::int32_t value = 0;
  bool operator==(const CopyDataNotice&) const = default;
};

// Sends the notice to the registered window of that class and title and waits, at most
// limitMs, for its answer, as a sent message waits for its window. False when there is no
// such window, it takes no notices, or it does not answer in time.
bool SendCopyData(std::string_view className, std::string_view title, const CopyDataNotice& notice,
                  std::uint32_t limitMs);

// One notice taken by a receiver; its sender waits until it is answered (0 when the object
// goes unanswered).
class ReceivedNotice {
 public:
  ReceivedNotice(int connection, const CopyDataNotice& notice) : connection_(connection), notice_(notice) {}
  ~ReceivedNotice();
  ReceivedNotice(ReceivedNotice&& other) noexcept;
  ReceivedNotice& operator=(ReceivedNotice&& other) noexcept;
  ReceivedNotice(const ReceivedNotice&) = delete;
  ReceivedNotice& operator=(const ReceivedNotice&) = delete;

  const CopyDataNotice& notice() const { return notice_; }
  void Answer(std::int32_t result);

 private:
  int connection_ = -1;
  CopyDataNotice notice_;
};

// Stands in a window's place to take notices: registers the class and title and listens.
class CopyDataReceiver {
 public:
  bool Open(std::string_view className, std::string_view title);
  // The next notice, waiting at most limitMs; empty when none came.
  std::optional<ReceivedNotice> Receive(std::uint32_t limitMs);

 private:
  WindowRegistration registration_;
};

}  // namespace platform
