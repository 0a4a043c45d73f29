#include "core/record_file.h"

#include "core/host_path.h"
#include "core/record_base.h"
#include "core/record_version.h"
#include "core/report_log.h"
#include "platform/files/file_replace.h"

std::unique_ptr<RecordReader> DataFileOpenRead(std::string_view path) {
  const std::string host = HostPathForRead(path.empty() ? std::string_view("err") : path);
  std::string bytes;
  if (host.empty() || !platform::ReadFileContents(host, kMaxRecordFileBytes, bytes)) return nullptr;
  return RecordBytesReader(std::move(bytes), std::string(path));
}

std::unique_ptr<RecordReader> RecordBytesReader(std::string bytes, std::string name) {
  auto reader = std::make_unique<RecordReader>(std::move(bytes), std::move(name));
  std::int32_t version = 0;
  if (!reader->ReadI32(version)) return nullptr;
  FileVersion = version;
  reader->SetVersion(version);
  return reader;
}

bool ReadRecordBytes(std::string bytes, cData& record, const RecordContext* context) {
  std::unique_ptr<RecordReader> reader = RecordBytesReader(std::move(bytes), "memory");
  if (!reader) return false;
  reader->SetContext(context);
  return record.Read(*reader);
}

std::string RecordFileBytes(cData& record) {
  RecordWriter out;
  out.WriteI32(CurrentVersion);
  record.Write(out);
  return out.Bytes();
}

std::unique_ptr<RecordFileWriter> DataFileOpenWrite(std::string_view path) {
  if (path.empty()) return nullptr;
  std::string host = HostPathForWrite(path);
  if (host.empty()) return nullptr;
  auto writer = std::make_unique<RecordFileWriter>(std::move(host));
  writer->Out().WriteI32(CurrentVersion);
  return writer;
}

void DataFileClose(std::unique_ptr<RecordReader>& file) { file.reset(); }

bool DataFileClose(std::unique_ptr<RecordFileWriter>& file) {
  if (!file) return false;
  const bool ok = platform::ReplaceFileContents(file->HostPath(), file->Out().Bytes());
  if (!ok) Log("record file %s could not be written", file->HostPath().c_str());
  file.reset();
  return ok;
}
