#pragma once

#include <string_view>

namespace platform {

// A named lock shared by every running instance of the program, like a named mutex handle:
// each instance holds a share for as long as the object lives, and one that opens it learns
// whether another instance holds a share already. Kept as a lock on a file in the runtime
// folder (the file holds the first holder's process id), so it goes when its process goes,
// however that ends.
class InstanceLock {
 public:
  enum class Result { First, AlreadyExists, Failed };

  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // The name is CP932 text. In every result but Failed the share is held.
  Result Open(std::string_view name);
  void Close();
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace platform
