#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// Why a project path could not be turned into a host path.
enum class PathError {
  None,
  Empty,             // nothing but separators, dots or spaces
  TooLong,           // 260 characters or more, as a Windows path buffer holds; refused, never cut
  Absolute,          // begins with a separator, or is a UNC name
  DriveLetter,       // "C:" and the like
  EscapesRoot,       // ".." climbs above the game folder
  InvalidCharacter,  // NUL, control characters or < > : " | ? * in a component
  BadEncoding,       // a component is not CP932 and no file on disk has its raw bytes
  NotFound,          // some component does not exist (Resolve only)
};

struct ResolvedPath {
  std::string hostPath;  // UTF-8 (or the raw bytes of a file unpacked without conversion)
  PathError error = PathError::None;
  bool ok() const { return error == PathError::None; }
};

// Turns project paths (CP932 bytes in Windows form: backslashes or slashes, any letter case,
// trailing dots and spaces ignored) into paths on this machine below one root folder.
// Components are matched case-insensitively against cached folder listings; a listing is
// read again when its folder's modification time changes.
class PathResolver {
 public:
  static constexpr std::size_t kMaxPathBytes = 259;

  explicit PathResolver(std::string rootFolder = ".");

  // Every component must exist.
  ResolvedPath Resolve(std::string_view cp932Path);
  // Existing components are matched as in Resolve; the components that do not exist yet
  // get UTF-8 names, so that a new file or folder can be made there.
  ResolvedPath ResolveForCreate(std::string_view cp932Path);
  // Drops every cached listing.
  void Forget();

  const std::string& root() const { return root_; }

 private:
  struct Impl;
  std::string root_;
  std::shared_ptr<Impl> impl_;
};

// The resolver of the game folder: the current folder at the time of the first call.
PathResolver& GameFolder();

}  // namespace platform
