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

#include "data/data_read_context.h"
#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_item.h"
#include "data/stage_data.h"
#include "record_round_trip.h"
#include "world/world_demo.h"

namespace {

// A small project: a few records in every database list, two sword types, and a common
// palette with entries to inherit from.
DataReadContext& Context() {
  static DataReadContext context = [] {
    DataReadContext c;
    c.database = DatabaseCounts{3, 4, 2, 5, 3, 3, 6, 7, 2};
    c.swordPartDurations = {{1, 2}, {5000, 6000}};
    static cVector<cEdBlock> blocks(3);
    static cVector<cEdChara> charas(3);
    static cVector<cEdItem> items(3);
    blocks[2].nPicture = 4;
    charas[1].nMaxHp = 99;
    charas[2].flows.resize(1);
    c.commonPalette = PaletteLists{&blocks, &charas, &items};
    return c;
  }();
  return context;
}

// Writes check stage-palette references against the project's live stage: this one.
std::string WriteStageFile(cStageData& stage) {
  ProjectDataContext().stagePalette = stage.PaletteView();
  std::string bytes = RecordFileBytes(stage);
  ProjectDataContext().stagePalette = PaletteLists{};
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  CurrentVersion = kRecordVersion;
  StripCRFlag = 1;
  ProjectDataContext() = Context();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzRecordRoundTrip<cStageData>(data, size, &Context(), WriteStageFile);
  cStageData stage;
  if (!ReadRecordBytes(std::string(reinterpret_cast<const char*>(data), size), stage, &Context())) return 0;
  PlayDemoFrames(stage, static_cast<std::uint32_t>(size), 3);
  return 0;
}
