
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/render_target.h"
#include "gfx/sprite_batch.h"
#include "gfx_test_support.h"
#include "support/golden_frame.h"

namespace {

using gfxtest::Mode;

// 8-bit pictures over the test palette (index 0 is the transparent magenta).
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

// Two 32 x 32 tiles: a checker of two colours and a framed plain tile.
int TilePixel(int x, int y) {
  if (x < 32) return ((x / 8 + y / 8) % 2) != 0 ? 60 : 90;
  const int lx = x - 32;
  return lx < 2 || y < 2 || lx > 29 || y > 29 ? 150 : 120;
}

// A lopsided sprite on the transparent colour: a disc with an eye and a tail on its right, so a
// mirrored copy is told apart at a glance.
int SpritePixel(int x, int y) {
  const int dx = x - 14, dy = y - 16;
  if (dx * dx + dy * dy <= 100) return (x - 18) * (x - 18) + (y - 12) * (y - 12) <= 4 ? 250 : 200;
  if (x >= 24 && y >= 14 && y <= 18) return 230;
  return 0;
}

struct Golden {
  const char* mode;
  std::uint64_t hash;
};

// Frames looked at as PNG files and found right (write them with KESTREL_GOLDEN_DIR=<folder>).
const Golden kGolden[] = {
    // The 24- and 32-bit paths and the 8-bit palette show the bitmap colours exactly, so three
    // modes give the one frame; the two 16-bit modes quantise each in their own way.
    {"D3D32", 0x205a98842cb417b7ull}, {"D3D16", 0xfd581d7177835dd8ull}, {"DD8", 0x205a98842cb417b7ull},
    {"DD16", 0x29b873754c53b384ull},  {"DD32", 0x205a98842cb417b7ull},
};

class GoldenFrame : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void TearDown() override {
    for (DDSURFACEDATA* r : {&tiles_, &sprite_, &mirrored_}) DDReleaseSurface(r);
    LibraryTest::TearDown();
  }
  DDSURFACEDATA tiles_, sprite_, mirrored_;
};

TEST_P(GoldenFrame, SceneOfTilesSpritesAndStretchedAndMirroredSheetsMatchesItsLookedAtFrame) {
  WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
  WriteFile("bmp/Tiles.bmp", Picture(64, 32, TilePixel));
  WriteFile("bmp/Sprite.bmp", Picture(32, 32, SpritePixel));
  ASSERT_TRUE(Init(GetParam()));
  ASSERT_TRUE(DDLoadPaletteFromFile(DDPalette, "bmp\\plt\\Palette.bmp"));
  ASSERT_EQ(DDSetTransmit("bmp\\plt\\Palette.bmp"), 1);
  ASSERT_EQ(DDCreateSurfaceFromFile(&tiles_, "bmp\\Tiles.bmp", 0, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  ASSERT_EQ(DDCreateSurfaceFromFile(&sprite_, "bmp\\Sprite.bmp", 1, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  ASSERT_EQ(DDCreateSurfaceFromFile(&mirrored_, "bmp\\Sprite.bmp", 1, DDBpp, 0, 0, 0, 0, 32, 0, 0), 0);

  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 40);
  DDBeginBatch(0);
  for (int ty = 0; ty < 8; ++ty)
    for (int tx = 0; tx < 20; ++tx) DDBlt(&SDBackBuffer, tx * 32, ty * 32, 32, 32, &tiles_, ((tx + ty) % 2) * 32, 0, 0);
  for (int i = 0; i < 12; ++i) DDBlt(&SDBackBuffer, 20 + i * 50, 280 + (i % 3) * 20, 32, 32, &sprite_, 0, 0, 1);
  DDFlushBatch();
  DDBltStretch(&SDBackBuffer, 40, 360, 96, 96, &sprite_, 0, 0, 32, 32, 1);
  DDBlt(&SDBackBuffer, 200, 400, 32, 32, &mirrored_, 0, 0, 1);
  DDBltStretch(&SDBackBuffer, 260, 360, 64, 64, &mirrored_, 0, 0, 32, 32, 1);
  // Opaque: the key colour stays where the sprite is transparent.
  DDBlt(&SDBackBuffer, 400, 400, 32, 32, &sprite_, 0, 0, 0);

  platform::Frame frame;
  ASSERT_TRUE(gfxtest::PresentBackBuffer(frame));
  ASSERT_EQ(frame.width, 640);
  ASSERT_EQ(frame.height, 480);
  for (const Golden& g : kGolden) {
    if (std::string(g.mode) == GetParam().name) {
      testsupport::ExpectGoldenFrame(frame, std::string("golden_") + GetParam().name, g.hash);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, GoldenFrame, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

}  // namespace
