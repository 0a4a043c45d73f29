#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/record_reader.h"
#include "core/record_writer.h"

class cData;

// A record file being written: the bytes collect in memory and replace the file on close.
class RecordFileWriter {
 public:
  explicit RecordFileWriter(std::string hostPath) : hostPath_(std::move(hostPath)) {}
  RecordWriter& Out() { return out_; }
  const std::string& HostPath() const { return hostPath_; }

 private:
  std::string hostPath_;
  RecordWriter out_;
};

// Record files are never larger than this; a larger file is refused before it is read.
constexpr std::size_t kMaxRecordFileBytes = 256u << 20;

// Opens a record file and reads its version header into FileVersion (and the reader).
// Nothing when the file is missing, unreadable, too large or shorter than its header.
std::unique_ptr<RecordReader> DataFileOpenRead(std::string_view path);
// Starts a record file with the CurrentVersion header; nothing when the path cannot be had.
std::unique_ptr<RecordFileWriter> DataFileOpenWrite(std::string_view path);
void DataFileClose(std::unique_ptr<RecordReader>& file);
// A reader over the bytes of a whole record file, past its version header (also in
// FileVersion); nothing when the bytes are shorter than the header.
std::unique_ptr<RecordReader> RecordBytesReader(std::string bytes, std::string name);
// A record read from, and written to, the bytes of a whole record file, as Load and Save do
// with a file (for data that arrives in memory, and for checks of round trips).
bool ReadRecordBytes(std::string bytes, cData& record, const RecordContext* context = nullptr);
std::string RecordFileBytes(cData& record);
// Replaces the file with what was written; false (the old file untouched) when that fails.
bool DataFileClose(std::unique_ptr<RecordFileWriter>& file);
