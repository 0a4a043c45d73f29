#pragma once

#include <string>
#include <string_view>

#include "core/format.h"

// The report log: emptied at start, one plain line per call. Any thread may write; lines are
// appended whole under one lock, so lines of different threads never tear or get lost.
// The log files' paths are host paths (UTF-8, as the file system spells them), never game
// paths: the folder they are in may hold characters the game's code page cannot.
bool LogInit(std::string_view hostPath);
bool Log(const char* format, ...) KESTREL_PRINTF(1, 2);
// Writes the text as it stands (no formatting); what Log's callers use for ready-made texts.
bool LogText(std::string_view text);
// As Log, also passed to the error log; the text is cut to 1023 bytes on a character boundary.
bool LogMirror(const char* format, ...) KESTREL_PRINTF(1, 2);
// As LogMirror, then the text is shown in an error box (after the log file is closed).
bool LogError(const char* format, ...) KESTREL_PRINTF(1, 2);

// The error log: same line format, with an enable switch that this program turns off.
void ErrLogInit(bool enable, std::string_view hostPath);
bool ErrLog(std::string_view text);
bool ErrLogStr(std::string_view text);
bool ErrLogf(const char* format, ...) KESTREL_PRINTF(1, 2);
// The fatal-error exit of scene start: error log when enabled, then always a close request.
void ErrLogfClose(const char* format, ...) KESTREL_PRINTF(1, 2);
bool ErrLogEnabled();

// Longest text LogMirror, LogError and the error boxes hold.
constexpr std::size_t kLogLineLimit = 1023;
