#pragma once

#include <string>

// The name a replay of the stage is first offered under: the stage's file name with "_ij"
// and the replay extension, the first i, j from 0 0 to 8 8 whose file in user_data\rpl4 does
// not exist yet (the last, _88, when all do). "" without a stage key.
std::string ProposeReplayName(const std::string& stageKey);

// Asks the player where to save a replay of the stage, offering ProposeReplayName; true with
// the chosen path (relative to the game folder) when one was chosen. Main thread.
bool ReplaySaveDialog(std::string& path, const std::string& stageKey);

// The title's replay entry: the main thread lets the player choose a replay file and loads
// it into the first replay buffer, the live stage and the progress. True when one was loaded.
bool RequestReplayLoad();
