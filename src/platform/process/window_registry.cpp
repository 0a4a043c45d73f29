#include "platform/process/window_registry.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/files/file_replace.h"
#include "platform/process/runtime_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEntryExtension = ".window";
std::atomic<int> g_serial{0};

std::string Hex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (unsigned char c : bytes) {
    text.push_back(digits[c >> 4]);
    text.push_back(digits[c & 15]);
  }
  return text;
}

std::optional<std::string> Unhex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  auto value = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = value(text[i]);
    const int low = value(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return bytes;
}

std::string EntryText(const RegisteredWindow& window) {
  std::ostringstream out;
  out << "class " << Hex(window.className) << "\n"
      << "title " << Hex(window.title) << "\n"
      << "pid " << window.process.pid << "\n"
      << "start " << window.process.startTime << "\n"
      << "socket " << Hex(window.noticeSocket) << "\n";
  return out.str();
}

std::optional<RegisteredWindow> ParseEntry(const std::string& text) {
  RegisteredWindow window;
  std::istringstream in(text);
  int seen = 0;
  for (std::string line; std::getline(in, line);) {
    const std::size_t space = line.find(' ');
    if (space == std::string::npos) return std::nullopt;
    const std::string key = line.substr(0, space);
    const std::string value = line.substr(space + 1);
    if (key == "class" || key == "title" || key == "socket") {
      std::optional<std::string> bytes = Unhex(value);
      if (!bytes) return std::nullopt;
      (key == "class" ? window.className : key == "title" ? window.title : window.noticeSocket) = *bytes;
    } else if (key == "pid") {
      window.process.pid = std::atoi(value.c_str());
    } else if (key == "start") {
      window.process.startTime = std::strtoull(value.c_str(), nullptr, 10);
    } else {
      continue;
    }
    ++seen;
  }
  if (seen != 5 || window.process.pid <= 0) return std::nullopt;
  return window;
}

int ListenOn(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) return -1;
  path.copy(address.sun_path, path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  ::unlink(path.c_str());
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 || ::listen(fd, 8) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

WindowRegistration::~WindowRegistration() { Unregister(); }

bool WindowRegistration::Register(std::string_view className, std::string_view title, bool takesNotices) {
  Unregister();
  const std::optional<fs::path> folder = RuntimeSubfolder("windows");
  if (!folder) return false;
  window_.className = className;
  window_.title = title;
  window_.process = CurrentProcess();
  const std::string stem = std::to_string(window_.process.pid) + "-" + std::to_string(g_serial.fetch_add(1));
  window_.noticeSocket.clear();
  if (takesNotices) {
    const std::string socketPath = (*folder / (stem + ".sock")).string();
    listener_ = ListenOn(socketPath);
    if (listener_ < 0) return false;
    window_.noticeSocket = socketPath;
  }
  entry_ = *folder / (stem + kEntryExtension);
  if (WriteEntry()) return true;
  Unregister();
  return false;
}

bool WindowRegistration::WriteEntry() { return ReplaceFileContents(entry_.string(), EntryText(window_)); }

bool WindowRegistration::SetTitle(std::string_view title) {
  if (entry_.empty()) return false;
  window_.title = title;
  return WriteEntry();
}

void WindowRegistration::Unregister() {
  if (listener_ >= 0) {
    ::close(listener_);
    listener_ = -1;
    ::unlink(window_.noticeSocket.c_str());
  }
  if (!entry_.empty()) {
    std::error_code error;
    fs::remove(entry_, error);
    entry_.clear();
  }
}

std::optional<RegisteredWindow> FindRegisteredWindow(std::string_view className,
                                                     std::optional<std::string_view> title) {
  const std::optional<fs::path> folder = RuntimeSubfolder("windows");
  if (!folder) return std::nullopt;
  std::error_code error;
  for (const fs::directory_entry& file : fs::directory_iterator(*folder, error)) {
    if (file.path().extension() != kEntryExtension) continue;
    std::ifstream in(file.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::optional<RegisteredWindow> window = ParseEntry(text.str());
    if (!window) continue;
    if (!StillRunning(window->process)) {
      // Left behind by a process that ended without clearing it.
      fs::remove(file.path(), error);
      continue;
    }
    if (window->className != className) continue;
    if (title && window->title != *title) continue;
    return window;
  }
  return std::nullopt;
}

}  // namespace platform
