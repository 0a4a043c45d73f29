// The ranking panel and the clear's totals drawn with a real font: text on the rows in use and
// none on the empty ones, the mark at the highlighted row.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/rankings.h"
#include "data/stage_data.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/game_fonts.h"
#include "gfx/gfx_test_support.h"
#include "gfx/surface_records.h"
#include "world/ranking_draw.h"

namespace {

class RankingDrawTest : public gfxtest::LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(InitWithPalette(gfxtest::Mode{"DD32", 0, 32, 1}));
    ASSERT_TRUE(GameFonts[1].Create("ＭＳ ゴシック", 0, 16, 16, 16, 15, nullptr, 0, 0, nullptr, 1));
    // The accessory sheet: its place mark a block of colour 200.
    ASSERT_TRUE(DDCreateSurface(&SurfaceRecords[49], 128, 128, 1, 0, 0, 0, 0));
    DDFillRect(&SurfaceRecords[49], 0, 0, 128, 128, 0);
    DDFillRect(&SurfaceRecords[49], 16, 48, 16, 16, 200);
  }
  void TearDown() override {
    DDReleaseSurface(&SurfaceRecords[49]);
    GameFonts[1].Release();
    LibraryTest::TearDown();
  }
  // Pixels of a band of the back buffer that differ from the fill.
  static int Marked(const std::vector<std::uint32_t>& pixels, std::uint32_t fill, int left, int top, int width,
                    int height) {
    int count = 0;
    for (int y = top; y < top + height; ++y)
      for (int x = left; x < left + width; ++x) count += pixels[static_cast<std::size_t>(y) * 640 + x] != fill;
    return count;
  }
};

TEST_F(RankingDrawTest, UsedRowsShowTextEmptyOnesNothingAndTheHighlightHasItsMark) {
  cRankTable table;
  table.m_bHigherBetter = 1;
  table.Insert("AAA", 900);
  table.Insert("BBB", 500);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 36);
  const std::uint32_t fill = gfxtest::PixelOf(&SDBackBuffer, 0, 0);
  EXPECT_EQ(DrawRankTable(table, &SDBackBuffer, 100, 40, kRankScore, 1), 1);
  const std::vector<std::uint32_t> pixels = gfxtest::ReadPixels(&SDBackBuffer);
  // Rows 1 and 2 hold the entries, row 4 is empty (inside the frame, away from its border).
  EXPECT_GT(Marked(pixels, fill, 116, 56, 200, 16), 30);
  EXPECT_GT(Marked(pixels, fill, 116, 72, 200, 16), 30);
  EXPECT_EQ(Marked(pixels, fill, 116, 104, 200, 16), 0);
  // The mark of row 2 (highlight 1) at the panel's left edge.
  EXPECT_EQ(pixels[static_cast<std::size_t>(72 + 8) * 640 + 100 + 8], gfxtest::PixelOf(&SurfaceRecords[49], 20, 52));
  EXPECT_EQ(DrawRankTable(table, &SDBackBuffer, 100, 40, kRankScore, -1), -1);
}

TEST_F(RankingDrawTest, TheTotalsBoxShowsNothingWhenTheStageKeepsNoKind) {
  cStageData stage;
  stage.RankFlags.assign(5, 0);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 36);
  const std::vector<std::uint32_t> before = gfxtest::ReadPixels(&SDBackBuffer);
  DrawResultTotals(&SDBackBuffer, 336, 224, cVector<std::int32_t>(5, -1), stage);
  EXPECT_EQ(gfxtest::ReadPixels(&SDBackBuffer), before);
}

}  // namespace
