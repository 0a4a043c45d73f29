#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Builds a record file in memory; the file itself is replaced in one step when it is closed.
class RecordWriter {
 public:
  void WriteU32(std::uint32_t value) { WriteElements(&value, 4, 1); }
  void WriteI32(std::int32_t value) { WriteElements(&value, 4, 1); }
  void WriteF64(double value) { WriteElements(&value, 8, 1); }
  void WriteElements(const void* source, std::size_t width, std::size_t count);
  // The string form: u32 length + 1, then the bytes and a NUL (nothing more for an empty one).
  void WriteString(std::string_view value);
  void WriteBytes(std::string_view bytes) { bytes_.append(bytes); }

  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};
