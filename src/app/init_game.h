#pragma once

#include <string>

// The start-up sequence, between the making of the main window and the start of the game
// thread; false stops the program.
bool InitGame(const std::string& commandLine, int showCommand);
// The shut-down sequence after the message loop (or after a failed start-up); it tolerates
// whatever was never set up.
void UnInitGame();
