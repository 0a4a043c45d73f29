#pragma once

#include "data/save_data.h"

// What the play scene asks of the progress beyond the record itself.

// The story stage being played is recorded as cleared.
bool StageCleared(const cSaveData& save);
// The challenge stage being played is recorded as cleared.
bool ChallengeStageCleared(const cSaveData& save);
// The replay keys of a frame; non-zero when a replay was saved in it. Replays are not kept
// yet, so no key saves one.
int ReplayHotKeys();
