// The database builds the step tables and the animation player runs them: both sides must see
// one AnimeStep, so this file includes the data headers and the player together.
#include "data/anime_step.h"
#include "data/database.h"
#include "data/ed_anime.h"
#include "gfx/anime_player.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace {

static_assert(std::is_same_v<decltype(cAnimePlayer::m_Animes), AnimeStepTable>);

std::vector<int> StepN(cAnimePlayer& player, int n) {
  std::vector<int> values;
  for (int i = 0; i < n; ++i) values.push_back(player.Step());
  return values;
}

cEdAnimeFrame Frame(int cell, int tenths, int hold) {
  cEdAnimeFrame frame;
  frame.nCell = cell;
  frame.nDuration = tenths;
  frame.bHold = hold;
  return frame;
}

TEST(AnimeStepTables, ThePlayerRunsTheDatabasesTablesInTicksAndHonoursTheirHold) {
  cVector<cEdAnime> animes(2);
  animes[0].Frames = {Frame(7, 1, 0)};
  animes[1].Frames = {Frame(4, 1, 0), Frame(5, 2, 1)};
  cAnimePlayer player;
  BuildAnimeFrameTables(player.m_Animes, animes);

  // Record 0 stands still on its cell and, being held, refuses every unforced switch.
  EXPECT_EQ(StepN(player, 3), (std::vector<int>{7, 7, 7}));
  EXPECT_EQ(player.Set(1, 0), 0);
  ASSERT_EQ(player.Set(1, 1), 1);

  // A tenth of a second is 6 ticks; the held frame refuses a switch until the end step.
  EXPECT_EQ(StepN(player, 5), std::vector<int>(5, 4));
  EXPECT_EQ(player.Step(), 5);
  EXPECT_EQ(player.Set(0, 0), 0);
  EXPECT_EQ(player.m_nAnime, 1);
  std::vector<int> rest(11, 5);
  rest.push_back(kAnimeEnd);
  EXPECT_EQ(StepN(player, 12), rest);
  EXPECT_EQ(player.Set(0, 0), 1);
}

}  // namespace
