// Reads arbitrary bytes as a character definition: its conditions, its flows with their key
// conditions and commands, the commands' movement and shot records and the flows nested in
// commands, at whatever version the header names (so that every old layout and fix-up runs).
// Whatever the bytes, the read must end without a crash, a hang or a large allocation; a
// definition that did read must write back to bytes that read to the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/data_read_context.h"
#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_item.h"
#include "record_round_trip.h"

namespace {

// A small project: a few records in every database list, two sword types, and palettes with
// entries to inherit from, so that the references of the input are checked against real lists.
DataReadContext& Context() {
  static DataReadContext context = [] {
    DataReadContext c;
    c.database = DatabaseCounts{3, 4, 2, 5, 3, 3, 6, 7, 2};
    c.swordPartDurations = {{1, 2}, {5000, 6000}};
    static cVector<cEdBlock> blocks(3);
    static cVector<cEdChara> charas(3);
    static cVector<cEdItem> items(3);
    charas[1].nMaxHp = 99;
    charas[2].flows.resize(1);
    c.commonPalette = PaletteLists{&blocks, &charas, &items};
    c.stagePalette = PaletteLists{&blocks, nullptr, &items};
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
