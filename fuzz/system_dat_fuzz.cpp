// Reads arbitrary bytes as data\System.dat: the fields and lists of every version, the fix-ups
// of old files and the padding of short lists. Whatever the bytes, the read must end without
// a crash, a hang or a large allocation; a file that did read must write back to bytes that
// read to the same record.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/system_data.h"
#include "record_round_trip.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  CurrentVersion = kRecordVersion;
  StripCRFlag = 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzRecordRoundTrip<cSystemData>(data, size);
}
