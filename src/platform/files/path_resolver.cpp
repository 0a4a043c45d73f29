#include "platform/files/path_resolver.h"

#include <dirent.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/text_codec.h"

namespace platform {
namespace {

bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

std::size_t CharWidth(std::string_view text, std::size_t pos) {
  return (pos + 1 < text.size() && IsLead(static_cast<unsigned char>(text[pos])) &&
          IsTrail(static_cast<unsigned char>(text[pos + 1])))
             ? 2
             : 1;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsForbidden(unsigned char c) {
  return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*';
}

struct Component {
  std::string raw;   // CP932 bytes as the project wrote them
  bool dots = false; // "." or ".."
};

// Splits on separators that are whole characters: the second byte of a double-byte
// character may be 0x5C (ソ is 83 5C) and is not a separator.
PathError Split(std::string_view path, std::vector<std::string>& out) {
  std::string current;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t width = CharWidth(path, pos);
    if (width == 1) {
      const unsigned char c = static_cast<unsigned char>(path[pos]);
      if (IsSeparator(static_cast<char>(c))) {
        out.push_back(std::move(current));
        current.clear();
        ++pos;
        continue;
      }
      if (IsForbidden(c)) return PathError::InvalidCharacter;
    }
    current.append(path.substr(pos, width));
    pos += width;
  }
  out.push_back(std::move(current));
  return PathError::None;
}

// Windows ignores trailing dots and spaces of a name; a name of nothing but dots and spaces
// other than "." and ".." names the folder itself.
std::string TrimWindowsName(const std::string& name) {
  if (name == "." || name == "..") return name;
  std::size_t end = name.size();
  while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' ')) --end;
  // A trailing 0x20 or 0x2E cannot be a trail byte, so cutting bytes here never splits a character.
  return end == 0 ? std::string(".") : name.substr(0, end);
}

PathError Normalise(std::string_view path, std::vector<std::string>& components) {
  if (path.empty()) return PathError::Empty;
  if (path.size() > PathResolver::kMaxPathBytes) return PathError::TooLong;
  if (path.find('\0') != std::string_view::npos) return PathError::InvalidCharacter;
  if (IsSeparator(path[0])) return PathError::Absolute;
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    return PathError::DriveLetter;
  }
  std::vector<std::string> pieces;
  if (PathError error = Split(path, pieces); error != PathError::None) return error;
  for (const std::string& piece : pieces) {
    if (piece.empty()) continue;
    const std::string name = TrimWindowsName(piece);
    if (name == ".") continue;
    if (name == "..") {
      if (components.empty()) return PathError::EscapesRoot;
      components.pop_back();
      continue;
    }
    components.push_back(name);
  }
  return components.empty() ? PathError::Empty : PathError::None;
}

// Reads one UTF-8 code point; invalid bytes come back as themselves.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const unsigned char c = static_cast<unsigned char>(text[pos]);
  int extra = 0;
  char32_t value = c;
  if (c >= 0xF0 && c <= 0xF4) { extra = 3; value = c & 0x07; }
  else if (c >= 0xE0) { extra = 2; value = c & 0x0F; }
  else if (c >= 0xC2 && c <= 0xDF) { extra = 1; value = c & 0x1F; }
  if (pos + static_cast<std::size_t>(extra) >= text.size() && extra > 0) extra = -1;
  for (int i = 1; i <= extra; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
    if ((next & 0xC0) != 0x80) { extra = -1; break; }
    value = (value << 6) | (next & 0x3F);
  }
  if (extra <= 0) { ++pos; return c; }
  pos += static_cast<std::size_t>(extra) + 1;
  return value;
}

// Upper-to-lower folding for the letters a CP932 name can hold: ASCII, full-width Latin,
// Greek and Cyrillic. The rest of the name compares exactly.
char32_t FoldCase(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
  if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) return c + 0x20;
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
  return c;
}

bool EqualsIgnoringCaseUtf8(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (FoldCase(NextCodePoint(a, i)) != FoldCase(NextCodePoint(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

// Raw CP932 names on disk: only single-byte ASCII letters fold, never a trail byte.
bool EqualsIgnoringCaseCp932(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t pos = 0; pos < a.size();) {
    const std::size_t width = CharWidth(a, pos);
    if (width != CharWidth(b, pos)) return false;
    if (width == 2) {
      if (a[pos] != b[pos] || a[pos + 1] != b[pos + 1]) return false;
    } else {
      char x = a[pos];
      char y = b[pos];
      if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 0x20);
      if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 0x20);
      if (x != y) return false;
    }
    pos += width;
  }
  return true;
}

struct Listing {
  timespec mtime{};
  bool loaded = false;
  bool settled = false;  // read long enough after its last change that the listing is complete
  std::vector<std::string> names;  // sorted, so that a choice between look-alikes is stable
};

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// A folder changed within the file system's timestamp granularity of our read may change
// again without its time moving; such a listing is read again before a miss is believed.
bool IsSettled(const timespec& mtime) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const long long ageMs = (static_cast<long long>(now.tv_sec) - mtime.tv_sec) * 1000 +
                          (static_cast<long long>(now.tv_nsec) - mtime.tv_nsec) / 1000000;
  return ageMs > 100;
}

bool ReadListing(const std::string& folder, const timespec& mtime, Listing& listing) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return false;
  listing.names.clear();
  listing.loaded = true;
  listing.mtime = mtime;
  listing.settled = IsSettled(mtime);
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    listing.names.emplace_back(name);
  }
  closedir(dir);
  std::sort(listing.names.begin(), listing.names.end());
  return true;
}

}  // namespace

struct PathResolver::Impl {
  std::mutex mutex;
  std::map<std::pair<dev_t, ino_t>, Listing> cache;

  // The cached listing of a folder, read again when the folder changed; nullptr when the
  // folder cannot be read.
  Listing* ListingOf(const std::string& folder, bool reread) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return nullptr;
    Listing& listing = cache[{info.st_dev, info.st_ino}];
    if (reread || !listing.loaded || !SameTime(listing.mtime, info.st_mtim)) {
      if (!ReadListing(folder, info.st_mtim, listing)) return nullptr;
    }
    return &listing;
  }

  static const std::string* Match(const Listing& listing, const std::string& utf8, bool haveUtf8,
                                  const std::string& raw) {
    if (haveUtf8) {
      if (std::binary_search(listing.names.begin(), listing.names.end(), utf8)) {
        return &*std::lower_bound(listing.names.begin(), listing.names.end(), utf8);
      }
      for (const std::string& name : listing.names) {
        if (EqualsIgnoringCaseUtf8(name, utf8)) return &name;
      }
    }
    // Files unpacked without converting their names keep the raw CP932 bytes.
    for (const std::string& name : listing.names) {
      if (EqualsIgnoringCaseCp932(name, raw)) return &name;
    }
    return nullptr;
  }

  ResolvedPath Walk(const std::string& root, const std::vector<std::string>& components, bool forCreate) {
    std::lock_guard lock(mutex);
    ResolvedPath result;
    std::string host = root;
    std::string joined;
    bool missing = false;
    for (const std::string& raw : components) {
      std::string utf8;
      const bool haveUtf8 = Cp932ToUtf8(raw, utf8);
      const std::string* found = nullptr;
      if (!missing) {
        Listing* listing = ListingOf(host, false);
        if (listing != nullptr) {
          found = Match(*listing, utf8, haveUtf8, raw);
          if (found == nullptr && !listing->settled) {
            listing = ListingOf(host, true);
            if (listing != nullptr) found = Match(*listing, utf8, haveUtf8, raw);
          }
        }
      }
      std::string name;
      if (found != nullptr) {
        name = *found;
      } else {
        if (!haveUtf8) return {std::string(), PathError::BadEncoding};
        if (!forCreate) return {std::string(), PathError::NotFound};
        missing = true;
        name = utf8;
      }
      host += '/';
      host += name;
      if (!joined.empty()) joined += '/';
      joined += name;
    }
    result.hostPath = root == "." ? joined : host;
    return result;
  }
};

PathResolver::PathResolver(std::string rootFolder)
    : root_(rootFolder.empty() ? std::string(".") : std::move(rootFolder)), impl_(std::make_shared<Impl>()) {
  while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

ResolvedPath PathResolver::Resolve(std::string_view cp932Path) {
  std::vector<std::string> components;
  if (PathError error = Normalise(cp932Path, components); error != PathError::None) return {std::string(), error};
  return impl_->Walk(root_, components, false);
}

ResolvedPath PathResolver::ResolveForCreate(std::string_view cp932Path) {
  std::vector<std::string> components;
  if (PathError error = Normalise(cp932Path, components); error != PathError::None) return {std::string(), error};
  return impl_->Walk(root_, components, true);
}

void PathResolver::Forget() {
  std::lock_guard lock(impl_->mutex);
  impl_->cache.clear();
}

PathResolver& GameFolder() {
  static PathResolver resolver(".");
  return resolver;
}

}  // namespace platform
