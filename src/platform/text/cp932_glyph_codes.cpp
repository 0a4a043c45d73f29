#include "platform/text/cp932_glyph_codes.h"

#include <iconv.h>

#include <array>
#include <memory>
#include <mutex>

namespace platform {
namespace {

using CodeTable = std::array<std::uint32_t, 65536>;

std::uint32_t Convert(iconv_t handle, const char* bytes, std::size_t count) {
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  char in[2] = {bytes[0], count > 1 ? bytes[1] : '\0'};
  char* src = in;
  std::size_t srcLeft = count;
  std::uint32_t out[2] = {0, 0};
  char* dst = reinterpret_cast<char*>(out);
  std::size_t dstLeft = sizeof out;
  if (iconv(handle, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return 0;
  // One character in, exactly one code point out.
  return sizeof out - dstLeft == sizeof(std::uint32_t) ? out[0] : 0;
}

bool IsLead(int c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrail(int c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

std::unique_ptr<CodeTable> BuildTable() {
  auto table = std::make_unique<CodeTable>();
  table->fill(0);
  iconv_t handle = iconv_open("UTF-32LE", "CP932");
  if (handle == reinterpret_cast<iconv_t>(-1)) return table;
  for (int c = 0x20; c < 0x100; ++c) {
    if (IsLead(c)) continue;
    const char byte = static_cast<char>(c);
    (*table)[static_cast<std::size_t>(c)] = Convert(handle, &byte, 1);
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLead(lead)) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsTrail(trail)) continue;
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      (*table)[static_cast<std::size_t>(lead << 8 | trail)] = Convert(handle, pair, 2);
    }
  }
  iconv_close(handle);
  return table;
}

}  // namespace

std::uint32_t Cp932ToCodePoint(std::uint16_t code) {
  static std::once_flag once;
  static std::unique_ptr<CodeTable> table;
  std::call_once(once, [] { table = BuildTable(); });
  return (*table)[code];
}

}  // namespace platform
