#pragma once

#include <cstddef>
#include <string_view>

// Shift-JIS (code page 932) byte classes. A lead byte opens a two-byte character; its second
// byte may be any trail byte, including 0x5C (the path separator) and ASCII letters, so byte
// scans of game text must step over whole characters.
constexpr bool IsSjisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
constexpr bool IsSjisTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Width in bytes of the character that starts at `pos` (1 or 2).
inline std::size_t SjisCharWidth(std::string_view text, std::size_t pos) {
  if (pos + 1 < text.size() && IsSjisLeadByte(static_cast<unsigned char>(text[pos])) &&
      IsSjisTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
    return 2;
  }
  return 1;
}

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a character boundary.
inline std::size_t SjisCutLength(std::string_view text, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t width = SjisCharWidth(text, pos);
    if (pos + width > maxBytes) break;
    pos += width;
  }
  return pos;
}
