#pragma once

#include <string>
#include <vector>

#include "data/stage_data.h"

namespace sample {

struct BuiltStage {
  cStageData stage;
  std::string path;  // game path under default\ .
};

// The three stages, laid out over the common palette, which this builds into CommonPalette
// (the palette the process's definitions check their references against).
std::vector<BuiltStage> BuildStages();

}  // namespace sample
