#pragma once

#include <cstddef>

#include "platform/files/file_replace.h"

namespace testsupport {

// Every file replacement fails after the given number of bytes while the object lives.
class ScopedWriteFault {
 public:
  explicit ScopedWriteFault(std::size_t bytes) { platform::SetWriteFaultAfter(bytes); }
  ~ScopedWriteFault() { platform::SetWriteFaultAfter(std::nullopt); }
  ScopedWriteFault(const ScopedWriteFault&) = delete;
  ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

}  // namespace testsupport
