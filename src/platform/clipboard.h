#pragma once

#include <string>

namespace platform {

// The desktop's clipboard text (UTF-8); empty without one or headless.
std::string ClipboardText();

}  // namespace platform
