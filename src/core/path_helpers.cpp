#include "core/path_helpers.h"

#include <filesystem>
#include <vector>

#include "core/host_path.h"
#include "core/sjis.h"
#include "platform/text_codec.h"

namespace {

bool IsSeparatorAt(std::string_view path, std::size_t pos, std::size_t width) {
  return width == 1 && (path[pos] == '\\' || path[pos] == '/');
}

// Position just after the last separator (0 when there is none).
std::size_t LastComponentStart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t width = SjisCharWidth(path, pos);
    if (IsSeparatorAt(path, pos, width)) start = pos + 1;
    pos += width;
  }
  return start;
}

// Position of the extension's dot in the last component. A dot byte is never the second
// byte of a character, so a plain search within the component is exact.
std::size_t ExtensionDot(std::string_view path) {
  const std::size_t start = LastComponentStart(path);
  const std::size_t dot = path.rfind('.');
  return (dot == std::string_view::npos || dot < start) ? std::string_view::npos : dot;
}

std::vector<std::string> SplitComponents(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t width = SjisCharWidth(path, pos);
    if (IsSeparatorAt(path, pos, width)) {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current.append(path.substr(pos, width));
    }
    pos += width;
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

std::vector<std::string> FoldDots(const std::vector<std::string>& parts) {
  std::vector<std::string> folded;
  for (const std::string& part : parts) {
    if (part == ".") continue;
    if (part == "..") {
      if (!folded.empty()) folded.pop_back();
      continue;
    }
    folded.push_back(part);
  }
  return folded;
}

bool SameComponent(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t pos = 0; pos < a.size();) {
    const std::size_t width = SjisCharWidth(a, pos);
    if (width == 2) {
      if (a.substr(pos, 2) != b.substr(pos, 2)) return false;
    } else {
      char x = a[pos];
      char y = b[pos];
      if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 0x20);
      if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 0x20);
      if (x != y) return false;
    }
    pos += width;
  }
  return true;
}

// The current folder as a CP932 absolute game path, split into components.
bool CurrentFolderComponents(std::vector<std::string>& parts) {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  if (error) return false;
  std::string cp932;
  if (!platform::Utf8ToCp932(current.string(), cp932)) return false;
  parts = SplitComponents(cp932);
  return true;
}

std::string JoinAbsolute(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts) joined.append("\\").append(part);
  return joined.empty() ? std::string("\\") : joined;
}

int Assign(std::string& destination, std::string value, int result) {
  if (value.size() > kMaxPathChars) {
    destination.clear();
    return 0;
  }
  destination = std::move(value);
  return result;
}

}  // namespace

int PathMakeRelative(std::string& path) {
  if (!IsAbsoluteGamePath(path)) return 1;
  std::vector<std::string> base;
  if (!CurrentFolderComponents(base)) return 0;
  const std::vector<std::string> target = FoldDots(SplitComponents(path));
  std::size_t common = 0;
  while (common < base.size() && common < target.size() && SameComponent(base[common], target[common])) ++common;
  std::string relative = common == base.size() ? std::string(".") : std::string();
  for (std::size_t i = common; i < base.size(); ++i) relative.append(relative.empty() ? ".." : "\\..");
  for (std::size_t i = common; i < target.size(); ++i) relative.append("\\").append(target[i]);
  if (relative.size() > kMaxPathChars) return 0;
  path = std::move(relative);
  return 1;
}

int PathMakeRelativeStr(std::string& path) { return PathMakeRelative(path); }

int PathMakeAbsolute(std::string& path) {
  if (IsAbsoluteGamePath(path)) return 1;
  std::vector<std::string> parts;
  if (!CurrentFolderComponents(parts)) return 0;
  for (std::string& part : SplitComponents(path)) parts.push_back(std::move(part));
  std::string absolute = JoinAbsolute(FoldDots(parts));
  if (absolute.size() > kMaxPathChars) return 0;
  path = std::move(absolute);
  return 1;
}

void PathStripDir(std::string& path) {
  const std::size_t start = LastComponentStart(path);
  if (start > 0) path.erase(0, start);
}

int PathChangeExt(std::string& destination, std::string_view source, const char* newExt) {
  const std::size_t dot = ExtensionDot(source);
  if (dot == std::string_view::npos) return Assign(destination, std::string(source), 0);
  std::string changed(source.substr(0, newExt != nullptr ? dot + 1 : dot));
  if (newExt != nullptr) changed.append(newExt);
  return Assign(destination, std::move(changed), 1);
}

int PathStripExt(std::string& path) {
  const std::size_t dot = ExtensionDot(path);
  if (dot == std::string::npos) return 0;
  path.erase(dot);
  return 1;
}

int PathStripExtStr(std::string& path) { return PathStripExt(path); }

int PathGetExt(std::string& destination, std::string_view path) {
  const std::size_t dot = ExtensionDot(path);
  if (dot == std::string_view::npos || path.size() - dot - 1 > 31) {
    destination.clear();
    return 0;
  }
  destination.assign(path.substr(dot + 1));
  return 1;
}

int PathInsertNumber(std::string& destination, std::string_view source, int digitA, int digitB) {
  const std::size_t dot = ExtensionDot(source);
  if (dot == std::string_view::npos) return 0;
  std::string numbered(source.substr(0, dot));
  numbered += '_';
  numbered += static_cast<char>('0' + digitA);
  numbered += static_cast<char>('0' + digitB);
  numbered.append(source.substr(dot));
  return Assign(destination, std::move(numbered), 1);
}

int FindLastNumberedFile(std::string& destination, std::string_view source, const char* ext) {
  std::string base;
  PathChangeExt(base, source, ext);
  if (base.empty()) return 0;
  for (int n = 999; n >= 0; --n) {
    std::string candidate = base;
    candidate += '_';
    candidate += static_cast<char>('0' + n / 100);
    candidate += static_cast<char>('0' + n / 10 % 10);
    candidate += static_cast<char>('0' + n % 10);
    if (candidate.size() <= kMaxPathChars && GamePathExists(candidate)) {
      destination = std::move(candidate);
      return 1;
    }
  }
  return 0;
}

int FindLastNumberedFileStr(std::string& destination, const std::string& source, const char* ext) {
  return FindLastNumberedFile(destination, source, ext);
}
