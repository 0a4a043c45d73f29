// Reads arbitrary bytes as one of the ten database files (the first byte chooses which): a
// version header and a bare list of records, read over the default list as the start-up does.
// Whatever the bytes, the read must end without a crash, a hang or a large allocation; a list
// that did read must write back to bytes that read to the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/record_file.h"
#include "data/database.h"

namespace {

template <typename T>
bool ReadList(const std::string& bytes, cVector<T>& list) {
  std::unique_ptr<RecordReader> in = RecordBytesReader(bytes, "database");
  return in && ReadRecordListKeep(list, *in);
}

template <typename T>
std::string WriteList(cVector<T>& list) {
  RecordWriter out;
  out.WriteI32(CurrentVersion);
  WriteRecordList(list, out);
  return out.Bytes();
}

template <typename T>
int RoundTrip(const cVector<T>& defaults, const std::string& bytes) {
  cVector<T> list = defaults;
  if (!ReadList(bytes, list)) return 0;
  const std::string written = WriteList(list);
  cVector<T> back = defaults;
  if (!ReadList(written, back)) std::abort();
  if (WriteList(back) != written) std::abort();
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  CurrentVersion = kRecordVersion;
  StripCRFlag = 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const cDatabase defaults;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 10) {
    case 0: return RoundTrip(defaults.AnimeSets, bytes);
    case 1: return RoundTrip(defaults.Animes, bytes);
    case 2: return RoundTrip(defaults.CharaBitmaps, bytes);
    case 3: return RoundTrip(defaults.SwordTypes, bytes);
    case 4: return RoundTrip(defaults.Effects, bytes);
    case 5: return RoundTrip(defaults.CharaEffects, bytes);
    case 6: return RoundTrip(defaults.ScrEffects, bytes);
    case 7: return RoundTrip(defaults.Pictures, bytes);
    case 8: return RoundTrip(defaults.Sounds, bytes);
    default: return RoundTrip(defaults.Bgms, bytes);
  }
}
