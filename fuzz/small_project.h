#pragma once

#include <string>

#include "core/record_file.h"
#include "core/record_version.h"
#include "data/data_read_context.h"
#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_item.h"
#include "data/stage_data.h"

// A small project for the readers of stages: a few records in every database list, two sword
// types, and a common palette with entries to inherit from.
inline DataReadContext& SmallProjectContext() {
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

// What every reader of project files expects of the process before it runs: the current
// record layout, CRs taken out of strings, and the small project as the project's context
// (writes validate against it).
inline int InitSmallProjectFuzzing() {
  CurrentVersion = kRecordVersion;
  StripCRFlag = 1;
  ProjectDataContext() = SmallProjectContext();
  return 0;
}

// Writes check stage-palette references against the project's live stage: the one written.
template <typename Write>
std::string WithStagePalette(cStageData& stage, Write&& write) {
  ProjectDataContext().stagePalette = stage.PaletteView();
  std::string bytes = write();
  ProjectDataContext().stagePalette = PaletteLists{};
  return bytes;
}
