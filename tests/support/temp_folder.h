#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. Names given to the helpers are UTF-8 host names.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path Write(std::string_view relative, std::string_view bytes) const;
  std::filesystem::path MakeFolder(std::string_view relative) const;
  std::string Read(std::string_view relative) const;

 private:
  std::filesystem::path path_;
};

// Makes the given folder the current one for the object's lifetime.
class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(const std::filesystem::path& folder);
  ~ScopedCurrentFolder();
  ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
  ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

}  // namespace testsupport
