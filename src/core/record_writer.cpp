#include "core/record_writer.h"

#include <bit>
#include <cstring>

void RecordWriter::WriteElements(const void* source, std::size_t width, std::size_t count) {
  const std::size_t start = bytes_.size();
  bytes_.resize(start + width * count);
  char* at = bytes_.data() + start;
  std::memcpy(at, source, width * count);
  if constexpr (std::endian::native == std::endian::big) {
    for (std::size_t i = 0; i < count; ++i) {
      char* element = at + i * width;
      for (std::size_t a = 0, b = width - 1; a < b; ++a, --b) std::swap(element[a], element[b]);
    }
  }
}

void RecordWriter::WriteString(std::string_view value) {
  WriteU32(static_cast<std::uint32_t>(value.size() + 1));
  if (value.empty()) return;
  bytes_.append(value);
  bytes_.push_back('\0');
}
