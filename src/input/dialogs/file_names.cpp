#include "input/dialogs/file_names.h"

#include <algorithm>

#include "core/sjis.h"
#include "platform/files/folder_listing.h"
#include "platform/text_codec.h"

namespace {

bool ValidCp932(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto c = static_cast<unsigned char>(text[pos]);
    if (IsSjisLeadByte(c)) {
      if (pos + 1 >= text.size() || !IsSjisTrailByte(static_cast<unsigned char>(text[pos + 1]))) return false;
      pos += 2;
    } else {
      if (c == 0x80 || c == 0xA0 || c >= 0xFD) return false;
      ++pos;
    }
  }
  return true;
}

bool ValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto c = static_cast<unsigned char>(text[pos]);
    const std::size_t width = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (width == 0 || (width == 2 && c < 0xC2) || pos + width > text.size()) return false;
    for (std::size_t i = 1; i < width; ++i) {
      if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) return false;
    }
    pos += width;
  }
  return true;
}

// Byte offset of the last path separator, stepping over double-byte characters whose second
// byte is a backslash; npos without one.
std::size_t LastSeparator(std::string_view text) {
  std::size_t last = std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += SjisCharWidth(text, pos)) {
    if (text[pos] == '\\') last = pos;
  }
  return last;
}

unsigned char Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// One character of `text` at `pos` against one of the pattern.
bool SameChar(std::string_view text, std::size_t pos, std::size_t width, std::string_view pattern, std::size_t at,
              std::size_t patternWidth) {
  if (width != patternWidth) return false;
  if (width == 1) return Fold(static_cast<unsigned char>(text[pos])) == Fold(static_cast<unsigned char>(pattern[at]));
  return text.substr(pos, width) == pattern.substr(at, patternWidth);
}

// Wildcard match by characters: the classic backtracking of the last '*'.
bool MatchOne(std::string_view text, std::string_view pattern) {
  std::size_t t = 0, p = 0;
  std::size_t starP = std::string_view::npos, starT = 0;
  while (t < text.size()) {
    const std::size_t tw = SjisCharWidth(text, t);
    if (p < pattern.size()) {
      const std::size_t pw = SjisCharWidth(pattern, p);
      if (pattern[p] == '*') {
        starP = p++;
        starT = t;
        continue;
      }
      if (pattern[p] == '?' || SameChar(text, t, tw, pattern, p, pw)) {
        t += tw;
        p += pw;
        continue;
      }
    }
    if (starP == std::string_view::npos) return false;
    p = starP + 1;
    starT += SjisCharWidth(text, starT);
    t = starT;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string Folded(const std::string& name) {
  std::string folded = name;
  for (std::size_t pos = 0; pos < folded.size();) {
    const std::size_t width = SjisCharWidth(folded, pos);
    if (width == 1) folded[pos] = static_cast<char>(Fold(static_cast<unsigned char>(folded[pos])));
    pos += width;
  }
  return folded;
}

}  // namespace

std::optional<std::string> ChooserName(std::string_view hostName) {
  if (ValidUtf8(hostName)) {
    std::string cp932;
    if (platform::Utf8ToCp932(hostName, cp932)) return cp932;
    return std::nullopt;  // a character the game's code page lacks
  }
  // The raw bytes of a Shift-JIS name unpacked without conversion are the game's own, when
  // every character of them is one the code page assigns.
  std::string utf8;
  if (ValidCp932(hostName) && platform::Cp932ToUtf8(hostName, utf8)) return std::string(hostName);
  return std::nullopt;
}

bool MatchesPatterns(std::string_view cp932Name, std::string_view patterns) {
  std::size_t start = 0;
  while (start <= patterns.size()) {
    const std::size_t end = std::min(patterns.find(';', start), patterns.size());
    std::string_view pattern = patterns.substr(start, end - start);
    while (!pattern.empty() && pattern.front() == ' ') pattern.remove_prefix(1);
    while (!pattern.empty() && pattern.back() == ' ') pattern.remove_suffix(1);
    if (!pattern.empty() && MatchOne(cp932Name, pattern)) return true;
    start = end + 1;
  }
  return false;
}

std::vector<ChooserEntry> ListChooserFolder(const std::string& hostFolder, std::string_view patterns, bool atRoot) {
  std::vector<ChooserEntry> folders, files;
  for (const platform::FolderEntry& entry : platform::ListFolder(hostFolder)) {
    const std::optional<std::string> name = ChooserName(entry.name);
    if (!name) continue;
    if (entry.folder) folders.push_back(ChooserEntry{*name, entry.name, true});
    else if (MatchesPatterns(*name, patterns)) files.push_back(ChooserEntry{*name, entry.name, false});
  }
  const auto byName = [](const ChooserEntry& a, const ChooserEntry& b) {
    const std::string fa = Folded(a.name), fb = Folded(b.name);
    return fa != fb ? fa < fb : a.name < b.name;
  };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);
  std::vector<ChooserEntry> listing;
  if (!atRoot) listing.push_back(ChooserEntry{"..", "..", true});
  listing.insert(listing.end(), folders.begin(), folders.end());
  listing.insert(listing.end(), files.begin(), files.end());
  return listing;
}

std::string WithDefaultExtension(const std::string& cp932Name, std::string_view defaultExtension) {
  // The name's own extension: a '.' in its last component.
  const std::size_t slash = LastSeparator(cp932Name);
  const std::size_t dot = cp932Name.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return cp932Name;
  std::string_view extension = defaultExtension.substr(0, defaultExtension.find(';'));
  extension = extension.substr(0, extension.find('*'));
  if (extension.empty()) return cp932Name;
  return cp932Name + "." + std::string(extension);
}

std::optional<std::vector<std::string>> QuotedNames(std::string_view cp932Text) {
  std::vector<std::string> names;
  bool inside = false;
  std::string name;
  for (std::size_t pos = 0; pos < cp932Text.size();) {
    const std::size_t width = SjisCharWidth(cp932Text, pos);
    const bool quote = width == 1 && cp932Text[pos] == '"';
    if (quote) {
      if (inside && !name.empty()) names.push_back(name);
      name.clear();
      inside = !inside;
    } else if (inside) {
      name.append(cp932Text.substr(pos, width));
    } else if (!(width == 1 && cp932Text[pos] == ' ')) {
      return std::nullopt;  // a name outside quotes: one plain name, not a list
    }
    pos += width;
  }
  if (inside || names.empty()) return std::nullopt;
  return names;
}
