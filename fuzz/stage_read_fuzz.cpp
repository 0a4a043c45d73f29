// Reads arbitrary bytes as a stage file: the settings, the ranking flags and ranges, the
// stage's palette (whose entries inherit from one another while it is read), the placements,
// the backgrounds and texts, at whatever version the header names, so that every old layout
// and fix-up runs. Whatever the bytes, the read must end without a crash, a hang or a large
// allocation; a stage that did read must write back to bytes that read to the same, and must
// set up as a play field and play its first frames.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/stage_data.h"
#include "record_round_trip.h"
#include "small_project.h"
#include "world/world_demo.h"

namespace {

std::string WriteStageFile(cStageData& stage) {
  return WithStagePalette(stage, [&] { return RecordFileBytes(stage); });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) { return InitSmallProjectFuzzing(); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzRecordRoundTrip<cStageData>(data, size, &SmallProjectContext(), WriteStageFile);
  cStageData stage;
  if (!ReadRecordBytes(std::string(reinterpret_cast<const char*>(data), size), stage, &SmallProjectContext())) return 0;
  PlayDemoFrames(stage, static_cast<std::uint32_t>(size), 3);
  return 0;
}
