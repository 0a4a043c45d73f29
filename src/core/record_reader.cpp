#include "core/record_reader.h"

#include <bit>
#include <cstring>

#include "core/report_log.h"

namespace {

void DecodeLittleEndian(void* destination, const char* source, std::size_t width, std::size_t count) {
  std::memcpy(destination, source, width * count);
  if constexpr (std::endian::native == std::endian::big) {
    auto* bytes = static_cast<unsigned char*>(destination);
    for (std::size_t i = 0; i < count; ++i) {
      unsigned char* element = bytes + i * width;
      for (std::size_t a = 0, b = width - 1; a < b; ++a, --b) std::swap(element[a], element[b]);
    }
  }
}

}  // namespace

RecordReader::RecordReader(std::string bytes, std::string name) : bytes_(std::move(bytes)), name_(std::move(name)) {}

bool RecordReader::Fail(std::string_view why) {
  if (!failed_) {
    failed_ = true;
    error_.assign(why);
    Log("record file %s: %s at byte %zu", name_.c_str(), error_.c_str(), position_);
  }
  return false;
}

bool RecordReader::Take(std::size_t bytes, const char*& at) {
  if (failed_) return false;
  if (bytes > Remaining()) return Fail("unexpected end of file");
  at = bytes_.data() + position_;
  position_ += bytes;
  return true;
}

bool RecordReader::ReadElements(void* destination, std::size_t width, std::size_t count) {
  if (count != 0 && width > Remaining() / count) {
    return Fail("unexpected end of file");
  }
  const char* at = nullptr;
  if (!Take(width * count, at)) return false;
  DecodeLittleEndian(destination, at, width, count);
  return true;
}

bool RecordReader::ReadU32(std::uint32_t& value) { return ReadElements(&value, 4, 1); }
bool RecordReader::ReadI32(std::int32_t& value) { return ReadElements(&value, 4, 1); }
bool RecordReader::ReadU16(std::uint16_t& value) { return ReadElements(&value, 2, 1); }
bool RecordReader::ReadU8(std::uint8_t& value) { return ReadElements(&value, 1, 1); }
bool RecordReader::ReadF64(double& value) { return ReadElements(&value, 8, 1); }

bool RecordReader::Skip(std::size_t bytes) {
  const char* at = nullptr;
  return Take(bytes, at);
}

bool RecordReader::ReadCount(std::int32_t& count, std::size_t minItemBytes) {
  count = 0;
  std::int32_t raw = 0;
  if (!ReadI32(raw)) return false;
  if (raw < 0) return Fail("negative count");
  if (minItemBytes > 0 && static_cast<std::size_t>(raw) > Remaining() / minItemBytes) {
    return Fail("count larger than the rest of the file can hold");
  }
  count = raw;
  return true;
}

bool RecordReader::ReadString(std::string& value) {
  std::uint32_t length = 0;
  if (!ReadU32(length)) return false;
  if (length == 0) return Fail("string length 0");
  if (length == 1) {
    value.clear();
    return true;
  }
  const char* at = nullptr;
  if (!Take(length, at)) return false;
  // The text is what stands before the first NUL; a missing terminator keeps every byte.
  value.assign(at, strnlen(at, length));
  return true;
}

RecordReader::Nesting::Nesting(RecordReader& reader) : reader_(reader), ok_(true) {
  if (++reader_.depth_ > kMaxNesting) ok_ = reader_.Fail("records nested too deeply");
  if (reader_.failed_) ok_ = false;
}

RecordReader::Nesting::~Nesting() { --reader_.depth_; }
