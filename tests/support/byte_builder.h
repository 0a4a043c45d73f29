#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace testsupport {

// Writes record-file bytes by hand, little-endian, independently of the record classes, so
// that fixtures of old or hostile files never come from the code under test.
class ByteBuilder {
 public:
  ByteBuilder& u8(std::uint8_t v) { return Put(v, 1); }
  ByteBuilder& i16(std::int16_t v) { return Put(static_cast<std::uint16_t>(v), 2); }
  ByteBuilder& u16(std::uint16_t v) { return Put(v, 2); }
  ByteBuilder& i32(std::int32_t v) { return Put(static_cast<std::uint32_t>(v), 4); }
  ByteBuilder& u32(std::uint32_t v) { return Put(v, 4); }
  ByteBuilder& f64(double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, 8);
    return Put(bits, 8);
  }
  // The record string form: u32 length + 1, then the bytes and a NUL; an empty string is the
  // length word alone.
  ByteBuilder& str(std::string_view s) {
    u32(static_cast<std::uint32_t>(s.size() + 1));
    if (!s.empty()) {
      bytes_.append(s);
      bytes_.push_back('\0');
    }
    return *this;
  }
  ByteBuilder& raw(std::string_view s) {
    bytes_.append(s);
    return *this;
  }
  // Starts a record: its field count (record contents follow with the calls above).
  ByteBuilder& fields(std::uint32_t count) { return u32(count); }
  ByteBuilder& strings(std::uint32_t count) { return u32(count); }
  ByteBuilder& list(std::uint32_t count) { return u32(count); }

  const std::string& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }

 private:
  ByteBuilder& Put(std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return *this;
  }

  std::string bytes_;
};

}  // namespace testsupport
