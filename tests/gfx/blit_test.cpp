#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/pixel_draw.h"
#include "gfx/render_target.h"
#include "gfx/sheet_text.h"
#include "gfx/software_blit.h"
#include "gfx/sprite_batch.h"
#include "gfx_test_support.h"

namespace {

using gfxtest::Mode;
using gfxtest::PixelOf;

// A library up in one mode with the test palette; records made blank and painted with fills.
class Blits : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    ASSERT_TRUE(Init(GetParam()));
    ASSERT_TRUE(DDLoadPaletteFromFile(DDPalette, "bmp\\plt\\Palette.bmp"));
    ASSERT_EQ(DDSetTransmit("bmp\\plt\\Palette.bmp"), 1);
  }
  void TearDown() override {
    for (DDSURFACEDATA& r : records_) DDReleaseSurface(&r);
    LibraryTest::TearDown();
  }
  bool Direct3D() const { return GetParam().backend == 1; }

  // A blank keyed record in video memory (a render-target texture in Direct3D).
  DDSURFACEDATA* Record(int w, int h, int keyed = 1, int memoryType = DTMEMORYTYPE_VIDEO_RT) {
    DDSURFACEDATA& r = records_.emplace_back();
    EXPECT_TRUE(DDCreateSurface(&r, w, h, keyed, 0, memoryType, 0, 0));
    return &r;
  }
  // What palette entry n looks like on the back buffer: a fill of the bottom-right pixel read
  // back (drawing is done by then, so the pixel is free).
  DWORD Shown(int n) {
    DDFillRect(&SDBackBuffer, 639, 479, 1, 1, static_cast<DWORD>(n));
    return PixelOf(&SDBackBuffer, 639, 479);
  }
  // The transparent colour as the back buffer holds it after an opaque draw of a keyed source.
  DWORD BackKey() const {
    if (!Direct3D()) return DDTransmitKey;
    return GetParam().bpp == 32 ? 0xFFFF00FFu : 0xF81Fu;
  }
  DWORD Back(int x, int y) {
    const DWORD p = PixelOf(&SDBackBuffer, x, y);
    return Direct3D() && GetParam().bpp == 32 ? (p | 0xFF000000u) : p;
  }

  DDSurfaceVector records_;
};

TEST_P(Blits, KeyedBlitShowsTheBackgroundThroughTransparentPixelsAndOpaqueLeavesTheKey) {
  DDSURFACEDATA* sprite = Record(32, 8);
  DDFillRect(sprite, 0, 0, 16, 8, 0);
  DDFillRect(sprite, 16, 0, 16, 8, 7);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 40);
  DDBlt(&SDBackBuffer, 100, 100, 32, 8, sprite, 0, 0, 1);
  DDBlt(&SDBackBuffer, 100, 200, 32, 8, sprite, 0, 0, 0);
  const DWORD background = Shown(40), seven = Shown(7);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 105, 104), background);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 120, 104), seven);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 132, 104), background);
  EXPECT_EQ(Back(105, 204), BackKey());
  EXPECT_EQ(PixelOf(&SDBackBuffer, 120, 204), seven);
}

TEST_P(Blits, WideSourceLeftOfTheScreenAndSourceLeftOfZeroClipAsStoredGamesExpect) {
  DDSURFACEDATA* wide = Record(700, 2);
  DDFillRect(wide, 0, 0, 10, 2, 3);
  DDFillRect(wide, 10, 0, 1, 2, 5);
  DDFillRect(wide, 11, 0, 639, 2, 9);
  DDFillRect(wide, 650, 0, 50, 2, 11);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 40);
  DDBlt(&SDBackBuffer, -10, 0, 700, 2, wide, 0, 0, 1);
  // Cut at source column 0 without moving the destination.
  DDBlt(&SDBackBuffer, 50, 10, 20, 1, wide, -5, 0, 1);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 0, 0), Shown(5));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 639, 1), Shown(9));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 49, 10), Shown(40));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 50, 10), Shown(3));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 64, 10), Shown(9));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 65, 10), Shown(40));
}

TEST_P(Blits, StretchDoublesEachSourcePixel) {
  DDSURFACEDATA* cells = Record(4, 1);
  for (int i = 0; i < 4; ++i) DDFillRect(cells, i, 0, 1, 1, static_cast<DWORD>(20 + i));
  DDBltStretch(&SDBackBuffer, 10, 0, 8, 2, cells, 0, 0, 4, 1, 0);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(PixelOf(&SDBackBuffer, 10 + i, 1), Shown(20 + i / 2)) << i;
}

TEST_P(Blits, SheetTextBreaksLinesAndFindsHalfWidthKatakana) {
  DDSURFACEDATA* sheet = Record(128, 80);
  for (int row = 0; row < 10; ++row)
    for (int col = 0; col < 16; ++col)
      DDFillRect(sheet, col * 8, row * 8, 8, 8, static_cast<DWORD>(20 + row * 16 + col));
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 1);
  DDDrawSheetText(&SDBackBuffer, 16, 8, 8, 8, sheet, "AB\nC\n\xB1\xDD");
  struct Cell {
    int x, y, row, col;
  };
  const Cell cells[] = {{16, 8, 4, 1}, {24, 8, 4, 2}, {16, 16, 4, 3}, {16, 24, 1, 1}, {24, 24, 9, 13}};
  for (const Cell& c : cells) EXPECT_EQ(PixelOf(&SDBackBuffer, c.x + 3, c.y + 3), Shown(20 + c.row * 16 + c.col));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 32, 8), Shown(1));
  // A line whose offset reaches the screen width goes on at x one cell lower.
  DDDrawSheetText(&SDBackBuffer, 0, 200, 8, 8, sheet, std::string(81, 'A').c_str());
  EXPECT_EQ(PixelOf(&SDBackBuffer, 636, 203), Shown(20 + 4 * 16 + 1));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 3, 211), Shown(20 + 4 * 16 + 1));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 11, 211), Shown(1));
}

TEST_P(Blits, FormattedSheetTextLongerThanItsLimitIsCut) {
  DDSURFACEDATA* sheet = Record(128, 80);
  DDFillRect(sheet, 0, 0, 128, 80, 30);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 1);
  const std::string longText(400, 'x');
  DDDrawSheetTextF(&SDBackBuffer, 0, 0, 2, 2, sheet, "%s", longText.c_str());
  // 255 cells of 2 pixels end at x = 510, short of the line width.
  EXPECT_EQ(PixelOf(&SDBackBuffer, 508, 0), Shown(30));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 510, 0), Shown(1));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 0, 2), Shown(1));
}

TEST_P(Blits, PixelsAndCirclesStayInsideTheRecord) {
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 1);
  DDSetPixel(&SDBackBuffer, 640, 0, 9);
  DDSetPixel(&SDBackBuffer, 0, -1, 9);
  DDDrawCircle(&SDBackBuffer, 50, 50, 0, 9);
  DDDrawCircle(&SDBackBuffer, 100, 100, 1, 9);
  DDDrawCircle(&SDBackBuffer, 0, 0, 3, 9);
  const DWORD bg = Shown(1), nine = Shown(9);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 639, 0), bg);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 50, 50), bg);
  int lit = 0;
  for (int y = 98; y <= 102; ++y)
    for (int x = 98; x <= 102; ++x) lit += PixelOf(&SDBackBuffer, x, y) == nine ? 1 : 0;
  EXPECT_EQ(lit, 4);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 99, 100), nine);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 100, 101), nine);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 3, 0), nine);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 0, 3), nine);
}

TEST_P(Blits, MessageBoxInAWindowIsShownAndSaysSo) {
  if (!DDWindowed) GTEST_SKIP() << "full screen";
  EXPECT_EQ(DDSetDialogBoxMode(1), 1);
  EXPECT_EQ(DDMesBox("text", "caption", BoxButtons::Ok), 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, Blits, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

}  // namespace
