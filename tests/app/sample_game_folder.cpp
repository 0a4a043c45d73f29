#include "sample_game_folder.h"

#include <gtest/gtest.h>

#include "make_sample_game/sample_game.h"

namespace fs = std::filesystem;

namespace apptest {

SampleGameFolder::SampleGameFolder() {
  const sample::MakeResult made = sample::MakeSampleGame(folder_.path());
  EXPECT_TRUE(made.ok) << made.error;
  fs::copy(folder_.path() / "default", folder_.path() / "data", fs::copy_options::recursive);
}

}  // namespace apptest
