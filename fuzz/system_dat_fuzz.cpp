// Reads arbitrary bytes as data\System.dat: the fields and lists of every version, the fix-ups
// of old files and the padding of short lists. Whatever the bytes, the read must end without
// a crash, a hang or a large allocation; a file that did read must write back to bytes that
// read to the same record.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/system_data.h"

namespace {

bool ReadSystemFile(const std::string& bytes, cSystemData& record) {
  RecordReader in(bytes, "System.dat");
  std::int32_t version = 0;
  if (!in.ReadI32(version)) return false;
  in.SetVersion(version);
  FileVersion = version;
  return record.Read(in);
}

std::string WriteSystemFile(cSystemData& record) {
  RecordWriter out;
  out.WriteI32(CurrentVersion);
  record.Write(out);
  return out.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  CurrentVersion = kRecordVersion;
  StripCRFlag = 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  cSystemData record;
  if (!ReadSystemFile(bytes, record)) return 0;

  const std::string written = WriteSystemFile(record);
  cSystemData back;
  if (!ReadSystemFile(written, back)) std::abort();
  if (WriteSystemFile(back) != written) std::abort();
  return 0;
}
