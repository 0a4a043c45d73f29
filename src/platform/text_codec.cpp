#include "platform/text_codec.h"

#include <iconv.h>

#include <cerrno>

namespace platform {
namespace {

// "CP932" and never "SHIFT_JIS": the latter maps byte 0x5C to the yen sign and rejects the
// NEC and IBM extension rows that Japanese Windows text uses.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Convert(std::string_view in, std::string& out) {
    out.clear();
    if (handle_ == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      const std::size_t rc = iconv(handle_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
        out.clear();
        return false;
      }
    }
    return true;
  }

 private:
  iconv_t handle_;
};

Converter& ToUtf8() {
  thread_local Converter converter("UTF-8", "CP932");
  return converter;
}

Converter& ToCp932() {
  thread_local Converter converter("CP932", "UTF-8");
  return converter;
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The bytes of the UTF-8 character at `pos` as far as they go: a lead byte and the continuation
// bytes it announces. A stray or cut sequence is shorter and fails to convert on its own.
std::size_t Utf8CharLength(std::string_view text, std::size_t pos) {
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  const std::size_t wanted = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  std::size_t length = 1;
  while (length < wanted && pos + length < text.size() &&
         (static_cast<unsigned char>(text[pos + length]) & 0xC0) == 0x80) {
    ++length;
  }
  return length;
}

}  // namespace

bool Cp932ToUtf8(std::string_view cp932, std::string& out) { return ToUtf8().Convert(cp932, out); }

bool Utf8ToCp932(std::string_view utf8, std::string& out) { return ToCp932().Convert(utf8, out); }

std::string Cp932ToUtf8Lossy(std::string_view cp932) {
  std::string result;
  std::string piece;
  std::size_t i = 0;
  while (i < cp932.size()) {
    const std::size_t width = (IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size()) ? 2 : 1;
    if (Cp932ToUtf8(cp932.substr(i, width), piece)) {
      result += piece;
    } else {
      result += '?';
    }
    i += width;
  }
  return result;
}

std::string Utf8ToCp932Lossy(std::string_view utf8) {
  std::string result;
  if (Utf8ToCp932(utf8, result)) return result;
  result.clear();
  std::string piece;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t length = Utf8CharLength(utf8, i);
    if (Utf8ToCp932(utf8.substr(i, length), piece)) {
      result += piece;
    } else {
      result += '?';
    }
    i += length;
  }
  return result;
}

}  // namespace platform
