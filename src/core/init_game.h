#pragma once

#include <string>

// The start-up sequence, between the making of the main window and the start of the game
// thread; false stops the program. So far it sets up only what the window and the frame loop
// need: the rest of the sequence (project data, System.ini, drawing library, input, sound)
// joins here as those parts arrive.
bool InitGame(const std::string& commandLine, int showCommand);
// The shut-down sequence after the message loop (or after a failed start-up); it tolerates
// whatever was never set up.
void UnInitGame();
