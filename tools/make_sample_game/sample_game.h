#pragma once

#include <filesystem>
#include <string>

namespace sample {

struct MakeResult {
  bool ok = false;
  std::string error;  // what could not be made
  int files = 0;      // files written
};

// Writes the sample game into a game folder (a host path, made when missing): the project
// under default\ in the layout the runtime reads, and System.ini beside it. A data\ folder
// copied from an earlier default\ is removed, so that the next start copies the new one.
// Runs with the game folder as the current folder and restores the previous one; the same
// files come out, byte for byte, on every run.
MakeResult MakeSampleGame(const std::filesystem::path& gameFolder);

// The game path prefix of the pristine project copy.
inline constexpr const char* kDefaultFolder = "default\\";

// The machine settings written beside the project.
inline constexpr const char* kSystemIniName = "System.ini";
const char* SampleSystemIni();

}  // namespace sample
