#include <functional>
#include <string>
#include <vector>

#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_present.h"
#include "gfx/dd_surface.h"
#include "gfx/font.h"
#include "gfx_test_support.h"
#include "stub_glyphs.h"

namespace {

using gfxtest::Mode;
using gfxtest::PixelOf;

constexpr int kCell = 16;
constexpr int kInk = 241;
constexpr int kBackground = 5;

// A library in one mode with the test palette and the stub rasteriser.
class Fonts : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    ASSERT_TRUE(Init(GetParam()));
    ASSERT_TRUE(UsePaletteFile());
    DDFillRect(&SDBackBuffer, 0, 0, 640, 480, kBackground);
  }
  void TearDown() override {
    for (Font* font : {&cached_, &direct_}) font->Release();
    for (DDSURFACEDATA& r : records_) DDReleaseSurface(&r);
    LibraryTest::TearDown();
  }
  bool Direct3D() const { return GetParam().backend == 1; }

  bool Make(Font& font, int cacheMode, DDSURFACEDATA* frame = nullptr, DDSURFACEDATA* pictures = nullptr) {
    return font.Create("ＭＳ ゴシック", 0, kCell, kCell, kCell, kInk, frame, 2, 40, pictures, cacheMode);
  }
  DDSURFACEDATA* Record(int w, int h, int fill) {
    DDSURFACEDATA& r = records_.emplace_back();
    EXPECT_TRUE(DDCreateSurface(&r, w, h, 1, 0, 0, 0, 0));
    DDFillRect(&r, 0, 0, w, h, static_cast<DWORD>(fill));
    return &r;
  }
  DWORD Shown(int n) {
    DDFillRect(&SDBackBuffer, 639, 479, 1, 1, static_cast<DWORD>(n));
    return PixelOf(&SDBackBuffer, 639, 479);
  }
  static std::vector<DWORD> Pixels(DDSURFACEDATA* record) {
    std::vector<DWORD> pixels;
    cSurfaceLock lock(record);
    if (lock.m_lpBits == nullptr) return pixels;
    for (int y = 0; y < lock.m_lpSD->nHeight; ++y) {
      for (int x = 0; x < lock.m_lpSD->nWidth; ++x) {
        DWORD value = 0;
        std::memcpy(&value, lock.m_lpBits + (static_cast<std::ptrdiff_t>(y) * lock.m_nPitch + x) * lock.m_nBytes,
                    static_cast<std::size_t>(lock.m_nBytes));
        pixels.push_back(value);
      }
    }
    return pixels;
  }
  // The code a stub glyph box at (x, y) spells, -1 when no box is there (the row under a box
  // never has the ink).
  static int CodeAt(const std::vector<DWORD>& pixels, int width, int x, int y) {
    auto at = [&](int px, int py) { return pixels[static_cast<std::size_t>(py * width + px)]; };
    const DWORD ink = at(x, y);
    if (at(x, y + 4) == ink) return -1;  // a box is four rows high
    for (int i = 0; i < 8; ++i) {
      if (at(x + i, y) != ink || at(x + i, y + 3) != ink) return -1;
    }
    int code = 0;
    for (int i = 0; i < 8; ++i) {
      if (at(x + i, y + 1) == ink) code |= 1 << i;
      if (at(x + i, y + 2) == ink) code |= 1 << (8 + i);
    }
    return code;
  }
  static int CodeAt(DDSURFACEDATA* record, int x, int y) { return CodeAt(Pixels(record), record->nWidth, x, y); }
  // Where a cell's glyph box lies: single-byte glyphs sit an eighth of the spacing right.
  static int HalfCellCode(Font& font, int c) {
    return CodeAt(&font.m_lpFastFont_Half->m_SD, (c % 16) * kCell + 2, (c / 16) * kCell);
  }
  static int FullCellCode(Font& font, int k) {
    const FastFont& sheet = *font.m_lpFastFont_FullAdd;
    return CodeAt(const_cast<DDSURFACEDATA*>(&sheet.m_SD), (k % sheet.m_nColumns) * kCell,
                  (k / sheet.m_nColumns) * kCell);
  }

  gfxtest::ScopedStubGlyphs stub_;
  Font cached_, direct_;
  DDSurfaceVector records_;
};

TEST_P(Fonts, SingleByteSheetHoldsCodeCInCellCIncludingKatakanaButNoControlCodesOrSpace) {
  ASSERT_TRUE(Make(cached_, 1));
  for (int c : {0x21, 0x28, 0x29, 0x41, 0x7A, 0x7E, 0xA1, 0xB1, 0xC0, 0xDF}) EXPECT_EQ(HalfCellCode(cached_, c), c) << c;
  for (int c : {0x00, 0x0A, 0x20}) EXPECT_EQ(HalfCellCode(cached_, c), -1) << c;
}

TEST_P(Fonts, DoubleByteSheetStartsWithThePresetSetInOrder) {
  ASSERT_TRUE(Make(cached_, 1));
  ASSERT_EQ(cached_.m_lpFastFont_FullAdd->m_nCount, 256);
  EXPECT_EQ(FullCellCode(cached_, 0), 0x824F);    // ０
  EXPECT_EQ(FullCellCode(cached_, 86), 0x82A0);   // あ, after the 86 digits, symbols and letters
  EXPECT_EQ(FullCellCode(cached_, 255), 0x8146);  // ：
}

TEST_P(Fonts, NewKanjiTakesTheNextCellIsShownAndIsReusedWithoutRendering) {
  ASSERT_TRUE(Make(cached_, 1));
  cached_.Draw(&SDBackBuffer, 100, 50, "漢", 0);
  EXPECT_EQ(cached_.m_lpFastFont_FullAdd->m_nCount, 257);
  EXPECT_EQ(FullCellCode(cached_, 256), 0x8ABF);
  EXPECT_EQ(CodeAt(&SDBackBuffer, 100, 50), 0x8ABF);
  const int renders = stub_.renders;
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, kBackground);
  cached_.Draw(&SDBackBuffer, 200, 60, "漢ド", 0);
  EXPECT_EQ(CodeAt(&SDBackBuffer, 200, 60), 0x8ABF);
  EXPECT_EQ(CodeAt(&SDBackBuffer, 216, 60), 0x8368) << "ド is not in the preset set";
  EXPECT_EQ(cached_.m_lpFastFont_FullAdd->m_nCount, 258);
  EXPECT_EQ(FullCellCode(cached_, 257), 0x8368);
  EXPECT_EQ(stub_.renders, renders + 1) << "only the new ド is rendered";
}

TEST_P(Fonts, CachedTextCallsNeitherTheRasteriserNorTheTextDrawing) {
  ASSERT_TRUE(Make(cached_, 1));
  const int renders = stub_.renders;
  const int draws = cached_.TextFace()->DrawCount();
  cached_.Draw(&SDBackBuffer, 10, 10, "AZ09ｱ\nあア０：", 0);
  EXPECT_EQ(stub_.renders, renders);
  EXPECT_EQ(cached_.TextFace()->DrawCount(), draws);
  EXPECT_EQ(CodeAt(&SDBackBuffer, 12, 10), 'A');
  EXPECT_EQ(CodeAt(&SDBackBuffer, 12 + 4 * kCell, 10), 0xB1) << "katakana from cell 0xB1";
  EXPECT_EQ(CodeAt(&SDBackBuffer, 10 + kCell, 10 + kCell), 0x8341) << "\\n returns to x, one line down";
}

TEST_P(Fonts, BothSpacesAdvanceOneCellAndDrawNothing) {
  ASSERT_TRUE(Make(cached_, 1));
  cached_.Draw(&SDBackBuffer, 0, 100, "A　B C", 0);
  const std::vector<DWORD> back = Pixels(&SDBackBuffer);
  EXPECT_EQ(CodeAt(back, 640, 2, 100), 'A');
  EXPECT_EQ(CodeAt(back, 640, 16, 100), -1);
  EXPECT_EQ(CodeAt(back, 640, 2 + 2 * kCell, 100), 'B');
  EXPECT_EQ(CodeAt(back, 640, 2 + 3 * kCell, 100), -1);
  EXPECT_EQ(CodeAt(back, 640, 2 + 4 * kCell, 100), 'C');
}

TEST_P(Fonts, FullSheetDrawsNewCharactersDirectlyAndStaysUnchanged) {
  ASSERT_TRUE(Make(cached_, 1));
  FastFont& sheet = *cached_.m_lpFastFont_FullAdd;
  char kanji[3] = {};
  for (int lead = 0x90; sheet.m_nCount < sheet.m_nCapacity; ++lead) {
    for (int trail = 0x40; trail <= 0xFC && sheet.m_nCount < sheet.m_nCapacity; ++trail) {
      if (trail == 0x7F) continue;
      kanji[0] = static_cast<char>(lead);
      kanji[1] = static_cast<char>(trail);
      ASSERT_EQ(sheet.AddChar(kanji), 1);
    }
  }
  EXPECT_EQ(sheet.AddChar("漢"), 0);
  const std::vector<DWORD> before = Pixels(&sheet.m_SD);
  cached_.Draw(&SDBackBuffer, 300, 200, "漢", 0);
  EXPECT_EQ(CodeAt(&SDBackBuffer, 300, 200), 0x8ABF);
  EXPECT_EQ(sheet.m_nCount, sheet.m_nCapacity);
  EXPECT_TRUE(Pixels(&sheet.m_SD) == before);
}

TEST_P(Fonts, PictureFlagDrawsLowercaseAsPicturesAndOffShowsTheLetters) {
  DDSURFACEDATA* pictures = Record(26 * kCell, kCell, 0);
  for (int k = 0; k < 26; ++k) DDFillRect(pictures, k * kCell, 0, kCell, kCell, static_cast<DWORD>(100 + k));
  ASSERT_TRUE(Make(cached_, 1, nullptr, pictures));
  cached_.Draw(&SDBackBuffer, 40, 300, "abc", 0);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(PixelOf(&SDBackBuffer, 40 + k * kCell + 5, 305), Shown(100 + k)) << k;
  cached_.m_bPicture = 0;
  cached_.Draw(&SDBackBuffer, 40, 340, "abc", 0);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(CodeAt(&SDBackBuffer, 42 + k * kCell, 340), 'a' + k) << k;
}

TEST_P(Fonts, CentredFrameAndTextSizedBox) {
  DDSURFACEDATA* frame = Record(640, 480, 30);
  ASSERT_TRUE(Make(cached_, 1, frame));
  cached_.DrawFrame(&SDBackBuffer, 10000, 100, 200, 50);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 220, 120), Shown(30));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 219, 120), Shown(40)) << "the frame lies outside the box";
  EXPECT_EQ(PixelOf(&SDBackBuffer, 217, 120), Shown(kBackground));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 419, 120), Shown(30));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 420, 120), Shown(40));

  // Indent 8 plus the widest line, four characters.
  cached_.DrawBox(&SDBackBuffer, 100, 300, 0, 0, "AB\nABCD", 8);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 100 + 8 + 4 * kCell - 1, 300 + 2 * kCell - 1), Shown(30));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 100 + 8 + 4 * kCell, 310), Shown(40));
  EXPECT_EQ(PixelOf(&SDBackBuffer, 110, 300 + 2 * kCell), Shown(40));
  EXPECT_EQ(CodeAt(&SDBackBuffer, 100 + 8 + 2, 300 + kCell), 'A');
}

TEST_P(Fonts, CacheOnAndOffDrawTheSamePixels) {
  ASSERT_TRUE(Make(cached_, 1));
  ASSERT_TRUE(Make(direct_, 0));
  EXPECT_EQ(direct_.m_lpFastFont_Half, nullptr);
  DDSURFACEDATA* a = Record(320, 48, 0);
  DDSURFACEDATA* b = Record(320, 48, 0);
  const char* text = "AB09~ｱﾟ あア漢\n:z　ド";
  cached_.Draw(a, 3, 5, text, 0);
  direct_.Draw(b, 3, 5, text, 0);
  const std::vector<DWORD> pa = Pixels(a), pb = Pixels(b);
  EXPECT_EQ(CodeAt(pa, 320, 3, 5 + 16), -1) << ": has no box at the cell's left";
  EXPECT_EQ(CodeAt(pa, 320, 5, 5 + 16), ':');
  EXPECT_TRUE(pa == pb);
}

// A target that cannot be drawn on directly (a system-memory texture under Direct3D) gets its
// text composed on the work record and blitted over, cached or not.
TEST_P(Fonts, TextReachesATargetInSystemMemory) {
  ASSERT_TRUE(Make(cached_, 1));
  ASSERT_TRUE(Make(direct_, 0));
  for (Font* font : {&cached_, &direct_}) {
    DDSURFACEDATA& target = records_.emplace_back();
    ASSERT_TRUE(DDCreateSurface(&target, 64, 40, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    DDFillRect(&target, 0, 0, 64, 40, kBackground);
    font->Draw(&target, 4, 6, "Aあ\nｱ", 0);
    EXPECT_EQ(CodeAt(&target, 6, 6), 'A');
    EXPECT_EQ(CodeAt(&target, 4 + kCell, 6), 0x82A0);
    EXPECT_EQ(CodeAt(&target, 6, 6 + kCell), 0xB1);
  }
}

TEST_P(Fonts, SheetsKeepEveryCellThroughALoss) {
  ASSERT_TRUE(Make(cached_, 1));
  cached_.Draw(&SDBackBuffer, 0, 0, "漢", 0);
  const std::vector<DWORD> half = Pixels(&cached_.m_lpFastFont_Half->m_SD);
  const std::vector<DWORD> full = Pixels(&cached_.m_lpFastFont_FullAdd->m_SD);
  if (Direct3D()) {
    lpDevice->MarkLost();
    lpDevice->AllowReset();
    ASSERT_EQ(DDRestoreSurface(), 1);
    EXPECT_TRUE(Has(ErrorLog(), "Font i = 0"));
  } else {
    for (DDSURFACEDATA* r : {&SDPrimary, &cached_.m_SDWork, &cached_.m_lpFastFont_Half->m_SD,
                             &cached_.m_lpFastFont_FullAdd->m_SD}) {
      r->lpDDraw->lpSurface->MarkLost();
    }
    ASSERT_TRUE(DDRestore());
  }
  EXPECT_EQ(cached_.m_lpFastFont_FullAdd->m_nCount, 257);
  EXPECT_EQ(FullCellCode(cached_, 256), 0x8ABF);
  EXPECT_TRUE(Pixels(&cached_.m_lpFastFont_Half->m_SD) == half);
  EXPECT_TRUE(Pixels(&cached_.m_lpFastFont_FullAdd->m_SD) == full);
  EXPECT_FALSE(cached_.m_lpFastFont_FullAdd->m_SD.bLost);
}

TEST_P(Fonts, CacheWithoutSpacingIsLoggedAndDrawsDirectly) {
  ASSERT_TRUE(direct_.Create("ＭＳ ゴシック", 0, kCell, 0, kCell, kInk, nullptr, 0, 0, nullptr, 1));
  EXPECT_TRUE(Has(ErrorLog(), "※フォントクラスで文字間が未設定！"));
  EXPECT_EQ(direct_.m_lpFastFont_Half, nullptr);
  direct_.Draw(&SDBackBuffer, 20, 20, "AB\nC", 0);
  EXPECT_EQ(CodeAt(&SDBackBuffer, 20, 20), 'A');
  EXPECT_EQ(CodeAt(&SDBackBuffer, 28, 20), 'B') << "proportional: the face's own advance";
  EXPECT_EQ(CodeAt(&SDBackBuffer, 20, 20 + kCell), 'C');
}

TEST_P(Fonts, FontsAreListedOnceAndUnlistedOnRelease) {
  ASSERT_TRUE(Make(cached_, 1));
  ASSERT_TRUE(Make(cached_, 0));
  EXPECT_EQ(std::count(FontList.begin(), FontList.end(), &cached_), 1);
  cached_.Release();
  EXPECT_EQ(std::count(FontList.begin(), FontList.end(), &cached_), 0);
}

TEST_P(Fonts, NumberSheetHoldsTheTenDigitsInItsCells) {
  FontDef row{"ＭＳ ゴシック", 0, kCell, kCell, kCell, kInk, -1, 0, 0, -1, 1};
  SurfaceDef blank{"", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  DDSURFACEDATA& sheet = records_.emplace_back();
  ASSERT_EQ(DDCreateFonts(&cached_, &row, 1), 1);
  ASSERT_EQ(DDCreateNumberSheets(&sheet, &blank, 1, &cached_, &row), 1);
  EXPECT_EQ(sheet.nWidth, 10 * kCell);
  for (int d = 0; d < 10; ++d) EXPECT_EQ(CodeAt(&sheet, d * kCell + 2, 0), '0' + d) << d;
}

INSTANTIATE_TEST_SUITE_P(Modes, Fonts, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

}  // namespace
