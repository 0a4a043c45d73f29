#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/process/process_identity.h"

namespace platform {

// The top-level windows of the user's running programs, so that one program can find
// another's window by class name and title: one small file per window in the runtime
// folder, naming the window's class and title (CP932 bytes), its process, and the local
// socket on which it takes notices (when it takes any).
struct RegisteredWindow {
  std::string className;
  std::string title;
  ProcessIdentity process;
  std::string noticeSocket;  // empty when the window takes no notices
};

// A window's entry, kept for as long as the object lives (and no longer: the entry goes with
// the object, and an entry left behind by a process that died is ignored and cleared by the
// next search).
class WindowRegistration {
 public:
  WindowRegistration() = default;
  ~WindowRegistration();
  WindowRegistration(const WindowRegistration&) = delete;
  WindowRegistration& operator=(const WindowRegistration&) = delete;

  // With `takesNotices`, a local socket is opened for copy-data notices (see copy_data.h).
  bool Register(std::string_view className, std::string_view title, bool takesNotices = false);
  bool SetTitle(std::string_view title);
  void Unregister();
  bool Registered() const { return !entry_.empty(); }

  // The listening socket of the notices, -1 when none.
  int NoticeSocket() const { return listener_; }

 private:
  bool WriteEntry();

  RegisteredWindow window_;
  std::filesystem::path entry_;
  int listener_ = -1;
};

// The first live window of the class (and of the title, when one is given); like the system
// call it stands for, any window matches, this process's own included.
std::optional<RegisteredWindow> FindRegisteredWindow(std::string_view className,
                                                     std::optional<std::string_view> title = std::nullopt);

}  // namespace platform
