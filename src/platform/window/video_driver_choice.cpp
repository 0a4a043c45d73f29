#include "platform/window/video_driver_choice.h"

namespace platform {
namespace {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool Named(std::string_view driver, std::string_view requested) {
  while (true) {
    const std::size_t comma = requested.find(',');
    if (SameNameIgnoringCase(driver, requested.substr(0, comma))) return true;
    if (comma == std::string_view::npos) return false;
    requested.remove_prefix(comma + 1);
  }
}

}  // namespace

bool VideoDriverAcceptable(std::string_view chosen, std::string_view requested) {
  const bool showsNothing = SameNameIgnoringCase(chosen, "offscreen") || SameNameIgnoringCase(chosen, "dummy");
  return !showsNothing || Named(chosen, requested);
}

}  // namespace platform
