#pragma once

#include <filesystem>
#include <string>

namespace sample {

struct MakeResult {
  bool ok = false;
  std::string error;  // what could not be made
  int files = 0;      // files written
};

// Writes the sample game into a game folder (a host path, made when missing): the project's
// records and stages under default\ (the first start copies them to data\), the bitmaps,
// sounds and music in bmp\, se\ and bgm\ where the program looks for them, and System.ini.
// Whatever an earlier run left in those folders is removed, data\ included, so that the next
// start copies the new default\.
// Runs with the game folder as the current folder and restores the previous one; the same
// files come out, byte for byte, on every run.
MakeResult MakeSampleGame(const std::filesystem::path& gameFolder);

// The game path prefix of the pristine project copy.
inline constexpr const char* kDefaultFolder = "default\\";

// The machine settings written beside the project.
inline constexpr const char* kSystemIniName = "System.ini";
const char* SampleSystemIni();

}  // namespace sample
