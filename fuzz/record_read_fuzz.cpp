// Reads arbitrary bytes as a record file: every field width, arrays, a member and a string
// that later versions added, and lists of records that hold lists themselves, so that the
// nesting cap is reached. Whatever the bytes, the read must end without a crash, a hang or a
// large allocation; a record that did read must write back to bytes that read to the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/record_base.h"
#include "record_round_trip.h"

namespace {

class cFuzzNode : public cData {
 public:
  cFuzzNode() {
    RegisterFields(CurrentVersion);
    Clear();
    late = -1;
  }
  cFuzzNode(const cFuzzNode&) = default;
  cFuzzNode& operator=(const cFuzzNode&) = default;

  void RegisterFields(std::int32_t version) override {
    ResetFieldLists();
    AddByte(&b);
    AddShort(s, 2);
    AddInt(&i);
    AddDouble(d, 2);
    AddByte(flags, 3);
    if (version >= 700) AddInt(&late);
    AddStrings(&name);
    if (version >= 720) AddStrings(&note);
  }
  bool Read(RecordReader& in) override {
    return cData::Read(in) && ReadRecordList(children, in) && ReadRecordListKeep(kept, in);
  }
  void Write(RecordWriter& out) override {
    cData::Write(out);
    WriteRecordList(children, out);
    WriteRecordList(kept, out);
  }

  std::uint8_t b = 0;
  std::int16_t s[2] = {};
  std::int32_t i = 0;
  double d[2] = {};
  std::uint8_t flags[3] = {};
  std::int32_t late = 0;
  std::string name;
  std::string note;
  cVector<cFuzzNode> children;
  cVector<cFuzzNode> kept;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  CurrentVersion = kRecordVersion;
  StripCRFlag = 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  cFuzzNode record;
  if (!ReadRecordBytes(bytes, record)) return 0;
  // Read over a record that already holds lists: the kept list's elements are read in place.
  if (!ReadRecordBytes(bytes, record)) std::abort();
  return FuzzRecordRoundTrip<cFuzzNode>(data, size);
}
