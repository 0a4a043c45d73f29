#pragma once

#include <filesystem>
#include <functional>

namespace e2e {

// The program's start-up run in this test process, headless, in the game folder given (the
// current folder meanwhile); `body` runs with everything up as the real program has it after
// its start-up (drawing, sound, scenes), and the program's shut-down follows. False when the
// start-up failed.
bool WithProgramStarted(const std::filesystem::path& game, const std::function<void()>& body);

}  // namespace e2e
