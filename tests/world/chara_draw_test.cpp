// A character drawn from its sheet cell with the colour key, and its overlay tile.
#include <gtest/gtest.h>

#include <functional>

#include "core/system_ini.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/gfx_test_support.h"
#include "gfx/surface_records.h"
#include "support/world_fixture.h"
#include "world/chara.h"
#include "world/chara_draw.h"

namespace {

std::string Picture(int w, int h, const std::function<int(int, int)>& index) {
  testsupport::BmpPicture picture;
  picture.width = w;
  picture.height = h;
  picture.bits = 8;
  for (int n = 0; n < 256; ++n) picture.colors.push_back(gfxtest::PaletteColor(n));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) picture.pixels.push_back(static_cast<std::uint32_t>(index(x, y)));
  return testsupport::MakeBmp(picture);
}

// Cell (column, row) of the sheet is colour 1 + column + 4 × row, its top-left pixel keyed.
int SheetPixel(int x, int y) { return (x % 32 == 0 && y % 32 == 0) ? 0 : 1 + x / 32 + 4 * (y / 32); }

class CharaDrawTest : public gfxtest::LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    WriteFile("bmp/Character2.bmp", Picture(128, 480, SheetPixel));
    // The overlay sheet: tile 16 (column 1, row 1) has a 16 x 16 block of colour 200.
    WriteFile("bmp/Mark.bmp", Picture(64, 64, [](int x, int y) { return x >= 32 && x < 48 && y >= 32 && y < 48 ? 200 : 0; }));
    ASSERT_TRUE(Init(gfxtest::Mode{"DD32", 0, 32, 1}));
    ASSERT_TRUE(DDLoadPaletteFromFile(DDPalette, "bmp\\plt\\Palette.bmp"));
    ASSERT_EQ(DDSetTransmit("bmp\\plt\\Palette.bmp"), 1);
    stretch_ = SystemIni.DD_VideoStretch;
    SystemIni.DD_VideoStretch = 0;  // the twin rows: Character2 at 24 and 25, the marks at 44
    for (int row : {24, 25}) {
      ASSERT_EQ(DDCreateSurfaceFromFile(&SurfaceRecords[row], "bmp\\Character2.bmp", 1, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
    }
    ASSERT_EQ(DDCreateSurfaceFromFile(&SurfaceRecords[44], "bmp\\Mark.bmp", 1, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
    world_.emplace(std::vector<std::string>{"H...", "####"});
    world_->Build();
  }
  void TearDown() override {
    world_.reset();
    for (int row : {24, 25, 44}) DDReleaseSurface(&SurfaceRecords[row]);
    SystemIni.DD_VideoStretch = stretch_;
    LibraryTest::TearDown();
  }
  DWORD Colour(int index) {
    DDFillRect(&SDBackBuffer, 600, 440, 4, 4, static_cast<DWORD>(index));
    return gfxtest::PixelOf(&SDBackBuffer, 601, 441);
  }
  std::optional<worldtest::WorldFixture> world_;
  int stretch_ = 0;
};

TEST_F(CharaDrawTest, PictureOfTheFramesCellWithTheKeyThenTheOverlay) {
  cPlayer& hero = world_->Hero();
  hero.Def.nGraphicKind = 1;
  hero.Def.nPicture = 17;  // sheet 2, row 2
  hero.Def.nBaseColumn = 2;
  hero.nFacing = 0;
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 40);
  DrawCharaPicture(hero, &SDBackBuffer, true);
  const int l = hero.Rect.left;
  const int t = hero.Rect.top;
  EXPECT_EQ(gfxtest::PixelOf(&SDBackBuffer, l + 5, t + 5), Colour(1 + 2 + 4 * 2));
  EXPECT_EQ(gfxtest::PixelOf(&SDBackBuffer, l, t), Colour(40));  // keyed
  hero.Def.bOverlay = 1;
  hero.Def.nOverlayTile = 16;
  DrawCharaPicture(hero, &SDBackBuffer, true);
  EXPECT_EQ(gfxtest::PixelOf(&SDBackBuffer, l + 5, t + 5), Colour(200));
  EXPECT_EQ(gfxtest::PixelOf(&SDBackBuffer, l + 20, t + 20), Colour(11));
  // Hidden: nothing is drawn.
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 40);
  hero.nHide = 1;
  DrawCharaPicture(hero, &SDBackBuffer, true);
  EXPECT_EQ(gfxtest::PixelOf(&SDBackBuffer, l + 20, t + 20), Colour(40));
}

TEST_F(CharaDrawTest, BlockIconAndTheHeldItemsBlink) {
  WriteFile("bmp/Block.bmp", Picture(64, 480, SheetPixel));
  ASSERT_EQ(DDCreateSurfaceFromFile(&SurfaceRecords[2], "bmp\\Block.bmp", 1, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  cEdBlock block;
  block.nGraphicKind = 0;
  block.nPicture = 16;  // column 1, row 1
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 40);
  DrawBlockIcon(block, &SDBackBuffer, 100, 100);
  EXPECT_EQ(gfxtest::PixelOf(&SDBackBuffer, 110, 110), Colour(1 + 1 + 4 * 1));
  EXPECT_EQ(gfxtest::PixelOf(&SDBackBuffer, 100, 100), Colour(40));
  DDReleaseSurface(&SurfaceRecords[2]);

  // Shown during frames 64 to 95 of every 96.
  cChara walker;
  walker.HeldItem.nGraphic = 3;
  walker.HeldItem.Def.nGraphicKind = 2;
  walker.bOnScreen = 1;
  int shown = 0;
  int firstShown = -1;
  for (int frame = 1; frame <= 192; ++frame) {
    if (DrawHeldItemIcon(walker, &SDBackBuffer)) {
      ++shown;
      if (firstShown < 0) firstShown = frame;
    }
  }
  EXPECT_EQ(firstShown, 64);
  EXPECT_EQ(shown, 64);
  walker.HeldItem.nGraphic = 0;  // holds nothing
  EXPECT_FALSE(DrawHeldItemIcon(walker, &SDBackBuffer));
}

}  // namespace
