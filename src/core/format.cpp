#include "core/format.h"

#include <cstdio>

std::string VFormat(const char* format, va_list args) {
  char small[512];
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (length < 0) return std::string();
  if (static_cast<std::size_t>(length) < sizeof small) return std::string(small, static_cast<std::size_t>(length));
  std::string text(static_cast<std::size_t>(length), '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  return text;
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = VFormat(format, args);
  va_end(args);
  return text;
}

void FormatString(std::string& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  out = VFormat(format, args);
  va_end(args);
}
