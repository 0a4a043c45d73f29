#include <string>

#include "data/system_data.h"
#include "gfx/blend_table.h"
#include "gfx/palette_animation.h"
#include "gfx/palette_effects.h"
#include "gfx_test_support.h"

namespace {

PALETTEENTRY Colour(int n) {
  const std::uint32_t c = gfxtest::PaletteColor(n);
  return {static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c), 0};
}

// 8-bit DirectDraw over the test palette, whose entry n has its own colour.
class PaletteChoice : public gfxtest::LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    for (int n : {0, 12, 23}) {
      WriteFile("bmp/hbt/hbt" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".dat",
                std::string(kBlendTableSize, static_cast<char>(n + 1)));
    }
    ASSERT_TRUE(Init({"DD8", 0, 8, 0}));
    saved_ = SystemData;
    ResetPaletteAnimation();
  }
  void TearDown() override {
    SystemData = saved_;
    ResetPaletteAnimation();
    LibraryTest::TearDown();
  }
  PALETTEENTRY Screen(int index) const {
    platform::PaletteEntry e;
    lpDDPalette->GetEntries(index, 1, &e);
    return {e.red, e.green, e.blue, e.flags};
  }
  static bool SameColour(const PALETTEENTRY& a, const PALETTEENTRY& b) {
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
  }
  cSystemData saved_;
};

// Entry 255 is outside every table's blocks: the screen keeps it as the palette load set it.
TEST_F(PaletteChoice, TablesShiftOrCopyTheBlocksAndLeaveEntry255AsLoaded) {
  const struct {
    int number;
    int loaded;  // the table file's bytes
    std::function<int(int)> source;  // which loaded entry lands on entry i (16..207)
  } cases[] = {
      {0, 1, [](int i) { return i; }},
      {12, 13, [](int i) { return 16 + i % 16; }},
      {23, 24, [](int i) { return 192 + i % 16; }},
      {40, 24, [](int i) { return 192 + i % 16; }},  // clamped to 23
      {-3, 1, [](int i) { return i; }},              // clamped to 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    ASSERT_EQ(LoadHbtPalette(c.number), 1);
    EXPECT_EQ(DDBlendTable[4321], c.loaded);
    for (int i : {0, 15, 16, 31, 100, 207, 208, 254}) {
      const int from = i >= 16 && i <= 207 ? c.source(i) : i;
      EXPECT_TRUE(SameColour(DDPalette[i], Colour(from))) << i;
      EXPECT_TRUE(SameColour(DDPaletteSaved[i], Colour(from))) << i;
      EXPECT_TRUE(SameColour(Screen(i), Colour(from))) << i;
    }
    EXPECT_TRUE(SameColour(Screen(255), Colour(255)));
  }
}

TEST_F(PaletteChoice, ARotatingTableShiftsTheBandDownByItsBlocks) {
  WriteFile("bmp/hbt/hbt02.dat", std::string(kBlendTableSize, '\0'));
  ASSERT_EQ(LoadHbtPalette(2), 1);
  EXPECT_TRUE(SameColour(DDPalette[16], Colour(48)));
  EXPECT_TRUE(SameColour(DDPalette[175], Colour(207)));
  EXPECT_TRUE(SameColour(DDPalette[176], Colour(16)));
}

TEST_F(PaletteChoice, AMissingTableIsShownAndThePaletteStays) {
  ASSERT_EQ(LoadHbtPalette(0), 1);
  const PALETTEENTRY before = DDPaletteSaved[20];
  EXPECT_EQ(LoadHbtPalette(5), 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].find("bmp\\hbt\\hbt05.dat の読み込みに失敗！"), std::string::npos);
  EXPECT_EQ(DDPaletteSaved[20], before);
}

TEST_F(PaletteChoice, TheBandCyclesEverySixthCallOnlyWithCyclingOn) {
  ASSERT_EQ(LoadHbtPalette(0), 1);
  SystemData.bPaletteCycle = 0;
  for (int i = 0; i < 12; ++i) AnimatePalette();
  EXPECT_TRUE(SameColour(Screen(208), Colour(208)));
  SystemData.bPaletteCycle = 1;
  for (int i = 0; i < 5; ++i) AnimatePalette();
  EXPECT_TRUE(SameColour(Screen(208), Colour(208)));
  AnimatePalette();
  // Each group of four turns down by one: 208 shows 209, 211 shows 208.
  for (int group = 208; group < 240; group += 4) {
    EXPECT_TRUE(SameColour(Screen(group), Colour(group + 1))) << group;
    EXPECT_TRUE(SameColour(Screen(group + 3), Colour(group))) << group;
    EXPECT_TRUE(SameColour(DDPaletteSaved[group + 3], Colour(group))) << group;
  }
  EXPECT_TRUE(SameColour(Screen(207), Colour(207)));
  EXPECT_TRUE(SameColour(Screen(240), Colour(240)));
  EXPECT_TRUE(SameColour(DDPalette[208], Colour(208))) << "the loaded palette is not touched";
}

TEST(PingPong, RunsBetweenTheBoundsAndTellsTheBottom) {
  int value = 0, dir = 0;
  std::vector<int> seen, bottoms;
  for (int i = 0; i < 36; ++i) {
    seen.push_back(value);
    bottoms.push_back(PingPongStep(&value, &dir, 16, 0, 255));
  }
  const std::vector<int> expected = {0,   16,  32,  48,  64,  80,  96,  112, 128, 144, 160, 176,
                                     192, 208, 224, 240, 240, 224, 208, 192, 176, 160, 144, 128,
                                     112, 96,  80,  64,  48,  32,  16,  16,  32,  48,  64,  80};
  EXPECT_EQ(seen, expected);
  for (int i = 0; i < 36; ++i) EXPECT_EQ(bottoms[static_cast<std::size_t>(i)], i == 30 ? 1 : 0) << i;
}

class PulseColours : public gfxtest::LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(Init({"D3D32", 1, 32, 1}));
    saved_ = SystemData;
    ResetPaletteAnimation();
  }
  void TearDown() override {
    SystemData = saved_;
    ResetPaletteAnimation();
    LibraryTest::TearDown();
  }
  cSystemData saved_;
};

TEST_F(PulseColours, ChannelsPulseWithTheirBlendModesAndTheFourColourEntryChangesPhaseAtTheBottom) {
  SystemData.nPulseStep = 16;
  SystemData.bPaletteCycle = 0;
  AnimatePalette();
  AnimatePalette();
  EXPECT_EQ(PulseColors[0].dwColor, 0u);
  EXPECT_EQ(PulseColors[1].dwColor, 0xFF101010u);
  EXPECT_EQ(PulseColors[1].nBlendMode, 7);
  EXPECT_EQ(PulseColors[2].nBlendMode, 10);
  EXPECT_EQ(PulseColors[3].dwColor, 0xFF100000u);
  EXPECT_EQ(PulseColors[7].dwColor, 0xFF100004u);
  EXPECT_EQ(PulseColors[8].dwColor, 0xFF040010u);
  EXPECT_EQ(PulseColors[9].dwColor, 0xFF100000u);
  // 31 calls bring the channel to its bottom (16 after falling), the next shows the next phase.
  for (int i = 2; i < 32; ++i) AnimatePalette();
  EXPECT_EQ(PulseColors[9].dwColor, 0xFF001000u)
      << "phase 1 is green";
}

TEST_F(PulseColours, StepZeroKeepsEveryColourAtZero) {
  SystemData.nPulseStep = 0;
  for (int i = 0; i < 50; ++i) AnimatePalette();
  EXPECT_EQ(PulseColors[1].dwColor, 0xFF000000u);
  EXPECT_EQ(PulseColors[9].dwColor, 0xFF000000u);
}

}  // namespace
