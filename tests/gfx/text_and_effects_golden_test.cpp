#include <cstdlib>
#include <functional>
#include <string>

#include "gfx/alpha_blit.h"
#include "gfx/blend_table.h"
#include "gfx/blur_mosaic.h"
#include "gfx/circle_lens.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/font.h"
#include "gfx/frame_blit.h"
#include "gfx/rotate_blit.h"
#include "gfx/screen_effects.h"
#include "gfx/tint_blit.h"
#include "gfx_test_support.h"
#include "support/golden_frame.h"

namespace {

using gfxtest::Mode;

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

// Twenty-six 16 x 16 pictures: a diamond of its own colour on the transparent colour.
int LetterPicture(int x, int y) {
  const int cell = x / 16, lx = x % 16 - 8, ly = y - 8;
  return std::abs(lx) + std::abs(ly) <= 6 ? 60 + cell * 7 : 0;
}

// Stripes and rings, so that every distortion shows.
int Scene(int x, int y) {
  const int dx = x - 32, dy = y - 32;
  if (dx * dx + dy * dy < 100) return 230;
  return ((x / 8 + y / 8) % 2) != 0 ? 90 : 150 + (x + y) % 40;
}

struct Golden {
  const char* mode;
  std::uint64_t text;
  std::uint64_t effects;
};

// Frames looked at as PNG files and found right (write them with KESTREL_GOLDEN_DIR=<folder>).
// Text is the same frame wherever colours are exact (Direct3D 32, DirectDraw 8 and 32): every
// route draws a glyph alike. The hashes hold for the IPA faces of Debian 12.
const Golden kGolden[] = {
    {"D3D32", 0x357a34537ffa0f90ull, 0x1494800ebaefb80eull}, {"D3D16", 0x673428543f1fead4ull, 0x9be2fdb58f1e74adull},
    {"DD8", 0x357a34537ffa0f90ull, 0x334cc3dcb88c6f69ull},   {"DD16", 0x5f70d49dd83ea845ull, 0x9580a84373f1557full},
    {"DD32", 0x357a34537ffa0f90ull, 0xe684a32a2cea2179ull},
};

class TextAndEffectsFrame : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    WriteFile("bmp/Letters.bmp", Picture(26 * 16, 16, LetterPicture));
    WriteFile("bmp/Scene.bmp", Picture(64, 64, Scene));
    ASSERT_TRUE(Init(GetParam()));
    ASSERT_TRUE(UsePaletteFile());
    for (int a = 0; a < 256; ++a)
      for (int b = 0; b < 256; ++b) DDBlendTable[a * 256 + b] = static_cast<BYTE>(a > b ? (a + b) / 2 : b);
  }
  void TearDown() override {
    for (Font& f : fonts_) f.Release();
    for (DDSURFACEDATA* r : {&letters_, &frame_, &digits_, &scene_, &sceneSystem_}) DDReleaseSurface(r);
    LibraryTest::TearDown();
  }
  void Check(bool text) {
    platform::Frame frame;
    ASSERT_TRUE(gfxtest::PresentBackBuffer(frame));
    for (const Golden& g : kGolden) {
      if (std::string(g.mode) == GetParam().name) {
        testsupport::ExpectGoldenFrame(frame, std::string(text ? "text_" : "effects_") + GetParam().name,
                                       text ? g.text : g.effects);
      }
    }
  }
  Font fonts_[3];
  DDSURFACEDATA letters_, frame_, digits_, scene_, sceneSystem_;
};

TEST_P(TextAndEffectsFrame, TextOfTheThreeFontsMatchesItsLookedAtFrame) {
  ASSERT_EQ(DDCreateSurfaceFromFile(&letters_, "bmp\\Letters.bmp", 1, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  ASSERT_TRUE(DDCreateSurface(&frame_, 640, 480, 0, 0, 0, 0, 0));
  DDFillRect(&frame_, 0, 0, 640, 480, 36);
  ASSERT_TRUE(fonts_[0].Create("ＭＳ ゴシック", 0, 9, 10, 10, 241, &frame_, 1, 240, nullptr, 1));
  ASSERT_TRUE(fonts_[1].Create("ＭＳ Ｐゴシック", 0, 16, 16, 16, 241, &frame_, 2, 240, &letters_, 1));
  ASSERT_TRUE(fonts_[2].Create("ＭＳ 明朝", 0, 30, 32, 32, 200, &frame_, 1, 240, nullptr, 0));
  FontDef row{"ＭＳ Ｐゴシック", 0, 16, 16, 16, 241, -1, 0, 0, -1, 1};
  SurfaceDef blank{"", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_EQ(DDCreateNumberSheets(&digits_, &blank, 1, &fonts_[1], &row), 1);

  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 20);
  fonts_[0].Draw(&SDBackBuffer, 8, 8, "Score 0123456789  ｱｲｳｴｵ ﾊﾟﾜｰ  (cached 10)", 0);
  fonts_[1].m_bPicture = 0;
  fonts_[1].Draw(&SDBackBuffer, 8, 30, "メニュー：はじめる　つづき　漢字ド", 0);
  fonts_[1].m_bPicture = 1;
  fonts_[1].Draw(&SDBackBuffer, 8, 52, "pictures: abc xyz", 0);
  fonts_[1].DrawBox(&SDBackBuffer, 40, 90, 0, 0, "Box text\nsecond line", 8);
  fonts_[1].DrawFrame(&SDBackBuffer, 10000, 160, 300, 40);
  fonts_[2].Draw(&SDBackBuffer, 8, 220, "直接の文字 Aa", 0);
  fonts_[2].Draw(&SDBackBuffer, 8, 260, "二行目\nNext line", 0);
  DDDrawNumber(&SDBackBuffer, 400, 330, 16, 16, &digits_, 0, 0, 1, 98765, 7, 0);
  DDDrawNumber(&SDBackBuffer, 400, 350, 16, 16, &digits_, 0, 0, 1, 42, 7, 1);
  Check(true);
}

TEST_P(TextAndEffectsFrame, EffectsSceneMatchesItsLookedAtFrame) {
  ASSERT_EQ(DDCreateSurfaceFromFile(&scene_, "bmp\\Scene.bmp", 1, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  ASSERT_EQ(DDCreateSurfaceFromFile(&sceneSystem_, "bmp\\Scene.bmp", 1, DDBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0),
            0);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 45);
  DDFrameRect(&SDBackBuffer, 4, 4, 632, 472, 3, 240);
  DDBlt(&SDBackBuffer, 16, 16, 64, 64, &scene_, 0, 0, 1);
  DDWaveBlt(&SDBackBuffer, 96, 16, 64, 64, 1, 6.0, 30, 2, &scene_, 0, 0, 1, 0);
  DDWaveBlt(&SDBackBuffer, 176, 16, 64, 64, 2, 4.0, 0, 4, &scene_, 0, 0, 1, 1);
  DDInterlaceBlt(&SDBackBuffer, 256, 16, 64, 64, 4, 3, &scene_, 0, 0, 1, 0);
  DDFlipBlt(&SDBackBuffer, 336, 16, 64, 64, &scene_, 0, 0, &sceneSystem_, 0, 0, 64, 64, 1, 20, 0);
  DDSplitBlt(&SDBackBuffer, 432, 24, 64, 64, &scene_, 0, 0, 4, 1);
  DDBlurBlt(&SDBackBuffer, 16, 112, 64, 64, 3, 2, &sceneSystem_, 0, 0, 0);
  DDMosaicBlt(&SDBackBuffer, 96, 112, 64, 64, 8, &sceneSystem_, 0, 0, 1);
  DDBltAlpha(&SDBackBuffer, 176, 112, 64, 64, &scene_, 0, 0, 1, DDBlendTable, 100);
  DDBltHalf(&SDBackBuffer, 256, 112, 64, 64, &sceneSystem_, 0, 0, 1, DDBlendTable);
  DDBltTint(&SDBackBuffer, 336, 112, 64, 64, &sceneSystem_, 0, 0, 1, DDPaletteSaved, DDBlendTable, 200, 2);
  DDBltRotate(&SDBackBuffer, 464, 144, 64, 64, 32, 32, 30, &sceneSystem_, 0, 0, 1);
  DDBltCircle(&SDBackBuffer, 48, 260, 32, 32, 28, 1, &scene_, 32, 32, 1);
  DDBltCircle(&SDBackBuffer, 128, 260, 32, 32, 28, 6, &scene_, 32, 32, 1);
  DDBltLens(&SDBackBuffer, 220, 260, 30, 20, &sceneSystem_, 32, 32, 1, 0);
  DDBltRotate(&SDBackBuffer, 320, 260, 64, 64, 32, 32, 45, &scene_, 0, 0, 1);
  Check(false);
}

INSTANTIATE_TEST_SUITE_P(Modes, TextAndEffectsFrame, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

}  // namespace
