#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "gfx/alpha_blit.h"
#include "gfx/blend_table.h"
#include "gfx/blur_mosaic.h"
#include "gfx/circle_lens.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/frame_blit.h"
#include "gfx/palette_effects.h"
#include "gfx/rotate_blit.h"
#include "gfx/screen_effects.h"
#include "gfx/screen_fade.h"
#include "gfx/tint_blit.h"
#include "gfx_test_support.h"

namespace {

using gfxtest::Mode;
using gfxtest::PixelOf;

constexpr int kBack = 3;

// A library in one mode over the test palette; pictures are painted with fills.
class Effects : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    ASSERT_TRUE(Init(GetParam()));
    ASSERT_TRUE(UsePaletteFile());
    DDResetFades();
  }
  void TearDown() override {
    for (DDSURFACEDATA& r : records_) DDReleaseSurface(&r);
    DDResetFades();
    LibraryTest::TearDown();
  }
  bool Direct3D() const { return GetParam().backend == 1; }
  int Bpp() const { return GetParam().bpp; }
  // A blank record (a render-target texture under Direct3D unless in system memory).
  DDSURFACEDATA* Record(int w, int h, int fill, int memoryType = DTMEMORYTYPE_VIDEO_RT) {
    DDSURFACEDATA& r = records_.emplace_back();
    EXPECT_TRUE(DDCreateSurface(&r, w, h, 1, 0, memoryType, 0, 0));
    DDFillRect(&r, 0, 0, w, h, static_cast<DWORD>(fill));
    return &r;
  }
  // A target of the kind the software paths write: under Direct3D a system-memory texture.
  DDSURFACEDATA* Canvas(int w, int h) { return Record(w, h, kBack, DTMEMORYTYPE_SYSTEM); }
  // Palette entry n as a record of that kind holds it (render targets and system-memory
  // textures quantise a fill each in their own way).
  DWORD As(DDSURFACEDATA* like, int n) {
    DDSURFACEDATA* probe = Record(1, 1, n, like->lpDT != nullptr ? like->lpDT->nMemoryType : 0);
    return PixelOf(probe, 0, 0);
  }
  // A picture whose pixel (i, j) has palette entry 10 + i + 8 j (i, j below 8).
  DDSURFACEDATA* Picture(int w, int h, int memoryType = DTMEMORYTYPE_VIDEO_RT) {
    DDSURFACEDATA* r = Record(w, h, 0, memoryType);
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) DDFillRect(r, i, j, 1, 1, static_cast<DWORD>(10 + i + 8 * j));
    return r;
  }
  DDSurfaceVector records_;
};

TEST_P(Effects, NumbersAreRightAlignedOrCentredInTheirFieldWithoutPadding) {
  DDSURFACEDATA* strip = Record(80, 4, 0);
  for (int d = 0; d < 10; ++d) DDFillRect(strip, d * 8, 0, 8, 4, static_cast<DWORD>(100 + d));
  struct Case {
    int value, minimum, centre;
    std::vector<std::pair<int, int>> digits;  // (x offset, digit)
  };
  const Case cases[] = {
      {7, 3, 0, {{16, 7}}}, {7, 3, 1, {{8, 7}}}, {1234, 3, 0, {{0, 1}, {8, 2}, {16, 3}, {24, 4}}},
      {0, 1, 0, {{0, 0}}},  {-5, 2, 0, {{8, 0}}},
  };
  for (const Case& c : cases) {
    DDSURFACEDATA* canvas = Canvas(48, 4);
    DDDrawNumber(canvas, 0, 0, 8, 4, strip, 0, 0, 0, c.value, c.minimum, c.centre);
    std::vector<int> drawn(6, -1);
    for (int cell = 0; cell < 6; ++cell) {
      for (int d = 0; d < 10; ++d) {
        if (PixelOf(canvas, cell * 8 + 3, 1) == As(strip, 100 + d)) drawn[static_cast<std::size_t>(cell)] = d;
      }
    }
    std::vector<int> expected(6, -1);
    for (auto [x, d] : c.digits) expected[static_cast<std::size_t>(x / 8)] = d;
    EXPECT_EQ(drawn, expected) << c.value << " min " << c.minimum << " centre " << c.centre;
  }
}

TEST_P(Effects, WaveSlicesMoveBySineOffsetsAndAmplitudeZeroCopies) {
  DDSURFACEDATA* picture = Picture(4, 4);
  DDSURFACEDATA* still = Canvas(8, 24);
  DDWaveBlt(still, 2, 10, 4, 4, 1, 0.0, 0, 3, picture, 0, 0, 0, 1);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) EXPECT_EQ(PixelOf(still, 2 + i, 10 + j), As(picture, 10 + i + 8 * j));
  // Columns of width 1 over one period from phase 0: offsets 10, 0, -10, 0.
  DDSURFACEDATA* wave = Canvas(8, 24);
  DDWaveBlt(wave, 2, 10, 4, 4, 1, 10.0, 0, 1, picture, 0, 0, 0, 1);
  const int offsets[4] = {10, 0, -10, 0};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(PixelOf(wave, 2 + i, 10 + offsets[i]), As(picture, 10 + i)) << i;
}

TEST_P(Effects, InterlaceDrawsWholeBandsAlternatelyShifted) {
  DDSURFACEDATA* picture = Picture(4, 10);
  DDSURFACEDATA* canvas = Canvas(12, 12);
  DDInterlaceBlt(canvas, 4, 0, 4, 10, 4, 2, picture, 0, 0, 0, 0);
  EXPECT_EQ(PixelOf(canvas, 6, 0), As(picture, 10)) << "band 0 two to the right";
  EXPECT_EQ(PixelOf(canvas, 2, 4), As(picture, 10 + 8 * 4)) << "band 1 two to the left";
  for (int x = 0; x < 12; ++x) EXPECT_EQ(PixelOf(canvas, x, 8), As(canvas, kBack)) << "rows 8 and 9 are left out";
}

TEST_P(Effects, FlipNarrowsTurnsAndWidensTheCard) {
  DDSURFACEDATA* faceA = Record(64, 2, 40);
  DDSURFACEDATA* faceB = Record(64, 2, 50);
  struct Case {
    int counter, left, width, colour;
  };
  for (const Case c : {Case{0, 0, 64, 40}, Case{31, 31, 2, 40}, Case{32, 31, 2, 50}, Case{63, 0, 64, 50}}) {
    DDSURFACEDATA* canvas = Canvas(64, 2);
    DDFlipBlt(canvas, 0, 0, 64, 2, faceA, 0, 0, faceB, 0, 0, 64, 2, 0, c.counter, 0);
    int first = -1, count = 0;
    for (int x = 0; x < 64; ++x) {
      if (PixelOf(canvas, x, 0) == As(faceA, c.colour)) {
        if (first < 0) first = x;
        ++count;
      }
    }
    EXPECT_EQ(first, c.left) << c.counter;
    EXPECT_EQ(count, c.width) << c.counter;
  }
  DDSURFACEDATA* canvas = Canvas(4, 4);
  DDFlipBlt(canvas, 0, 0, 1, 4, faceA, 0, 0, faceB, 0, 0, 1, 4, 0, 5, 0);
  DDFlipBlt(canvas, 0, 0, 4, 4, faceA, 0, 0, faceB, 0, 0, 4, 4, 0, 5, 2);
  EXPECT_EQ(PixelOf(canvas, 0, 0), As(canvas, kBack)) << "a one-pixel card and an unknown mode draw nothing";
}

TEST_P(Effects, SplitWithoutAGapReproducesThePicture) {
  DDSURFACEDATA* picture = Picture(5, 4);
  DDSURFACEDATA* canvas = Canvas(12, 12);
  DDSplitBlt(canvas, 4, 4, 5, 4, picture, 0, 0, 0, 0);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) EXPECT_EQ(PixelOf(canvas, 4 + i, 4 + j), As(picture, 10 + i + 8 * j));
  EXPECT_EQ(PixelOf(canvas, 8, 4), As(canvas, kBack)) << "an odd width loses its last column";
  DDSURFACEDATA* apart = Canvas(12, 12);
  DDSplitBlt(apart, 4, 4, 4, 4, picture, 0, 0, 1, 0);
  EXPECT_EQ(PixelOf(apart, 3, 3), As(picture, 10));
  EXPECT_EQ(PixelOf(apart, 7, 7), As(picture, 10 + 2 + 16));
}

TEST_P(Effects, BlurAveragesTheWindowUpAndLeftAndMosaicCopiesAtBlockOne) {
  DDSURFACEDATA* picture = Picture(4, 4, DTMEMORYTYPE_SYSTEM);
  DDSURFACEDATA* blurred = Canvas(4, 4);
  EXPECT_TRUE(DDBlurBlt(blurred, 0, 0, 4, 4, 1, 1, picture, 0, 0, 0));
  if (Bpp() == 8) {
    EXPECT_TRUE(Has(ErrorLog(), "8ビットぼかしは不可能！"));
    EXPECT_EQ(PixelOf(blurred, 0, 0), As(blurred, kBack));
  } else {
    EXPECT_EQ(PixelOf(blurred, 0, 0), PixelOf(picture, 0, 0)) << "the corner's window holds the pixel alone";
    EXPECT_NE(PixelOf(blurred, 2, 2), PixelOf(picture, 2, 2));
  }
  EXPECT_TRUE(DDBlurBlt(blurred, 0, 0, 4, 4, 0, 1, picture, 0, 0, 0));
  DDSURFACEDATA* tiles = Canvas(4, 4);
  EXPECT_TRUE(DDMosaicBlt(tiles, 0, 0, 4, 4, 1, picture, 0, 0, 0));
  if (!(Bpp() == 16 && !Direct3D())) {
    for (int j = 0; j < 4; ++j)
      for (int i = 0; i < 4; ++i) EXPECT_EQ(PixelOf(tiles, i, j), PixelOf(picture, i, j) | (Bpp() == 32 && Direct3D() ? 0xFF000000u : 0u));
  }
  DDSURFACEDATA* blocks = Canvas(4, 4);
  EXPECT_TRUE(DDMosaicBlt(blocks, 0, 0, 4, 4, -2, picture, 0, 0, 0));
  EXPECT_EQ(PixelOf(blocks, 0, 0), As(blocks, kBack)) << "a negative block draws nothing";
}

TEST_P(Effects, KeyedBlurAndMosaicLeaveTransparentPlacesAlone) {
  DDSURFACEDATA* picture = Record(4, 4, 0, DTMEMORYTYPE_SYSTEM);
  DDFillRect(picture, 0, 0, 2, 4, 60);
  for (auto effect : {0, 1}) {
    DDSURFACEDATA* canvas = Canvas(4, 4);
    if (effect == 0) {
      DDBlurBlt(canvas, 0, 0, 4, 4, 1, 1, picture, 0, 0, 1);
    } else {
      DDMosaicBlt(canvas, 0, 0, 4, 4, 2, picture, 0, 0, 1);
    }
    EXPECT_EQ(PixelOf(canvas, 3, 1), As(canvas, kBack)) << effect;
  }
}

TEST_P(Effects, SixteenBitDirectDrawMosaicScalesEachChannelToBytesAndBack) {
  if (Direct3D() || Bpp() != 16) GTEST_SKIP() << "the averaging mosaic of 16-bit DirectDraw";
  DDSURFACEDATA* picture = Record(2, 1, 0, DTMEMORYTYPE_SYSTEM);
  {
    cSurfaceLock lock(picture);
    const WORD pixels[2] = {static_cast<WORD>(1u << DDPixelFormat.nRedShift),
                            static_cast<WORD>(31u << DDPixelFormat.nRedShift | 1u)};
    std::memcpy(lock.m_lpBits, pixels, sizeof pixels);
  }
  DDSURFACEDATA* canvas = Canvas(2, 1);
  EXPECT_TRUE(DDMosaicBlt(canvas, 0, 0, 2, 1, 1, picture, 0, 0, 0));
  EXPECT_EQ(PixelOf(canvas, 0, 0), 0u) << "a five-bit 1 is 8 in bytes and 0 again";
  EXPECT_EQ(PixelOf(canvas, 1, 0), 31u << DDPixelFormat.nRedShift) << "31 stays 31";
}

TEST_P(Effects, DirectDrawMosaicAveragesEachBlocksShownPixelsOnTheByteScale) {
  if (Direct3D() || Bpp() == 8) GTEST_SKIP() << "the averaging mosaic of 16- and 32-bit DirectDraw";
  // Worked out block by block: the pixels of the block that lie on the source and are not the
  // key, each channel on the 0..255 scale, averaged, and back to the pixel's own fields.
  DDSURFACEDATA* picture = Record(13, 11, 0, DTMEMORYTYPE_SYSTEM);
  for (int j = 0; j < 11; ++j)
    for (int i = 0; i < 13; ++i) DDFillRect(picture, i, j, 1, 1, static_cast<DWORD>((i * 37 + j * 11) % 7 == 0 ? 0 : 20 + i * 13 + j * 29));
  const DDPixelLayout& f = DDPixelFormat;
  const int shifts[3] = {Bpp() == 32 ? 16 : f.nRedShift, Bpp() == 32 ? 8 : f.nGreenShift, Bpp() == 32 ? 0 : f.nBlueShift};
  const int maxes[3] = {Bpp() == 32 ? 255 : f.nRedMax, Bpp() == 32 ? 255 : f.nGreenMax, Bpp() == 32 ? 255 : f.nBlueMax};
  const DWORD mask = Bpp() == 32 ? 0xFFFFFFFFu : 0xFFFFu;
  struct Case {
    int x, y, w, h, b, sx, sy, keyed;
  };
  const Case cases[] = {{0, 0, 13, 11, 3, 0, 0, 0}, {2, 1, 12, 10, 5, 0, 0, 1}, {-2, 3, 16, 9, 4, -3, 2, 1},
                        {4, -1, 9, 14, 2, 5, -2, 0}, {0, 0, 16, 12, 16, 0, 0, 1}};
  for (const Case& c : cases) {
    DDSURFACEDATA* canvas = Canvas(16, 12);
    std::vector<DWORD> expected;
    for (int ty = 0; ty < 12; ++ty)
      for (int tx = 0; tx < 16; ++tx) expected.push_back(PixelOf(canvas, tx, ty));
    for (int bj = 0; bj < c.h; bj += c.b) {
      for (int bi = 0; bi < c.w; bi += c.b) {
        unsigned sum[3] = {}, count = 0;
        for (int j = bj; j < std::min(bj + c.b, c.h); ++j) {
          for (int i = bi; i < std::min(bi + c.b, c.w); ++i) {
            if (c.sx + i < 0 || c.sx + i >= 13 || c.sy + j < 0 || c.sy + j >= 11) continue;
            const DWORD p = PixelOf(picture, c.sx + i, c.sy + j);
            if (c.keyed != 0 && p == (DDTransmitKey & mask)) continue;
            for (int k = 0; k < 3; ++k) {
              const unsigned field = (p >> shifts[k]) & static_cast<unsigned>(maxes[k]);
              sum[k] += Bpp() == 32 ? field : std::min<unsigned>(field, maxes[k]) * 255 / maxes[k];
            }
            ++count;
          }
        }
        if (count == 0) continue;
        DWORD colour = 0;
        for (int k = 0; k < 3; ++k) {
          const unsigned average = sum[k] / count;
          colour |= (Bpp() == 32 ? average : average * maxes[k] / 255) << shifts[k];
        }
        if (c.keyed != 0 && colour == (DDTransmitKey & (Bpp() == 32 ? 0xFFFFFFu : 0xFFFFu))) continue;
        for (int j = bj; j < std::min(bj + c.b, c.h); ++j) {
          for (int i = bi; i < std::min(bi + c.b, c.w); ++i) {
            const int tx = c.x + i, ty = c.y + j;
            if (tx < 0 || tx >= 16 || ty < 0 || ty >= 12) continue;
            DWORD& out = expected[static_cast<std::size_t>(ty * 16 + tx)];
            out = Bpp() == 32 ? (out & 0xFF000000u) | colour : colour;
          }
        }
      }
    }
    EXPECT_TRUE(DDMosaicBlt(canvas, c.x, c.y, c.w, c.h, c.b, picture, c.sx, c.sy, c.keyed));
    std::vector<DWORD> drawn;
    for (int ty = 0; ty < 12; ++ty)
      for (int tx = 0; tx < 16; ++tx) drawn.push_back(PixelOf(canvas, tx, ty));
    EXPECT_EQ(drawn, expected) << "blocks of " << c.b << " at " << c.x << "," << c.y << " from " << c.sx << "," << c.sy;
  }
}

TEST_P(Effects, PaletteBlendHalvesAndRotationWraps) {
  PALETTEENTRY source[256], target[256];
  for (int i = 0; i < 256; ++i) source[i] = {static_cast<BYTE>(i), 200, 100, 0};
  DDPalBlend(target, 10, 12, 128, 0, 0, 0, source);
  EXPECT_EQ(target[11], (PALETTEENTRY{5, 100, 50, 1}));
  DDPalRotate(target, 208, 239, 1, 0, source);
  EXPECT_EQ(target[208].peRed, 239);
  EXPECT_EQ(target[209].peRed, 208);
  EXPECT_EQ(target[0].peRed, 0);
  DDPalRotate(target, 208, 239, 33, 0, source);
  EXPECT_EQ(target[208].peRed, 239) << "33 places over 32 entries is one";
  DDPalRotate(target, 208, 239, 0, 1, source);
  EXPECT_EQ(target[208].peRed, 208);
  DDPalRotate(target, 208, 239, 2, 1, source);
  EXPECT_EQ(target[208].peRed, 210);
  EXPECT_EQ(target[239].peRed, 209);
}

TEST_P(Effects, FadeOutAtSpeedThirtyTakesFourCallsAndStartsAgain) {
  std::vector<bool> results;
  std::vector<DWORD> shown;
  PALETTEENTRY target[256];
  for (int call = 0; call < 5; ++call) {
    DDFillRect(&SDBackBuffer, 0, 0, 8, 8, 200);
    results.push_back(DDFadeOut(target, 0, 255, 0, 0, 0, 30.0, DDPaletteSaved, 0));
    shown.push_back(Bpp() == 8 ? (DWORD{target[200].peRed} << 16 | DWORD{target[200].peGreen} << 8 | target[200].peBlue)
                               : PixelOf(&SDBackBuffer, 4, 4));
  }
  EXPECT_EQ(results, (std::vector<bool>{false, false, false, true, false}));
  EXPECT_EQ(shown[4], shown[0]) << "the next fade starts at the picture again";
  EXPECT_NE(shown[1], shown[0]);
  EXPECT_NE(shown[2], shown[1]);
  if (Direct3D() && Bpp() == 32) {
    // Black overlays of alpha 0, 35, 128 and 255 over colour 200.
    const DWORD red = (shown[0] >> 16) & 0xFF;
    EXPECT_EQ((shown[1] >> 16) & 0xFF, (red * 220 + 127) / 255);
    EXPECT_EQ((shown[2] >> 16) & 0xFF, (red * 127 + 127) / 255);
    EXPECT_EQ(shown[3] & 0xFFFFFF, 0u);
  }
  EXPECT_TRUE(DDFadeIn(target, 0, 255, 0, 0, 0, 30.0, DDPaletteSaved, 1)) << "reset: the end state at once";
}

TEST_P(Effects, TintPullsTowardThePaletteColourByLevel) {
  PALETTEENTRY palette[256] = {};
  DDSURFACEDATA* source = Record(2, 1, 0, DTMEMORYTYPE_SYSTEM);
  DDSURFACEDATA* canvas = Canvas(2, 1);
  auto put = [](DDSURFACEDATA* r, DWORD v) {
    cSurfaceLock lock(r);
    std::memcpy(lock.m_lpBits, &v, static_cast<std::size_t>(lock.m_nBytes));
  };
  if (!Direct3D() && Bpp() == 32) {
    palette[7] = {100, 0, 0, 0};
    for (auto [level, red] : {std::pair{1, 150}, std::pair{2, 125}}) {
      put(source, 200u << 16);
      DDBltTint(canvas, 0, 0, 1, 1, source, 0, 0, 0, palette, DDBlendTable, 7 + 256, level);
      EXPECT_EQ((PixelOf(canvas, 0, 0) >> 16) & 0xFF, static_cast<DWORD>(red)) << level;
    }
  } else if (!Direct3D() && Bpp() == 8) {
    for (int i = 0; i < kBlendTableSize; ++i) DDBlendTable[i] = static_cast<BYTE>(i * 7 + (i >> 8));
    put(source, 9);
    DDBltTint(canvas, 0, 0, 1, 1, source, 0, 0, 0, palette, DDBlendTable, 5, 2);
    EXPECT_EQ(PixelOf(canvas, 0, 0), DDBlendTable[DDBlendTable[9 * 256 + 5] * 256 + 5]);
  } else if (!Direct3D() && Bpp() == 16) {
    palette[7] = {31, 0, 0, 0};
    put(source, 0);
    DDBltTint(canvas, 0, 0, 1, 1, source, 0, 0, 0, palette, DDBlendTable, 7, 1);
    EXPECT_EQ((PixelOf(canvas, 0, 0) >> DDPixelFormat.nRedShift) & 31, 15u);
  } else if (Direct3D() && Bpp() == 16) {
    // Onto the full-screen back buffer at level 1 the two five-bit greens add into six bits.
    palette[7] = {0, 255, 0, 0};
    put(source, 0x8000u | 31u << 5);
    DDBltTint(&SDBackBuffer, 0, 0, 1, 1, source, 0, 0, 1, palette, DDBlendTable, 7, 1);
    EXPECT_EQ((PixelOf(&SDBackBuffer, 0, 0) >> DDBackPixelFormat.nGreenShift) & 63, 62u);
    const DWORD before = PixelOf(&SDBackBuffer, 1, 0);
    put(source, 0x001Fu);
    DDBltTint(&SDBackBuffer, 1, 0, 1, 1, source, 0, 0, 1, palette, DDBlendTable, 7, 1);
    EXPECT_EQ(PixelOf(&SDBackBuffer, 1, 0), before) << "keyed: bits 15 and 13 clear are left out";
  }
  const DWORD before = PixelOf(canvas, 1, 0);
  DDBltTint(canvas, 1, 0, 1, 1, source, 0, 0, 0, palette, DDBlendTable, 7, 0);
  EXPECT_EQ(PixelOf(canvas, 1, 0), before) << "level 0 draws nothing";
}

TEST_P(Effects, ChangeColourIsDirect3DsAlone) {
  EXPECT_EQ(DDChangeColor(&SDBackBuffer, 0, 0, 640, 480, 0, 255, 255, 255), 1);
  EXPECT_EQ(Has(ErrorLog(),
                "DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int nAlpha,BYTE "
                "bRed,BYTE bGreen,BYTE bBlue) は未対応"),
            !Direct3D());
  if (!Direct3D()) return;
  DDFillRect(&SDBackBuffer, 0, 0, 4, 4, 200);
  const DWORD before = PixelOf(&SDBackBuffer, 1, 1);
  DDChangeColor(&SDBackBuffer, 0, 0, 640, 480, 255, 0, 0, 0);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 1, 1), before) << "transparency 255 leaves the target";
  DDChangeColor(&SDBackBuffer, 0, 0, 640, 480, 0, 0, 0, 0);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 1, 1) & 0xFFFFFF, 0u) << "black multiplies every pixel away";
}

TEST_P(Effects, RotationCopiesAtZeroAndTurnsClockwiseAtNinety) {
  DDSURFACEDATA* picture = Picture(4, 4, DTMEMORYTYPE_SYSTEM);
  DDSURFACEDATA* canvas = Canvas(16, 16);
  EXPECT_TRUE(DDBltRotate(canvas, 8, 8, 4, 4, 2, 2, 0, picture, 0, 0, 0));
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) EXPECT_EQ(PixelOf(canvas, 6 + i, 6 + j), PixelOf(picture, i, j));
  DDSURFACEDATA* turned = Canvas(16, 16);
  EXPECT_TRUE(DDBltRotate(turned, 8, 8, 4, 4, 2, 2, 90, picture, 0, 0, 0));
  // Clockwise: the cell's right column becomes the bottom row, its top row the right column.
  int rightColumnOnBottom = 0;
  for (int i = 0; i < 4; ++i) {
    for (int x = 0; x < 16; ++x) rightColumnOnBottom += PixelOf(turned, x, 9) == PixelOf(picture, 3, i) ? 1 : 0;
  }
  EXPECT_EQ(rightColumnOnBottom, 4);
  EXPECT_TRUE(DDBltRotate(nullptr, 0, 0, 4, 4, 2, 2, 0, picture, 0, 0, 0));
  EXPECT_TRUE(DDBltRotate(canvas, 0, 0, 4, 4, 2, 2, 0, nullptr, 0, 0, 0));
}

// Where a rotation puts each pixel, worked out pixel by pixel over the whole canvas: the box
// the turned corners span (two pixels wider each side), each pixel mapped back into the cell
// by the 1024ths of the inverse turn, kept when it lands inside the cell and the source.
std::vector<DWORD> TurnedByHand(DDSURFACEDATA* canvas, DDSURFACEDATA* source, int x, int y, int w, int h, int ox, int oy,
                                int angle, int sx, int sy, bool mirrored) {
  const double theta = angle * 3.14159265358979323846 / 180;
  const auto factor = [](double f) { return static_cast<long long>(std::trunc(f * 1024.0)); };
  const long long S = factor(std::sin(theta)), C = factor(std::cos(theta));
  const long long Si = factor(std::sin(-theta)), Ci = factor(std::cos(-theta));
  long long umin = 0, umax = 0, vmin = 0, vmax = 0;
  const long long px[4] = {-ox, w - 1LL - ox, -ox, w - 1LL - ox};
  const long long py[4] = {-oy, -oy, h - 1LL - oy, h - 1LL - oy};
  for (int i = 0; i < 4; ++i) {
    const long long u = ((px[i] * C - py[i] * S) >> 10) + ox, v = ((px[i] * S + py[i] * C) >> 10) + oy;
    umin = i == 0 ? u : std::min(umin, u);
    umax = i == 0 ? u : std::max(umax, u);
    vmin = i == 0 ? v : std::min(vmin, v);
    vmax = i == 0 ? v : std::max(vmax, v);
  }
  std::vector<DWORD> out;
  for (int ty = 0; ty < canvas->nHeight; ++ty) {
    for (int tx = 0; tx < canvas->nWidth; ++tx) {
      DWORD pixel = PixelOf(canvas, tx, ty);
      const long long du = tx - x, dv = ty - y, u = du + ox, v = dv + oy;
      const long long cx = ((du * Ci - dv * Si) >> 10) + ox, cy = ((du * Si + dv * Ci) >> 10) + oy;
      const long long sxp = mirrored ? sx - 1 - cx : sx + cx, syp = sy + cy;
      if (u >= umin - 2 && u < umax + 2 && v >= vmin - 2 && v < vmax + 2 && cx >= 0 && cx < w && cy >= 0 && cy < h &&
          sxp >= 0 && sxp < source->nWidth && syp >= 0 && syp < source->nHeight) {
        pixel = PixelOf(source, static_cast<int>(sxp), static_cast<int>(syp));
      }
      out.push_back(pixel);
    }
  }
  return out;
}

TEST_P(Effects, RotationPutsEachPixelWhereTheInverseTurnFindsIt) {
  // Angles of every quadrant, cells hanging off each side of the canvas and of the source.
  struct Case {
    int x, y, w, h, ox, oy, angle, sx, sy;
  };
  const Case cases[] = {
      {12, 10, 8, 6, 4, 3, 30, 0, 0},    {12, 10, 8, 6, 4, 3, 135, 2, 1},  {1, 2, 10, 8, 5, 4, 200, 0, 0},
      {22, 17, 10, 8, 0, 0, 290, 3, 2},  {12, 10, 12, 9, 6, 4, 45, 4, 3},  {12, 10, 7, 5, -3, 8, 333, -2, -1},
      {-4, 30, 9, 9, 4, 4, 90, 1, 1},    {12, 10, 6, 6, 3, 3, 359, 0, 0},  {12, 10, 8, 6, 4, 3, 0, 6, 5},
  };
  DDSURFACEDATA* source = Picture(10, 8, DTMEMORYTYPE_SYSTEM);
  for (const Case& c : cases) {
    DDSURFACEDATA* canvas = Canvas(24, 20);
    const std::vector<DWORD> expected = TurnedByHand(canvas, source, c.x, c.y, c.w, c.h, c.ox, c.oy, c.angle, c.sx,
                                                     c.sy, false);
    EXPECT_TRUE(DDBltRotate(canvas, c.x, c.y, c.w, c.h, c.ox, c.oy, c.angle, source, c.sx, c.sy, 0));
    std::vector<DWORD> drawn;
    for (int ty = 0; ty < 20; ++ty)
      for (int tx = 0; tx < 24; ++tx) drawn.push_back(PixelOf(canvas, tx, ty));
    EXPECT_EQ(drawn, expected) << "angle " << c.angle << " at " << c.x << "," << c.y << " from " << c.sx << "," << c.sy;
  }
  if (!Direct3D()) return;
  // A cell mirrored by its alias reads its columns from the right, the last cell partly beyond
  // the source.
  DDSURFACEDATA alias;
  alias.lpAliasSrc = source;
  alias.nWidth = source->nWidth;
  alias.nHeight = source->nHeight;
  alias.nMirrorWidth = 6;
  for (int angle : {0, 60, 180, 250}) {
    for (int cell : {0, 6}) {
      DDSURFACEDATA* canvas = Canvas(24, 20);
      const std::vector<DWORD> expected = TurnedByHand(canvas, source, 12, 10, 6, 8, 3, 4, angle, cell + 6, 0, true);
      EXPECT_TRUE(DDBltRotate(canvas, 12, 10, 6, 8, 3, 4, angle, &alias, cell, 0, 0));
      std::vector<DWORD> drawn;
      for (int ty = 0; ty < 20; ++ty)
        for (int tx = 0; tx < 24; ++tx) drawn.push_back(PixelOf(canvas, tx, ty));
      EXPECT_EQ(drawn, expected) << "mirrored cell " << cell << " angle " << angle;
    }
  }
}

TEST_P(Effects, CircleDrawsItsDiscAsSpans) {
  DDSURFACEDATA* source = Record(16, 16, 70);
  DDSURFACEDATA* one = Canvas(16, 16);
  DDBltCircle(one, 8, 8, 8, 8, 1, 1, source, 8, 8, 0);
  DDSURFACEDATA* two = Canvas(16, 16);
  DDBltCircle(two, 8, 8, 8, 8, 2, 1, source, 8, 8, 0);
  int inkOne = 0, inkTwo = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      inkOne += PixelOf(one, x, y) == As(source, 70) ? 1 : 0;
      const bool drawn = PixelOf(two, x, y) == As(source, 70);
      inkTwo += drawn ? 1 : 0;
      if (drawn) {
        EXPECT_TRUE(x >= 7 && x <= 8 && y >= 7 && y <= 9) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(inkOne, 0) << "radius 1 has no row wider than nothing";
  EXPECT_EQ(inkTwo, 6) << "radius 2 is a 2 x 3 block";
}

TEST_P(Effects, LensOfNoDepthShowsTheCentrePixelAndTheRimItsOwn) {
  DDSURFACEDATA* picture = Picture(8, 8, DTMEMORYTYPE_SYSTEM);
  DDSURFACEDATA* canvas = Canvas(16, 16);
  EXPECT_TRUE(DDBltLens(canvas, 8, 8, 2, 0, picture, 4, 4, 0, 0));
  EXPECT_EQ(PixelOf(canvas, 9, 8), PixelOf(picture, 4, 4));
  EXPECT_EQ(PixelOf(canvas, 10, 8), PixelOf(picture, 6, 4)) << "on the rim the offset is its own";
  EXPECT_EQ(PixelOf(canvas, 10, 10), As(canvas, kBack)) << "outside the disc";
  EXPECT_FALSE(DDBltLens(canvas, 8, 8, 0, 0, picture, 4, 4, 0, 0));
  EXPECT_FALSE(DDBltLens(canvas, 8, 8, -1, 3, picture, 4, 4, 0, 0));
}

TEST_P(Effects, LensPutsEachPixelWhereItsBendFindsItInEveryMode) {
  // Worked out pixel by pixel: inside the disc an offset d is bent to d k / sqrt(R^2 - |d|^2)
  // (R the integer hypotenuse of r and k), rounded by truncating d + 0.5; the mode decides
  // which source pixels show (DirectDraw's key, alpha at 32 bits, the alpha bits at 16).
  DDSURFACEDATA* picture = Picture(8, 8, DTMEMORYTYPE_SYSTEM);
  for (int i = 0; i < 8; ++i) DDFillRect(picture, i, (i * 3) % 8, 1, 1, 0);  // some transparent
  struct Case {
    int cx, cy, r, k, scx, scy, keyed, clear;
  };
  const Case cases[] = {{8, 8, 5, 3, 4, 4, 0, 0},   {2, 3, 6, 9, 1, 6, 1, 0},   {14, 1, 7, 2, 7, 0, 0, 1},
                        {8, 14, 12, 40, 3, 3, 1, 1}, {0, 0, 9, 5, -2, 9, 0, 0}, {15, 15, 3, 0, 4, 4, 1, 0}};
  for (const Case& c : cases) {
    DDSURFACEDATA* canvas = Canvas(16, 16);
    const long long r2 = static_cast<long long>(c.r) * c.r;
    const auto big = static_cast<long long>(std::trunc(std::sqrt(static_cast<double>(r2) + double(c.k) * c.k)));
    const long long R2 = big * big;
    std::vector<DWORD> expected;
    for (int ty = 0; ty < 16; ++ty) {
      for (int tx = 0; tx < 16; ++tx) {
        DWORD pixel = PixelOf(canvas, tx, ty);
        const long long dx = tx - c.cx, dy = ty - c.cy, d2 = dx * dx + dy * dy;
        const bool clears = Direct3D() && Bpp() == 32 && c.clear != 0;
        if (std::llabs(dx) > c.r || std::llabs(dy) > c.r) {
        } else if (d2 > r2) {
          if (clears) pixel = 0;
        } else {
          long long ox = dx, oy = dy;
          const double root = std::sqrt(static_cast<double>(R2 - d2));
          if (root != 0.0) {
            ox = static_cast<long long>(static_cast<double>(dx) * c.k / root + 0.5);
            oy = static_cast<long long>(static_cast<double>(dy) * c.k / root + 0.5);
          }
          const long long px = c.scx + ox, py = c.scy + oy;
          const bool inside = px >= 0 && px < 8 && py >= 0 && py < 8;
          const DWORD texel = inside ? PixelOf(picture, static_cast<int>(px), static_cast<int>(py)) : 0;
          if (!Direct3D()) {
            if (inside && texel != (DDTransmitKey & (Bpp() == 32 ? 0xFFFFFFFFu : (1u << Bpp()) - 1))) pixel = texel;
          } else if (Bpp() == 32) {
            if (inside && texel >> 24 != 0) {
              pixel = texel;
            } else if (clears) {
              pixel = 0;
            }
          } else if (inside && (c.keyed == 0 || (texel & 0xA000) != 0)) {
            pixel = texel;
          }
        }
        expected.push_back(pixel);
      }
    }
    EXPECT_TRUE(DDBltLens(canvas, c.cx, c.cy, c.r, c.k, picture, c.scx, c.scy, c.keyed, c.clear));
    std::vector<DWORD> drawn;
    for (int ty = 0; ty < 16; ++ty)
      for (int tx = 0; tx < 16; ++tx) drawn.push_back(PixelOf(canvas, tx, ty));
    EXPECT_EQ(drawn, expected) << "lens at " << c.cx << "," << c.cy << " r " << c.r << " k " << c.k;
  }
}

// Sizes, radii and positions far outside any screen: each call walks only what can reach the
// target, allocates nothing in proportion to them and returns.
TEST_P(Effects, HugeSizesAndRadiiFinishInsideTheirRecords) {
  DDSURFACEDATA* picture = Picture(8, 8, DTMEMORYTYPE_SYSTEM);
  DDSURFACEDATA* canvas = Canvas(16, 16);
  // Slices before the target still add up their angles one by one, so their count stays modest.
  constexpr int kHuge = 1 << 24;
  constexpr int kRadius = 1 << 30;
  DDWaveBlt(canvas, -kHuge, 0, 2 * kHuge - 8, 8, 3, 5.0, 0, 1, picture, 0, 0, 0, 1);
  DDWaveBlt(canvas, 0, 4, 8, kHuge, 3, 5.0, 0, 1, picture, 0, 0, 0, 0);
  DDInterlaceBlt(canvas, -kHuge, 0, 2 * kHuge - 8, 8, 1, 2, picture, 0, 0, 0, 1);
  DDBltCircle(canvas, 8, 8, kRadius, kRadius, kRadius, 1, picture, 4, 4, 0);
  DDBltCircle(canvas, 8, 8, kRadius, kRadius, kRadius, 3, picture, 4, 4, 0);
  EXPECT_TRUE(DDBltLens(canvas, 8, 8, kRadius, 7, picture, 4, 4, 0, 1));
  EXPECT_TRUE(DDBltRotate(canvas, 8, 8, kRadius, kRadius, kRadius / 2, kRadius / 2, 33, picture, 0, 0, 0));
  EXPECT_TRUE(DDBltAlpha(canvas, -kHuge, -kHuge, 2 * kHuge - 8, 2 * kHuge - 8, picture, -kHuge, -kHuge, 0,
                         DDBlendTable, 0));
  EXPECT_TRUE(DDBlurBlt(canvas, 0, 0, kRadius, kRadius, 2, 2, picture, 0, 0, 0)) << "refused, nothing locked";
  EXPECT_TRUE(DDMosaicBlt(canvas, 0, 0, kRadius, kRadius, 3, picture, 0, 0, 0));
  DDDrawNumber(canvas, 0, 0, 4, 4, picture, 0, 0, 0, 2147483647, kRadius, 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, Effects, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

}  // namespace
