// Reads arbitrary bytes as user_data\Option.dat, a file another player may hand over. Whatever
// the bytes, the read must end without a crash, a hang or a large allocation; options that did
// read must write back to bytes that read to the same.

#include <cstddef>
#include <cstdint>

#include "data/option_data.h"
#include "record_round_trip.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  CurrentVersion = kRecordVersion;
  StripCRFlag = 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzRecordRoundTrip<cOptionData>(data, size);
}
