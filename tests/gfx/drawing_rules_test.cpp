// Drawing rules whose faults leave most pictures looking right: key clears inside batch runs,
// what splits a run, the order of targets, texture coordinates of rounded-up textures, the
// 16-bit conversion onto a full-screen back buffer and partial mirror cells.

#include <string>

#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/fill_batch.h"
#include "gfx/render_target.h"
#include "gfx/sprite_batch.h"
#include "gfx_test_support.h"

namespace {

using gfxtest::Mode;
using gfxtest::PixelOf;

const Mode kDirect3DModes[] = {{"D3D32", 1, 32, 1}, {"D3D16", 1, 16, 0}};

class DrawingRules : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
  }
  void TearDown() override {
    if (lpDevice != nullptr) lpDevice->WatchTargets(nullptr);
    for (DDSURFACEDATA& r : records_) DDReleaseSurface(&r);
    LibraryTest::TearDown();
  }
  // Brings the library up in the test's mode with the test palette and its transparent colour.
  void Open() {
    ASSERT_TRUE(Init(GetParam()));
    ASSERT_TRUE(DDLoadPaletteFromFile(DDPalette, "bmp\\plt\\Palette.bmp"));
    ASSERT_EQ(DDSetTransmit("bmp\\plt\\Palette.bmp"), 1);
  }
  DDSURFACEDATA* Record(int w, int h, int keyed = 1, int memoryType = DTMEMORYTYPE_VIDEO_RT) {
    DDSURFACEDATA& r = records_.emplace_back();
    EXPECT_TRUE(DDCreateSurface(&r, w, h, keyed, 0, memoryType, 0, 0));
    return &r;
  }
  DDSURFACEDATA* FromFile(const char* name, int mirrorWidth = 0) {
    DDSURFACEDATA& r = records_.emplace_back();
    EXPECT_EQ(DDCreateSurfaceFromFile(&r, name, 0, DDBpp, 0, 0, 0, 0, mirrorWidth, 0, 0), 0);
    return &r;
  }
  // Palette entry n as the back buffer shows it.
  DWORD Shown(int n) {
    DDFillRect(&SDBackBuffer, 639, 479, 1, 1, static_cast<DWORD>(n));
    return PixelOf(&SDBackBuffer, 639, 479);
  }
  // The transparent colour an opaque draw of a keyed source leaves on the back buffer.
  DWORD BackKey() const { return DDBpp == 32 ? lpDTCon->dwBackKey & 0xFFFFFF : lpDTCon->wBackKey16; }
  DWORD Back(int x, int y) const {
    const DWORD p = PixelOf(&SDBackBuffer, x, y);
    return DDBpp == 32 ? p & 0xFFFFFF : p;
  }

  DDSurfaceVector records_;
};

using Direct3DRules = DrawingRules;

TEST_P(Direct3DRules, EverySpriteOfABatchRunGetsItsOwnKeyClear) {
  Open();
  DDSURFACEDATA* sprite = Record(8, 4);
  DDFillRect(sprite, 0, 0, 4, 4, 0);  // transparent left half
  DDFillRect(sprite, 4, 0, 4, 4, 7);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 40);
  DDBeginBatch(0);
  for (int x : {100, 200, 300}) DDBlt(&SDBackBuffer, x, 100, 8, 4, sprite, 0, 0, 0);
  DDFlushBatch();
  for (int x : {100, 200, 300}) {
    EXPECT_EQ(Back(x + 1, 101), BackKey()) << x;
    EXPECT_EQ(PixelOf(&SDBackBuffer, x + 5, 101), Shown(7)) << x;
  }
  EXPECT_EQ(PixelOf(&SDBackBuffer, 150, 101), Shown(40));
}

TEST_P(Direct3DRules, AChangeOfDiffuseColourStartsANewRun) {
  Open();
  DDSURFACEDATA* sprite = Record(4, 4, 0);
  DDFillRect(sprite, 0, 0, 4, 4, 7);
  struct Case {
    const char* name;
    D3DCOLOR diffuse[3];
    int runs;
  };
  const Case cases[] = {
      {"one state", {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, 1},
      {"new colour in the middle", {0xFFFFFFFF, 0xFF808080, 0xFF808080}, 2},
      {"back and forth", {0xFFFFFFFF, 0xFF808080, 0xFFFFFFFF}, 3},
  };
  for (const Case& c : cases) {
    lpDevice->ResetCounts();
    DDBeginBatch(0);
    for (int i = 0; i < 3; ++i) {
      DDSetDiffuse(c.diffuse[i]);
      DDBlt(&SDBackBuffer, 10 + 10 * i, 10, 4, 4, sprite, 0, 0, 0);
    }
    DDResetDiffuse();
    DDFlushBatch();
    EXPECT_EQ(lpDevice->Counts().vertexBuffers, c.runs) << c.name;
  }
  // The vertices carry each sprite's own colour.
  EXPECT_EQ(PixelOf(&SDBackBuffer, 11, 11), Shown(7));
  EXPECT_NE(PixelOf(&SDBackBuffer, 21, 11), Shown(7));
}

TEST_P(Direct3DRules, FillsForTargetsABAAreDrawnToTheTargetsInThatOrder) {
  Open();
  DDSURFACEDATA* a = Record(8, 8, 0);
  DDSURFACEDATA* b = Record(8, 8, 0);
  std::string order;
  lpDevice->WatchTargets([&](const platform::RenderSurface& target) {
    if (&target == a->lpDT->lpSurface.get()) order += 'A';
    if (&target == b->lpDT->lpSurface.get()) order += 'B';
  });
  DDBeginFillBatch();
  DDFillRectRGB(a, 0, 0, 8, 8, 0xFF102030);
  DDFillRectRGB(b, 0, 0, 8, 8, 0xFF405060);
  DDFillRectRGB(a, 0, 0, 4, 4, 0xFF708090);
  DDFillRectRGB(a, 4, 4, 4, 4, 0xFF708090);
  DDFlushFillBatch();
  EXPECT_EQ(order, "ABA");
}

TEST_P(Direct3DRules, ATextureRoundedUpToAPowerOfTwoIsSampledAtItsOwnPixels) {
  platform::CurrentVideoSettings().caps.powerOfTwoTextures = true;
  Open();
  DDSURFACEDATA* strip = Record(20, 6, 0);
  ASSERT_EQ(strip->nTexWidth, 32);
  ASSERT_EQ(strip->nTexHeight, 8);
  for (int i = 0; i < 20; ++i) DDFillRect(strip, i, 0, 1, 6, static_cast<DWORD>(20 + i));
  DDFillRect(strip, 0, 5, 20, 1, 60);
  DDBlt(&SDBackBuffer, 10, 10, 14, 6, strip, 3, 0, 0);
  DDBltStretch(&SDBackBuffer, 10, 30, 40, 12, strip, 0, 0, 20, 6, 0);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(PixelOf(&SDBackBuffer, 10 + i, 12), Shown(23 + i)) << i;
  EXPECT_EQ(PixelOf(&SDBackBuffer, 10, 15), Shown(60));
  for (int i = 0; i < 40; ++i) EXPECT_EQ(PixelOf(&SDBackBuffer, 10 + i, 31), Shown(20 + i / 2)) << i;
  EXPECT_EQ(PixelOf(&SDBackBuffer, 10, 41), Shown(60));
}

// The software path onto a full-screen 16-bit back buffer turns the 1-5-5-5 texels into its
// 5-6-5 pixels; a windowed back buffer has the texels' own layout.
TEST_P(Direct3DRules, SoftwareCopiesOntoA16BitBackBufferTakeItsLayout) {
  if (GetParam().bpp != 16) GTEST_SKIP() << "16 bits only";
  for (int windowed : {0, 1}) {
    SCOPED_TRACE(windowed ? "windowed" : "full screen");
    ASSERT_TRUE(Init({"D3D16", 1, 16, windowed}));
    DDSURFACEDATA* source = Record(2, 1, 0, DTMEMORYTYPE_SYSTEM);
    const WORD texels[2] = {0x8000 | 5 << 10 | 17 << 5 | 9, 0x8000 | 31 << 10 | 1 << 5 | 30};
    {
      cSurfaceLock lock(source);
      ASSERT_NE(lock.m_lpBits, nullptr);
      std::memcpy(lock.m_lpBits, texels, sizeof(texels));
    }
    DDBlt(&SDBackBuffer, 30, 30, 2, 1, source, 0, 0, 0);
    if (windowed) {
      EXPECT_EQ(PixelOf(&SDBackBuffer, 30, 30), texels[0]);
      EXPECT_EQ(PixelOf(&SDBackBuffer, 31, 30), texels[1]);
    } else {
      EXPECT_EQ(PixelOf(&SDBackBuffer, 30, 30), DWORD{5 << 11 | 34 << 5 | 9});
      EXPECT_EQ(PixelOf(&SDBackBuffer, 31, 30), DWORD{31 << 11 | 2 << 5 | 30});
    }
    for (DDSURFACEDATA& r : records_) DDReleaseSurface(&r);
    records_.clear();
    DDUnInit();
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, Direct3DRules, testing::ValuesIn(kDirect3DModes), gfxtest::PrintMode);

// A sheet 100 pixels wide with 32-pixel mirror cells: the three whole cells are flipped, and
// columns 96 to 99 are not part of a cell. Direct3D leaves them as loaded (its texture is
// rounded up to 128, so a partial cell would read the padding); DirectDraw leaves them as the
// blank surface was.
TEST_P(DrawingRules, APartialLastMirrorCellIsNotMirrored) {
  platform::CurrentVideoSettings().caps.powerOfTwoTextures = true;
  Open();
  testsupport::BmpPicture picture;
  picture.width = 100;
  picture.height = 2;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 100; ++x)
      picture.pixels.push_back(static_cast<std::uint32_t>(x * 2) << 16 | static_cast<std::uint32_t>(250 - x) << 8 | 40);
  WriteFile("bmp/Sheet.bmp", testsupport::MakeBmp(picture));
  DDSURFACEDATA* plain = FromFile("bmp\\Sheet.bmp");
  DDSURFACEDATA* mirrored = FromFile("bmp\\Sheet.bmp", 32);
  DDSURFACEDATA* blank = Record(4, 2, 0);
  for (int x = 0; x < 96; ++x) {
    const int from = x / 32 * 32 + 31 - x % 32;
    EXPECT_EQ(PixelOf(mirrored, x, 1), PixelOf(plain, from, 1)) << x;
  }
  for (int x = 96; x < 100; ++x) {
    const DWORD expected = GetParam().backend == 1 ? PixelOf(plain, x, 1) : PixelOf(blank, 0, 0);
    EXPECT_EQ(PixelOf(mirrored, x, 1), expected) << x;
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, DrawingRules, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

}  // namespace
