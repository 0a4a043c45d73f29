#pragma once

#include <string>

namespace testsupport {

// Narrow literals are CP932 in this build; u8 literals stay UTF-8. This turns the latter into
// a plain string of UTF-8 bytes, as host file names and converted texts are.
inline std::string Utf8(const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); }

}  // namespace testsupport
