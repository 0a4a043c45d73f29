#include <algorithm>
#include <iterator>

#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_surface.h"
#include "gfx_test_support.h"

namespace {

using gfxtest::Mode;
using gfxtest::PixelOf;

class PaletteModes : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    ASSERT_TRUE(Init(GetParam()));
    ASSERT_TRUE(UsePaletteFile());
  }
};

TEST_P(PaletteModes, MagentaAtTheOriginGivesTheTransparentColourInEveryForm) {
  const Mode mode = GetParam();
  if (mode.backend == 1 && mode.bpp == 32) {
    EXPECT_EQ(lpDTCon->rgbTransmit, (RGBTRIPLE{255, 0, 255}));
    EXPECT_EQ(lpDTCon->dwBackKey, 0xFFFF00FFu);
    EXPECT_EQ(lpDTCon->dwTexClear, 0u);
    EXPECT_EQ(lpDTCon->wTransmit_16, 0u);
    EXPECT_EQ(DDTransmitKey, 0u);
  } else if (mode.backend == 1) {
    EXPECT_EQ(DDTransmitKey, 0xFC1Fu);                        // the magenta texel, alpha bit set
    EXPECT_EQ(lpDTCon->rgbKey16, (RGBTRIPLE{255, 0, 255}));   // colour-table entry 0
    EXPECT_EQ(lpDTCon->rgbTransmit, (RGBTRIPLE{31, 0, 31}));  // field values
    EXPECT_EQ(lpDTCon->dwTexClear, 0u);
    EXPECT_EQ(lpDTCon->wTransmit_16, 0u);
    // Built in the back buffer's own format (5-6-5 full screen), not the texture's.
    EXPECT_EQ(lpDTCon->dwBackKey, 0xFFFF00FFu);
    EXPECT_EQ(lpDTCon->wBackKey16, 0xF81Fu);
    EXPECT_TRUE(Has(ErrorLog(), "SetTrans(filename) lpDTCon->wTransmit_16 = (0)"));
  } else if (mode.bpp == 8) {
    EXPECT_EQ(DDTransmitKey, 0u);
  } else if (mode.bpp == 16) {
    EXPECT_EQ(DDTransmitKey, 0xF81Fu);
    EXPECT_EQ(DDCtx->rgbKey16, (RGBTRIPLE{255, 0, 255}));
  } else {
    EXPECT_EQ(DDTransmitKey, 0x00FF00FFu);
  }
}

TEST_P(PaletteModes, ThePaletteHoldsTheBitmapsColoursInTheModesForm) {
  const Mode mode = GetParam();
  for (int n : {1, 9, 10, 128, 245, 246, 255}) {
    const std::uint32_t c = gfxtest::PaletteColor(n);
    const int r = static_cast<int>(c >> 16 & 0xFF), g = static_cast<int>(c >> 8 & 0xFF), b = static_cast<int>(c & 0xFF);
    const PALETTEENTRY& e = DDPalette[n];
    if (mode.backend == 1 && mode.bpp == 16) {
      // Read back from 5-bit texels and widened again.
      EXPECT_EQ(e, (PALETTEENTRY{BYTE(r * 31 / 255 * 255 / 31), BYTE(g * 31 / 255 * 255 / 31),
                                 BYTE(b * 31 / 255 * 255 / 31), 255}))
          << n;
    } else if (mode.backend == 1) {
      EXPECT_EQ(e, (PALETTEENTRY{BYTE(r), BYTE(g), BYTE(b), 255})) << n;
    } else if (mode.bpp == 8) {
      const BYTE flags = n <= 9 || n >= 246 ? PC_EXPLICIT : PC_RESERVED;
      EXPECT_EQ(e, (PALETTEENTRY{BYTE(r), BYTE(g), BYTE(b), flags})) << n;
      EXPECT_EQ(lpDDPalette->Entry(n).red, r);
    } else if (mode.bpp == 16) {
      EXPECT_EQ(e, (PALETTEENTRY{BYTE(r * 31 / 255), BYTE(g * 63 / 255), BYTE(b * 31 / 255), 0})) << n;
    } else {
      EXPECT_EQ(e, (PALETTEENTRY{BYTE(r), BYTE(g), BYTE(b), 0})) << n;
    }
  }
}

// The pixel a palette colour becomes in a blank record of the mode.
DWORD FilledPixel(const Mode& mode, int n) {
  const std::uint32_t c = PalNumToRGB(static_cast<DWORD>(n));
  if (mode.backend == 0) return c;
  if (mode.bpp == 32) return c;
  return platform::PackArgbNearest(c, platform::PixelFormat::Argb1555);  // the device's quantisation
}

TEST_P(PaletteModes, FillsLandExactlyOnTheRecordWhenTheyStickOutOnBothSides) {
  const Mode mode = GetParam();
  DDSURFACEDATA record;
  ASSERT_TRUE(DDCreateSurface(&record, 20, 10, 0, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  const DWORD before = PixelOf(&record, 0, 9);
  DDFillRect(&record, -3, -2, 30, 5, 77);
  DDFillRect(&record, 18, 6, 10, 10, 200);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      DWORD expected = before;
      if (y < 3) expected = FilledPixel(mode, 77);
      if (x >= 18 && y >= 6) expected = FilledPixel(mode, 200);
      EXPECT_EQ(PixelOf(&record, x, y), expected) << x << "," << y;
    }
  }
  if (mode.backend == 1) {
    // Direct3D colours are ARGB: a fill by colour is that colour, opaque here.
    DDFillRectRGB(&record, 5, 5, 1, 1, 0xFF123456);
    EXPECT_EQ(PixelOf(&record, 5, 5),
              mode.bpp == 32 ? 0xFF123456u : platform::PackArgbNearest(0xFF123456, platform::PixelFormat::Argb1555));
  } else {
    DDFillSurfaceRGB(&record, 0x2A);
    EXPECT_EQ(PixelOf(&record, 19, 9), 0x2Au);
  }
  DDReleaseSurface(&record);
}

TEST_P(PaletteModes, PaletteIndexTwoHundredFiftySixIsRefusedWithItsLogLine) {
  EXPECT_EQ(PalNumToRGB(256), 0u);
  EXPECT_TRUE(Has(ErrorLog(), "PalNumToRGB(DWORD dwPalNum) Err dwPalNum = 256"));
  DDSURFACEDATA record;
  ASSERT_TRUE(DDCreateSurface(&record, 4, 4, 0, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  DDFillSurface(&record, 5);
  DDFillRect(&record, 0, 0, 2, 2, 256);  // goes on with colour 0
  // DirectDraw fills with pixel value 0; Direct3D's colour 0 is transparent and draws nothing.
  EXPECT_EQ(PixelOf(&record, 1, 1), GetParam().backend == 0 ? 0u : FilledPixel(GetParam(), 5));
  EXPECT_EQ(PixelOf(&record, 3, 3), FilledPixel(GetParam(), 5));
  DDReleaseSurface(&record);
}

TEST_P(PaletteModes, FileTexturesAndSpritesTurnTheTransparentColourIntoTheirKey) {
  const Mode mode = GetParam();
  testsupport::BmpPicture picture;
  picture.width = 3;
  picture.height = 1;
  picture.pixels = {0xFF00FF, 0xFF03FF, 0x102030};
  WriteFile("bmp/Sprite.bmp", testsupport::MakeBmp(picture));
  DDSURFACEDATA sprite;
  ASSERT_EQ(DDCreateSurfaceFromFile(&sprite, "bmp\\Sprite.bmp", 0, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  if (mode.backend == 1) {
    // Keyed whatever the record's own colour-key flag says.
    EXPECT_EQ(PixelOf(&sprite, 0, 0), 0u);
    EXPECT_NE(PixelOf(&sprite, 1, 0), 0u);
  } else if (mode.bpp == 16) {
    EXPECT_EQ(PixelOf(&sprite, 0, 0), 0xF81Fu);
    EXPECT_EQ(PixelOf(&sprite, 1, 0), 0xF81Eu);  // (255, 3, 255) also converts to the key: moved off it
  } else if (mode.bpp == 32) {
    EXPECT_EQ(PixelOf(&sprite, 0, 0), DDTransmitKey);
  }
  DDReleaseSurface(&sprite);
}

// Direct3D reads the palette back from texels: a keyed texel (alpha 0) holds no colour, so its
// entry keeps what it had; every other mode takes every entry.
TEST_P(PaletteModes, ReadingThePaletteFromTexelsLeavesTransparentEntriesAlone) {
  const Mode mode = GetParam();
  if (mode.bpp == 8) GTEST_SKIP() << "the palette is the screen's";
  DDSURFACEDATA record;
  ASSERT_EQ(DDCreateSurfaceFromFile(&record, "bmp\\plt\\Palette.bmp", 0, DDBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0),
            0);
  const PALETTEENTRY marker{1, 2, 3, 4};
  for (PALETTEENTRY& e : DDPalette) e = marker;
  DDSetPalette_UnPal(DDPalette, &record);
  DDReleaseSurface(&record);
  if (mode.backend == 1) {
    EXPECT_EQ(DDPalette[0], marker) << "entry 0 is the magenta texel, keyed";
  } else {
    EXPECT_NE(DDPalette[0], marker);
  }
  EXPECT_NE(DDPalette[1], marker);
  EXPECT_NE(DDPalette[255], marker);
}

INSTANTIATE_TEST_SUITE_P(Modes, PaletteModes, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

class PaletteEdges : public gfxtest::LibraryTest {};

TEST_F(PaletteEdges, SixteenBitEntriesAreTakenAsTheyStand) {
  ASSERT_TRUE(Init(gfxtest::kModes[3]));
  DDPalette[5] = {31, 63, 31, 0};
  EXPECT_EQ(PalNumToRGB(5), 0xFFFFu);
  EXPECT_EQ(DDPalToRGB16(&DDPalette[5]), 0xFFFFu);
  DDSetTransmit(255, 0, 255);
  EXPECT_EQ(DDTransmitKey, 0xF81Fu);
  EXPECT_TRUE(Has(ErrorLog(), "※16bit色で　DDSetTransmit(BYTE cbRed,BYTE cbGreen,BYTE cbBlue)　は未対応！"));
}

TEST_F(PaletteEdges, AFixedColourOnAThirtyTwoBitScreenIsPackedByTheScreensMasks) {
  ASSERT_TRUE(Init(gfxtest::kModes[4]));
  DDSetTransmit(10, 20, 30);
  EXPECT_EQ(DDTransmitKey, 0x000A141Eu);
}

// Each channel is scaled by its own maximum, so a key with green in it comes out right on a
// 5-6-5 screen, and the scaling truncates.
TEST_F(PaletteEdges, ADirectDrawKeyOtherThanMagentaIsScaledPerChannel) {
  struct Case {
    int mode;
    BYTE r, g, b;
    DWORD key;
  };
  const Case cases[] = {
      {3, 200, 100, 50, 24u << 11 | 24u << 5 | 6u},  // 24.3, 24.7, 6.1
      {3, 10, 250, 130, 1u << 11 | 61u << 5 | 15u},  // 1.2, 61.8, 15.8
      {4, 200, 100, 50, 0xC86432u},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Init(gfxtest::kModes[c.mode]));
    DDSetTransmit(c.r, c.g, c.b);
    EXPECT_EQ(DDTransmitKey, c.key) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    DDUnInit();
  }
}

TEST_F(PaletteEdges, AWindowedSixteenBitDirect3DKeyKeepsTheAlphaBitOfItsBackBuffer) {
  ASSERT_TRUE(Init({"D3D16w", 1, 16, 1}));
  DDSetTransmit(31, 0, 31);
  EXPECT_EQ(lpDTCon->wBackKey16, 0xFC1Fu);
  EXPECT_EQ(lpDTCon->dwBackKey, 0xFFFF00FFu);
  EXPECT_EQ(DDPalToRGB16(&DDPalette[0]), 0u);
  EXPECT_TRUE(Has(ErrorLog(), "DDPalToRGB16はDirect3Dでは未対応"));
}

// The 16-bit back-buffer key must be the pixel an opaque draw of a keyed source leaves on the
// back buffer, for every key and in both back-buffer layouts, not only black and full scale.
TEST_F(PaletteEdges, TheSixteenBitBackBufferKeyIsThePixelTheKeyClearWrites) {
  struct Case {
    const char* name;
    int windowed;
    BYTE r, g, b;
    WORD expected;  // 0 = only compared with the cleared pixel
  };
  const Case cases[] = {
      {"5-6-5 (10,20,30)", 0, 10, 20, 30, 0x553E}, {"5-6-5 magenta", 0, 31, 0, 31, 0xF81F},
      {"5-6-5 (1,30,2)", 0, 1, 30, 2, 0},         {"5-6-5 white", 0, 31, 31, 31, 0xFFFF},
      {"1-5-5-5 (10,20,30)", 1, 10, 20, 30, 0xAA9E}, {"1-5-5-5 (3,17,29)", 1, 3, 17, 29, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Init({"D3D16", 1, 16, c.windowed}));
    DDSetTransmit(c.r, c.g, c.b);
    if (c.expected != 0) {
      EXPECT_EQ(lpDTCon->wBackKey16, c.expected);
    }
    DDSURFACEDATA keyed;
    ASSERT_TRUE(DDCreateSurface(&keyed, 4, 4, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFillSurface(&keyed, 0);  // wholly transparent
    DDFillSurface(&SDBackBuffer, 0);
    DDBlt(&SDBackBuffer, 8, 8, 4, 4, &keyed, 0, 0, 0);
    EXPECT_EQ(PixelOf(&SDBackBuffer, 9, 9), lpDTCon->wBackKey16);
    DDReleaseSurface(&keyed);
    DDUnInit();
  }
}

TEST_F(PaletteEdges, IndexZeroMeansTransparentInDirect3DFills) {
  ASSERT_TRUE(Init(gfxtest::kModes[0]));
  DDPalette[3] = {1, 2, 3, 0};
  DDSetTransmit(255, 0, 255);
  // A new render target starts as the opaque transparent colour; index 0 clears a keyed one
  // to transparent black.
  DDSURFACEDATA keyed;
  ASSERT_TRUE(DDCreateSurface(&keyed, 4, 4, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  EXPECT_EQ(PixelOf(&keyed, 0, 0), 0xFFFF00FFu);
  DDFillSurface(&keyed, 0);
  EXPECT_EQ(PixelOf(&keyed, 2, 2), 0u);
  // On the back buffer index 0 is a quad of alpha 0: nothing changes.
  DDFillSurface(&SDBackBuffer, 3);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 0);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 100, 100), 0x010203u);
  DDReleaseSurface(&keyed);
}

TEST_F(PaletteEdges, TheIndexMapHoldsTheFirstEntryOfEachColour) {
  ASSERT_TRUE(Init(gfxtest::kModes[4]));
  DDPalette[7] = {0x10, 0x20, 0x30, 0};
  DDPalette[9] = {0x10, 0x20, 0x30, 0};
  DDPalette[12] = {0xAA, 0xBB, 0xCC, 0};
  testsupport::BmpPicture picture;
  picture.width = 2;
  picture.height = 1;
  picture.pixels = {0x102030, 0xAABBCC};
  WriteFile("bmp/Map.bmp", testsupport::MakeBmp(picture));
  DDSURFACEDATA record;
  ASSERT_EQ(DDCreateSurfaceFromFile(&record, "bmp\\Map.bmp", 0, 32, 1, 0, 0, 1, 0, 0, 0), 0);
  ASSERT_GE(record.lpDDraw->IndexMap.size(), 2u);
  EXPECT_EQ(record.lpDDraw->IndexMap[0], 7);
  EXPECT_EQ(record.lpDDraw->IndexMap[1], 12);
  DDReleaseSurface(&record);
}

}  // namespace
