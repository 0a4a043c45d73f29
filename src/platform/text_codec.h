#pragma once

#include <string>
#include <string_view>

namespace platform {

// Conversions between the game's Shift-JIS text (code page 932, with the NEC and IBM rows)
// and UTF-8, used only at the edges: window titles, message boxes, file names, glyphs.
// Both return false and leave `out` empty when the input is not valid in its encoding.
bool Cp932ToUtf8(std::string_view cp932, std::string& out);
bool Utf8ToCp932(std::string_view utf8, std::string& out);

// Lossy form for diagnostics: invalid bytes become '?'.
std::string Cp932ToUtf8Lossy(std::string_view cp932);

// For showing host text (a host path, a library's message) inside the game's CP932 text: each
// character CP932 cannot hold, and each invalid byte, becomes '?'. The result is for display
// only and never names a file: a path with '?' in it may name another one.
std::string Utf8ToCp932Lossy(std::string_view utf8);

}  // namespace platform
