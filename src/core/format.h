#pragma once

#include <cstdarg>
#include <string>

#define KESTREL_PRINTF(fmtIndex, firstArg) __attribute__((format(printf, fmtIndex, firstArg)))

// printf-style formatting into a string of any length. The fixed 5120-byte buffer of the
// original is gone: a long text is kept whole rather than cut.
std::string VFormat(const char* format, va_list args);
std::string Format(const char* format, ...) KESTREL_PRINTF(1, 2);
void FormatString(std::string& out, const char* format, ...) KESTREL_PRINTF(2, 3);
