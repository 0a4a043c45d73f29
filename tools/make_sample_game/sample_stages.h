#pragma once

#include <string>

#include "make_sample_game/game_files.h"

namespace sample {

// The common palette and the three stages.
void WriteStages(GameFiles& files);

// Game path of stage file n (0 to 2) under default\.
std::string StageFilePath(int stage);

}  // namespace sample
