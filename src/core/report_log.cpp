#include "core/report_log.h"

#include <cstdio>
#include <mutex>

#include "core/close_request.h"
#include "core/message_boxes.h"
#include "core/sjis.h"

namespace {

struct LogFile {
  std::string hostPath;
  bool writtenThisRun = false;
};

std::mutex g_mutex;  // one lock for both logs: a line is opened, written and closed under it
LogFile g_report;
LogFile g_error;
bool g_errorEnabled = false;

bool AppendLine(const std::string& hostPath, const char* mode, std::string_view text) {
  if (hostPath.empty()) return false;
  std::FILE* file = std::fopen(hostPath.c_str(), mode);
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fputc('\n', file) != EOF;
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

std::string CutToLineLimit(std::string text) {
  text.resize(SjisCutLength(text, kLogLineLimit));
  return text;
}

bool ErrLogLocked(std::string_view text) {
  if (!g_errorEnabled) return false;
  const char* mode = g_error.writtenThisRun ? "a" : "w";
  g_error.writtenThisRun = true;
  return AppendLine(g_error.hostPath, mode, text);
}

bool MirrorLocked(const std::string& text) {
  if (!AppendLine(g_report.hostPath, "a", text)) return false;
  ErrLogLocked(text);
  return true;
}

}  // namespace

bool LogInit(std::string_view hostPath) {
  std::lock_guard lock(g_mutex);
  g_report.hostPath = hostPath;
  if (g_report.hostPath.empty()) return false;
  std::FILE* file = std::fopen(g_report.hostPath.c_str(), "w");
  if (file == nullptr) {
    g_report.hostPath.clear();
    return false;
  }
  return std::fclose(file) == 0;
}

bool LogText(std::string_view text) {
  std::lock_guard lock(g_mutex);
  return AppendLine(g_report.hostPath, "a", text);
}

bool Log(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = VFormat(format, args);
  va_end(args);
  return LogText(text);
}

bool LogMirror(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = CutToLineLimit(VFormat(format, args));
  va_end(args);
  std::lock_guard lock(g_mutex);
  return MirrorLocked(text);
}

bool LogError(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = CutToLineLimit(VFormat(format, args));
  va_end(args);
  {
    std::lock_guard lock(g_mutex);
    if (!MirrorLocked(text)) return false;
  }
  // The box waits for the user: the log is closed and unlocked by now.
  ErrorBox(text);
  return true;
}

void ErrLogInit(bool enable, std::string_view hostPath) {
  std::lock_guard lock(g_mutex);
  g_errorEnabled = enable;
  g_error.hostPath = enable ? std::string(hostPath) : std::string();
  g_error.writtenThisRun = false;
}

bool ErrLogEnabled() {
  std::lock_guard lock(g_mutex);
  return g_errorEnabled;
}

bool ErrLog(std::string_view text) {
  std::lock_guard lock(g_mutex);
  return ErrLogLocked(text);
}

bool ErrLogStr(std::string_view text) { return ErrLog(text); }

bool ErrLogf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = VFormat(format, args);
  va_end(args);
  return ErrLog(text);
}

void ErrLogfClose(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = VFormat(format, args);
  va_end(args);
  ErrLog(text);
  PostCloseRequest();
}
