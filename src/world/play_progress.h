#pragma once

#include "data/save_data.h"

// What the play scene asks of the progress beyond the record itself.

// The story stage being played is recorded as cleared.
bool StageCleared(const cSaveData& save);
// The challenge stage being played is recorded as cleared.
bool ChallengeStageCleared(const cSaveData& save);
// The replay keys of a frame while attempts are recorded: F1 saves the attempt in progress, F2
// the one before (an empty one only sounds); 1 when a save was asked for in this frame.
int ReplayHotKeys();
