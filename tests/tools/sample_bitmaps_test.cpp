#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/project_paths.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "gfx/bitmap_file.h"
#include "sample_bitmap_checks.h"
#include "sample_game_fixture.h"

namespace {

using sampletest::GameFolderTest;
using sampletest::Inside;
using sampletest::Load;

class SampleBitmapsTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    palette_ = Load(SurfaceDefs[0].fileName);
  }
  platform::BmpImage palette_;
};

// Palette.bmp is an 8-bit picture whose pixel (0, 0) is the transparent colour, and whose rows
// 8 to 23 hold the 256 colours in order for the hi-colour modes.
TEST_F(SampleBitmapsTest, PaletteBitmapHoldsTheKeyAndTheColourBlock) {
  ASSERT_EQ(palette_.bitsPerPixel, 8);
  ASSERT_EQ(palette_.colorCount, 256);
  EXPECT_EQ(palette_.Row(0)[0], 0);
  for (int n = 0; n < 256; ++n) EXPECT_EQ(palette_.Row(8 + n / 16)[n % 16], n) << "entry " << n;
}

// Every bitmap of the surface table that is not optional is there, and every one there is 8
// bits deep in the palette's colours and whole cells wide where the row mirrors cells.
TEST_F(SampleBitmapsTest, SurfaceTableBitmapsShareThePaletteAndFitTheirRows) {
  int loaded = 0;
  for (int row = 1; row < kSurfaceRowCount; ++row) {
    const SurfaceDef& def = SurfaceDefs[row];
    if (std::strcmp(def.fileName, "E") == 0 || def.fileName[0] == '\0') continue;
    if (row >= kBackgroundFirstRow && row < kBackgroundFirstRow + kBackgroundRowCount) continue;  // the stages name them
    platform::BmpImage image;
    const bool found = DDLoadBitmapFile(def.fileName, image);
    if (!found) {
      EXPECT_EQ(def.optional, 1) << def.fileName << " (row " << row << ") is missing";
      continue;
    }
    ++loaded;
    EXPECT_EQ(image.bitsPerPixel, 8) << def.fileName;
    EXPECT_EQ(image.colors, palette_.colors) << def.fileName << " has colours of its own";
    if (def.mirrorCellWidth != 0) {
      EXPECT_EQ(image.width % def.mirrorCellWidth, 0) << def.fileName;
    }
  }
  EXPECT_GE(loaded, 19);
}

// Sizes fixed by how the game cuts each sheet.
TEST_F(SampleBitmapsTest, SheetsHaveTheSizesTheirReadersCutThemBy) {
  cSystemData system;
  ASSERT_EQ(system.Load(ProjectPaths[kPathSystemData]), 1);
  const int menuRows = static_cast<int>(system.TitleMenu.size());
  const FontDef& menuFont = FontDesc[1];
  const struct {
    const char* file;
    int minWidth, minHeight;  // at least
    int cellWidth, cellHeight;  // whole cells of this size (0: any)
    bool exact;                // exactly the minimum size
  } sheets[] = {
      {"bmp\\Block.bmp", 32, 15 * 32, 32, 15 * 32, false},          // 15 pictures a column
      {"bmp\\Character1.bmp", 16 * 32, 15 * 32, 32, 15 * 32, false},  // 15 characters, poses with both offsets
      {"bmp\\Shot.bmp", 128, 480, 0, 0, true},                       // composed cell by cell into 256 x 960
      {"bmp\\Item.bmp", 64, 15 * 32, 64, 15 * 32, false},            // two frames a picture
      {"bmp\\Item_Mini.bmp", 32, 15 * 16, 32, 15 * 16, false},
      {"bmp\\Mark.bmp", 32, 15 * 32, 32, 15 * 32, false},
      {"bmp\\Window.bmp", 640, 480, 0, 0, false},  // boxes take it from the corner, up to screen size
      {"bmp\\StatusWindow.bmp", 640, 20, 0, 0, false},
      {"bmp\\Title.bmp", 640, 480, 0, 0, true},
      {"bmp\\GameMode.bmp", 32, menuRows * 32, 0, 32, false},
      {"bmp\\Accessory.bmp", 64 + 50, 160 + 16, 0, 0, false},  // the SP gauge fill is the far corner
      {"bmp\\Symbol.bmp", 26 * menuFont.charSpacing, menuFont.lineSpacing, 0, 0, false},
      {"bmp\\Word.bmp", 10 * 32, 160 + 32, 0, 0, false},  // ten digits, the time row last
      {"bmp\\WorldMapChip.bmp", 5 * 32, 32, 5 * 32, 32, false},
      {"bmp\\WorldEvent.bmp", 2 * 32, 32, 2 * 32, 32, false},
      {"bmp\\Debug.bmp", 16 * 8, 16 * 16, 0, 0, false},  // sixteen 8 x 16 cells each way
  };
  for (const auto& sheet : sheets) {
    const platform::BmpImage image = Load(sheet.file);
    EXPECT_GE(image.width, sheet.minWidth) << sheet.file;
    EXPECT_GE(image.height, sheet.minHeight) << sheet.file;
    if (sheet.exact) {
      EXPECT_TRUE(image.width == sheet.minWidth && image.height == sheet.minHeight) << sheet.file;
    }
    if (sheet.cellWidth != 0) {
      EXPECT_EQ(image.width % sheet.cellWidth, 0) << sheet.file;
    }
    if (sheet.cellHeight != 0) {
      EXPECT_EQ(image.height % sheet.cellHeight, 0) << sheet.file;
    }
  }
}

}  // namespace
