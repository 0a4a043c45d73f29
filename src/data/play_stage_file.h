#pragma once

#include <string>

// The stage file being played in free play or directly (at most a path's 259 bytes).
extern std::string StageFilePath;

// Sets the game up to play one stage file: the progress is reset, the stage loaded (newest 1
// takes its newest numbered version), stage and part 1, the free mode's lives (unlimited for a
// stage named at start-up) and the stage key. 0 when the stage cannot be loaded; the progress
// then stays reset.
int PlayStageFile(const std::string& path, int newest);
