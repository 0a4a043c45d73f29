// Reads arbitrary bytes as a story slot or the challenge file, files another player may hand
// over, at whatever version the header names, so that every old layout and fix-up runs.
// Whatever the bytes, the read must end without a crash, a hang or a large allocation; a record
// that did read must write back to bytes that read to the same.

#include <cstddef>
#include <cstdint>

#include "data/save_data.h"
#include "record_round_trip.h"
#include "small_project.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) { return InitSmallProjectFuzzing(); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzRecordRoundTrip<cSaveData>(data, size);
}
