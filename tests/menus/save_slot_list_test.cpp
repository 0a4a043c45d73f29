// The slot list drawn with a real font: the slot numbers from the first row asked for, the save
// time of used slots only, separators between rows, and nothing past the list's end.
#include "menus/save_slot_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx/dd_fill.h"
#include "gfx/dd_palette.h"
#include "gfx/game_fonts.h"
#include "gfx/gfx_test_support.h"

namespace {

constexpr int kX = 100;
constexpr int kY = 40;

class SaveSlotListTest : public gfxtest::LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(InitWithPalette(gfxtest::Mode{"DD32", 0, 32, 1}));
    ASSERT_TRUE(GameFonts[1].Create("ＭＳ ゴシック", 0, 16, 16, 16, 15, nullptr, 0, 0, nullptr, 1));
  }
  void TearDown() override {
    GameFonts[1].Release();
    LibraryTest::TearDown();
  }
  // Pixels of a band that differ from the colour at the band's right end, inside the frame.
  static int Marked(const std::vector<std::uint32_t>& pixels, int left, int top, int width, int height) {
    const std::uint32_t background = pixels[static_cast<std::size_t>(top + height / 2) * 640 + kX + 300];
    int count = 0;
    for (int y = top; y < top + height; ++y)
      for (int x = left; x < left + width; ++x) count += pixels[static_cast<std::size_t>(y) * 640 + x] != background;
    return count;
  }
};

TEST_F(SaveSlotListTest, RowsPastTheListsEndStayEmptyAfterTheFifthSeparator) {
  cVector<cSaveSlotInfo> list(99);
  list[95].m_bUsed = 1;
  list[95].m_Time.year = 2026;
  list[95].m_Time.month = 12;
  list[95].m_Time.day = 11;
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 36);
  DrawSaveSlotList(&SDBackBuffer, kX, kY, list, 95, 10);
  const std::vector<std::uint32_t> pixels = gfxtest::ReadPixels(&SDBackBuffer);
  const std::uint32_t separator = gfxtest::PaletteColor(240);
  for (int row = 0; row < 10; ++row) {
    const int top = kY + 16 * row;
    // Slots 96 to 99 have their numbers; only 96, the used one, its time.
    EXPECT_EQ(Marked(pixels, kX + 16, top, 40, 15) > 10, row < 4) << row;
    EXPECT_EQ(Marked(pixels, kX + 64, top, 200, 15) > 30, row == 0) << row;
    const std::uint32_t line = pixels[static_cast<std::size_t>(top + 15) * 640 + kX + 250];
    EXPECT_EQ(line == separator, row <= 4) << row;
  }
}

}  // namespace
