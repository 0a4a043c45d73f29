#include "core/host_path.h"

#include <filesystem>

#include "core/sjis.h"
#include "platform/files/path_resolver.h"
#include "platform/text_codec.h"

namespace {

std::string AbsoluteHostPath(std::string_view gamePath) {
  std::string slashed;
  slashed.reserve(gamePath.size());
  for (std::size_t pos = 0; pos < gamePath.size();) {
    const std::size_t width = SjisCharWidth(gamePath, pos);
    if (width == 1 && gamePath[pos] == '\\') {
      slashed += '/';
    } else {
      slashed.append(gamePath.substr(pos, width));
    }
    pos += width;
  }
  std::string host;
  if (!platform::Cp932ToUtf8(slashed, host)) return std::string();
  return host;
}

}  // namespace

bool IsAbsoluteGamePath(std::string_view gamePath) {
  return !gamePath.empty() && (gamePath[0] == '\\' || gamePath[0] == '/');
}

std::string HostPathForRead(std::string_view gamePath) {
  if (IsAbsoluteGamePath(gamePath)) return AbsoluteHostPath(gamePath);
  platform::ResolvedPath resolved = platform::GameFolder().Resolve(gamePath);
  return resolved.ok() ? resolved.hostPath : std::string();
}

std::string HostPathForWrite(std::string_view gamePath) {
  if (IsAbsoluteGamePath(gamePath)) return AbsoluteHostPath(gamePath);
  platform::ResolvedPath resolved = platform::GameFolder().ResolveForCreate(gamePath);
  return resolved.ok() ? resolved.hostPath : std::string();
}

std::string HostPathInCurrentFolder(std::string_view hostName) {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  if (error) return std::string(hostName);
  return (current / hostName).string();
}

bool GamePathExists(std::string_view gamePath) {
  const std::string host = HostPathForRead(gamePath);
  if (host.empty()) return false;
  if (!IsAbsoluteGamePath(gamePath)) return true;  // the resolver found every component
  std::error_code error;
  return std::filesystem::exists(host, error);
}
