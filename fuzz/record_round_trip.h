#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/record_base.h"
#include "core/record_file.h"

// The check every record fuzzer makes: arbitrary bytes either fail to read, or read to a
// record that writes bytes which read back to a record writing the same bytes again.
template <typename Record, typename WriteBytes>
int FuzzRecordRoundTrip(const std::uint8_t* data, std::size_t size, const RecordContext* context,
                        WriteBytes writeBytes) {
  Record record;
  if (!ReadRecordBytes(std::string(reinterpret_cast<const char*>(data), size), record, context)) return 0;
  const std::string written = writeBytes(record);
  Record back;
  if (!ReadRecordBytes(written, back, context)) std::abort();
  if (writeBytes(back) != written) std::abort();
  return 0;
}

template <typename Record>
int FuzzRecordRoundTrip(const std::uint8_t* data, std::size_t size, const RecordContext* context = nullptr) {
  return FuzzRecordRoundTrip<Record>(data, size, context, [](Record& record) { return RecordFileBytes(record); });
}
