// Reads arbitrary bytes as a character definition: its conditions, its flows with their key
// conditions and commands, the commands' movement and shot records and the flows nested in
// commands, at whatever version the header names (so that every old layout and fix-up runs).
// Whatever the bytes, the read must end without a crash, a hang or a large allocation; a
// definition that did read must write back to bytes that read to the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/ed_chara.h"
#include "record_round_trip.h"
#include "small_project.h"

namespace {

// The small project, its common palette's blocks and items standing as the stage's own palette
// too, so that the references of the input are checked against real lists.
DataReadContext& Context() {
  static DataReadContext context = [] {
    DataReadContext c = SmallProjectContext();
    c.stagePalette = PaletteLists{c.commonPalette.blocks, nullptr, c.commonPalette.items};
    return c;
  }();
  return context;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  CurrentVersion = kRecordVersion;
  StripCRFlag = 1;
  // Writes validate against the process-wide context: the same small project.
  ProjectDataContext() = Context();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzRecordRoundTrip<cEdChara>(data, size, &Context());
}
