#include "core/system_ini.h"

#include <algorithm>
#include <climits>

#include "core/host_path.h"
#include "core/report_log.h"
#include "platform/files/file_replace.h"

cSystemIni SystemIni;

namespace {

// Settings by option row; rows 8 (the stage text) and 9 (English) are handled apart.
constexpr std::int32_t cSystemIni::*kNumberRows[] = {
    &cSystemIni::Direct3D,     &cSystemIni::WindowMode,   &cSystemIni::Bpp,
    &cSystemIni::VSync,        &cSystemIni::D3D_FontCache, &cSystemIni::DD_FontCache,
    &cSystemIni::DD_VideoStretch, &cSystemIni::ShowFps,
};
constexpr int kNumberRowCount = static_cast<int>(std::size(kNumberRows));
constexpr int kFreeStageRow = 8;
constexpr int kEnglishRow = 9;

constexpr char kTab = 9;
constexpr char kLF = 10;
constexpr char kCR = 13;

enum class KeyEnd { Equals, LineEnd, Nul, EndOfText };

// A key or value as it is read: kept up to the length limit, and marked when it went past.
struct Token {
  std::string text;
  bool tooLong = false;

  void Add(char c) {
    if (text.size() < kMaxSystemIniToken) {
      text.push_back(c);
    } else {
      tooLong = true;
    }
  }
};

class IniScanner {
 public:
  explicit IniScanner(std::string_view text) : text_(text) {}

  // Key bytes up to "=", LF or NUL; CR, space and TAB are left out wherever they stand.
  KeyEnd ReadKey(Token& key) {
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      switch (c) {
        case '=':
          return KeyEnd::Equals;
        case kLF:
          return KeyEnd::LineEnd;
        case '\0':
          return KeyEnd::Nul;
        case kCR:
        case ' ':
        case kTab:
          break;
        default:
          key.Add(c);
      }
    }
    return KeyEnd::EndOfText;
  }

  // Value bytes up to space, TAB, "/", LF or NUL (the terminator is consumed, so whatever
  // follows it on the line is read as a line of its own), or the end of the text.
  void ReadValue(Token& value) {
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == ' ' || c == kTab || c == '/' || c == kLF || c == '\0') return;
      value.Add(c);
    }
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsCSpace(char c) { return c == ' ' || (c >= kTab && c <= kCR); }

// The number at the start of the value as atoi reads it (white space, a sign, digits); a
// number beyond the 32-bit range saturates rather than being undefined.
std::int32_t IniNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), limit);
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

// The first row named by the key, or -1. Row access goes through the checked sequence.
int FindRow(const std::string& key, const SystemIniKeys& rows) {
  const int count = static_cast<int>(std::min<std::size_t>(rows.size(), INT_MAX));
  for (int row = 0; row < count; ++row) {
    if (rows[row].strKey == key) return row;
  }
  return -1;
}

void ApplySetting(cSystemIni& settings, int row, const std::string& value) {
  if (row >= 0 && row < kNumberRowCount) {
    settings.*kNumberRows[row] = IniNumber(value);
  } else if (row == kFreeStageRow) {
    // A single character names no stage file and is ignored.
    if (value.size() > 1 && value.size() <= kMaxFreeStage) settings.FreeStage = value;
  } else if (row == kEnglishRow) {
    settings.English = IniNumber(value);
  }
}

}  // namespace

void SetSystemIniDefaults(cSystemIni& settings, const SystemIniKeys& rows) {
  for (int row = 0; row < kNumberRowCount; ++row) settings.*kNumberRows[row] = rows[row].nValue;
  // A default too long for a stage path is dropped whole: a cut one would name another file.
  const std::string& stage = rows[kFreeStageRow].strValue;
  settings.FreeStage = stage.size() <= kMaxFreeStage ? stage : std::string();
  settings.English = 0;
}

int ParseSystemIni(std::string_view text, cSystemIni& settings, const SystemIniKeys& rows) {
  IniScanner in(text);
  for (int line = 0; line < kMaxSystemIniLines; ++line) {
    Token key;
    switch (in.ReadKey(key)) {
      case KeyEnd::EndOfText:
        return 0;  // a proper file ends with an "Exit" line or a NUL
      case KeyEnd::Nul:
        return 1;
      case KeyEnd::LineEnd:
        if (key.text == "Exit") return 1;
        continue;  // a line without "=" is ignored
      case KeyEnd::Equals:
        break;
    }
    Token value;
    in.ReadValue(value);
    // A key or value past the limit is not what was written once cut: the line is ignored.
    if (key.tooLong || value.tooLong) continue;
    // CR LF files would otherwise leave a CR on every value, and no stage file ends in one.
    while (!value.text.empty() && value.text.back() == kCR) value.text.pop_back();
    ApplySetting(settings, FindRow(key.text, rows), value.text);
  }
  return 1;
}

int LoadSystemIni(std::string_view path, cSystemIni& settings, const SystemIniKeys& rows) {
  const std::string host = HostPathForRead(path);
  std::string text;
  if (host.empty() || !platform::ReadFileContents(host, kMaxSystemIniBytes, text)) {
    Log("%.*s: missing, unreadable or larger than %zu bytes", static_cast<int>(path.size()), path.data(),
        kMaxSystemIniBytes);
    return 0;
  }
  if (ParseSystemIni(text, settings, rows) == 0) {
    Log("%.*s: ends without an \"Exit\" line or a NUL byte", static_cast<int>(path.size()), path.data());
    return 0;
  }
  return 1;
}
