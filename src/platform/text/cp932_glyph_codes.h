#pragma once

#include <cstdint>

namespace platform {

// The Unicode code point of a CP932 code (a single byte, or lead << 8 | trail), 0 for a code
// that is no character. The table is built once, with iconv's CP932.
std::uint32_t Cp932ToCodePoint(std::uint16_t code);

}  // namespace platform
