// Reads arbitrary bytes as a stage's ranking file (user_data\story\<stage>.rkg and the like), a
// file another player may hand over, at whatever version its header names. Whatever the bytes,
// the read must end without a crash, a hang or a large allocation; a set that did read must
// write back to bytes that read to the same.

#include <cstddef>
#include <cstdint>

#include "data/rankings.h"
#include "record_round_trip.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  CurrentVersion = kRecordVersion;
  StripCRFlag = 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzRecordRoundTrip<cRankSet>(data, size);
}
