#include "core/strings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "core/sjis.h"

std::size_t StrSyncLength(std::string& text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text.size();
}

void StrMid(std::string& out, std::string_view source, int start, int length) {
  // 64-bit so that start + length cannot wrap for any pair of 32-bit values.
  std::int64_t first = start;
  std::int64_t count = length;
  const bool toEnd = length < 0;
  if (first < 0) {
    count += first;
    first = 0;
  }
  const auto size = static_cast<std::int64_t>(source.size());
  if (first >= size || (!toEnd && count <= 0)) {
    out.clear();
    return;
  }
  const std::int64_t last = toEnd ? size : std::min(size, first + count);
  // Built apart first: source may view out's own buffer.
  std::string result(source.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first)));
  out.swap(result);
}

bool IsDoubleByteChar(const char* text) {
  return text != nullptr && IsSjisLeadByte(static_cast<unsigned char>(text[0])) &&
         IsSjisTrailByte(static_cast<unsigned char>(text[1]));
}

int StrCharCount(const char* text) {
  if (text == nullptr) return 0;
  const std::string_view view(text);
  int count = 0;
  for (std::size_t pos = 0; pos < view.size();) {
    const std::size_t width = SjisCharWidth(view, pos);
    if (width == 2 || view[pos] != '\n') ++count;
    pos += width;
  }
  return count;
}

int StrCharCount(const std::string& text) { return StrCharCount(text.c_str()); }

int DigitCount(int n) {
  int count = 0;
  do {
    n /= 10;
    ++count;
  } while (n != 0);
  return count;
}

void NumberText(std::string& out, int n, int minDigits, bool keepZeros, bool plusSign) {
  const int width = std::max(DigitCount(n), std::min(minDigits, kNumberTextMaxDigits));
  // The magnitude of the most negative int has no 32-bit form.
  std::int64_t magnitude = std::abs(static_cast<std::int64_t>(n));
  std::string digits(static_cast<std::size_t>(width), '0');
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    *it = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  if (!keepZeros) {
    for (std::size_t i = 0; i + 1 < digits.size() && digits[i] == '0'; ++i) digits[i] = ' ';
  }
  const char* sign = n < 0 ? "-" : (plusSign ? "+" : "");
  out = sign + digits;
}

bool CompareByOp(int a, int b, int op) {
  // |a| and the remainder in 64 bits: |INT_MIN| and INT_MIN % -1 have no 32-bit result.
  const auto isMultiple = [a, b] { return b == 0 || std::abs(static_cast<std::int64_t>(a)) % b == 0; };
  switch (op) {
    case 0: return a == b;
    case 1: return a != b;
    case 2: return a >= b;
    case 3: return a <= b;
    case 4: return a > b;
    case 5: return a < b;
    case 6: return isMultiple();
    case 7: return b != 0 && !isMultiple();
    default: return false;
  }
}

int PercentOf(int a, int b) {
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t result = product / 100;
  const std::int64_t remainder = product % 100;
  if (remainder >= 50) {
    ++result;
  } else if (remainder <= -50) {
    --result;
  }
  return static_cast<int>(std::clamp<std::int64_t>(result, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int ClampInPlace(int* value, int lo, int hi) {
  if (*value < lo) {
    *value = lo;
  } else if (*value > hi) {
    *value = hi;
  }
  return *value;
}
