#include "core/record_file.h"

#include "core/host_path.h"
#include "core/record_version.h"
#include "core/report_log.h"
#include "platform/files/file_replace.h"

std::unique_ptr<RecordReader> DataFileOpenRead(std::string_view path) {
  const std::string host = HostPathForRead(path.empty() ? std::string_view("err") : path);
  std::string bytes;
  if (host.empty() || !platform::ReadFileContents(host, kMaxRecordFileBytes, bytes)) return nullptr;
  auto reader = std::make_unique<RecordReader>(std::move(bytes), std::string(path));
  std::int32_t version = 0;
  if (!reader->ReadI32(version)) return nullptr;
  FileVersion = version;
  reader->SetVersion(version);
  return reader;
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
