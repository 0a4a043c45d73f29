// Reads arbitrary bytes as data\WorldMap.dat: the size, pitch and shift, the cells, the points
// and their events, at whatever version the header names. Whatever the bytes, the read must
// end without a crash, a hang or a large allocation; a map that did read must write back to
// bytes that read to the same.

#include <cstddef>
#include <cstdint>

#include "data/world_map.h"
#include "record_round_trip.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  CurrentVersion = kRecordVersion;
  StripCRFlag = 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzRecordRoundTrip<cWorldMap>(data, size);
}
