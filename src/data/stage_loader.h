#pragma once

#include <string_view>

class cStageData;

// Loads a stage file into StageCur on LoaderThread while the calling thread serves its own
// messages, and copies the stage's start state into `out` (every caller passes StageStart).
// findNewest 1 takes the newest numbered version of the path (name.stg4_NNN). 1 on success;
// 0 after the message of the failure, or silently when no numbered version exists. A read
// that fails leaves StageCur as it was.
int LoadStageThreaded(std::string_view path, int findNewest, cStageData* out);

// 0 (after an error box and a close request) when a stage file of version 174 or later does
// not end with the stage trailer; a file that cannot be opened passes, for the load to report.
int CheckStageTrailer(std::string_view path);
