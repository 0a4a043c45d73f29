#pragma once

#include <filesystem>

#include "make_sample_game/game_files.h"

namespace sample {

// The common palette and the three stages.
void WriteStages(GameFiles& files);

// A picture of each whole stage as laid out (its blocks, characters and items over its far
// background), for looking the levels over: stage_1.png and so on in the folder.
bool WriteStagePreviews(const std::filesystem::path& folder);

}  // namespace sample
