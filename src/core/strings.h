#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/format.h"

// Text here is CP932 held in standard strings; a length is a byte count.

// Never a null pointer, so the result can go straight to C text functions.
inline const char* CStr(const std::string& text) { return text.c_str(); }

// For strings whose buffer a caller filled directly: cuts the string at its first NUL and
// returns the new length.
std::size_t StrSyncLength(std::string& text);

// The bytes of [start, start + length) that lie inside the source. A negative start moves the
// window's beginning back to the first byte and shortens it by as much; a negative length
// passed in runs to the end of the source. `out` may be the source itself.
void StrMid(std::string& out, std::string_view source, int start, int length);

// A lead byte followed by a valid trail byte. Reads the second byte only after a lead byte,
// so a lead byte just before the terminating NUL is safe.
bool IsDoubleByteChar(const char* text);

// Characters up to the terminating NUL, as the text's width in cells: a double-byte character
// counts once and a line feed not at all.
int StrCharCount(const char* text);
int StrCharCount(const std::string& text);

// Decimal digits of n without its sign: 1 to 10.
int DigitCount(int n);

// The longest digit run NumberText pads to: the longest text the system's own formatting ever
// produced, so a wild digit count from project data cannot ask for an unbounded string.
constexpr int kNumberTextMaxDigits = 5119;

// Decimal text of n padded with leading zeros to minDigits digits (0: no padding). Without
// keepZeros the padding zeros become spaces, the last digit always stays. A negative n gets
// "-" in front, and with plusSign a non-negative one gets "+".
void NumberText(std::string& out, int n, int minDigits, bool keepZeros, bool plusSign);

// The comparison codes of flow conditions and world-map events: 0 ==, 1 !=, 2 >=, 3 <=, 4 >,
// 5 <, 6 |a| is a multiple of b (always for b = 0), 7 it is not (never for b = 0). Any other
// code is false.
bool CompareByOp(int a, int b, int op);

// a × b / 100 rounded half away from zero, exact for every pair of 32-bit values; a result
// outside the 32-bit range saturates.
int PercentOf(int a, int b);

// Below lo becomes lo, otherwise above hi becomes hi; with lo > hi the lo test wins for low
// values. Returns the new value.
int ClampInPlace(int* value, int lo, int hi);
