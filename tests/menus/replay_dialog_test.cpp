// The name a replay is first offered under: the stage's name, the first free two-digit suffix,
// the last one when every suffix is taken.
#include "menus/replay_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files/path_resolver.h"
#include "support/temp_folder.h"

namespace {

using testsupport::TempFolder;

TEST(ReplayDialogTest, TheOfferedNameTakesTheFirstFreeSuffix) {
  TempFolder game;
  const testsupport::ScopedCurrentFolder here(game.path());
  platform::GameFolder().Forget();
  game.MakeFolder("user_data/rpl4");
  EXPECT_EQ(ProposeReplayName(""), "");
  EXPECT_EQ(ProposeReplayName("data\\stg4\\c01."), "c01_00.rpl4_750");
  game.Write("user_data/rpl4/c01_00.rpl4_750", "x");
  platform::GameFolder().Forget();
  EXPECT_EQ(ProposeReplayName("data\\stg4\\c01."), "c01_01.rpl4_750");
  game.Write("user_data/rpl4/c01_02.rpl4_750", "x");
  platform::GameFolder().Forget();
  EXPECT_EQ(ProposeReplayName("data\\stg4\\c01."), "c01_01.rpl4_750");
  for (int i = 0; i <= 8; ++i) {
    for (int j = 0; j <= 8; ++j) game.Write("user_data/rpl4/c01_" + std::to_string(i * 10 + j + 100).substr(1) + ".rpl4_750", "x");
  }
  platform::GameFolder().Forget();
  EXPECT_EQ(ProposeReplayName("data\\stg4\\c01."), "c01_88.rpl4_750");
  EXPECT_EQ(ProposeReplayName("c02."), "c02_00.rpl4_750");
  platform::GameFolder().Forget();
}

}  // namespace
