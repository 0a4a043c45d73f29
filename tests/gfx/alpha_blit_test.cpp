#include <random>
#include <string>
#include <vector>

#include "gfx/alpha_blit.h"
#include "gfx/blend_kernels.h"
#include "gfx/blend_table.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/pixel_layouts.h"
#include "gfx_test_support.h"
#include "support/kernel_paths.h"

namespace {

using gfxtest::Mode;
using gfxtest::PixelOf;

void PutPixel(DDSURFACEDATA* record, int x, int y, DWORD value) {
  cSurfaceLock lock(record);
  ASSERT_NE(lock.m_lpBits, nullptr);
  std::memcpy(lock.m_lpBits + (static_cast<std::ptrdiff_t>(y) * lock.m_nPitch + x) * lock.m_nBytes, &value,
              static_cast<std::size_t>(lock.m_nBytes));
}

class AlphaBlits : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
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
  DDSURFACEDATA* Record(int w, int h, int memoryType = DTMEMORYTYPE_VIDEO_RT) {
    DDSURFACEDATA& r = records_.emplace_back();
    EXPECT_TRUE(DDCreateSurface(&r, w, h, 1, 0, memoryType, 0, 0));
    return &r;
  }
  int Bpp() const { return GetParam().bpp; }
  bool Direct3D() const { return GetParam().backend == 1; }
  DDSurfaceVector records_;
};

// One source pixel over one target pixel, and what the target becomes.
struct PixelCase {
  const char* mode;
  DWORD target;
  DWORD source;
  int flags;
  DWORD expected;
  const char* why;
};

TEST_P(AlphaBlits, SoftwarePixelRulesOfEachPath) {
  // The transparent colours of the test palette (magenta): 0xF81F at 16 and 0xFF00FF at 32 bits.
  const PixelCase cases[] = {
      {"DD8", 9, 0, 1, 9, "a keyed source of index 0 is left out"},
      {"DD8", 0, 7, 1, 7, "a target of index 0 takes the source"},
      {"DD8", 9, 7, 1, 9 * 3 + 7, "table[target * 256 + source]"},
      {"DD8", 9, 0, 0, 9 * 3, "unkeyed, index 0 is looked up too"},
      {"DD16", 0xFFFF, 0x0000, 1, 15u << 11 | 31u << 5 | 15u, "31 under 0 gives 15, 63 gives 31"},
      {"DD16", 0x1234, 0xF81F, 1, 0x1234, "the keyed transparent colour is left out"},
      {"DD16", 0xF81F, 0x1234, 1, 0x1234, "a transparent target takes the source"},
      {"DD32", 0xAB102030, 0x00304050, 1, 0xAB203040, "bytes averaged, the fourth kept"},
      {"DD32", 0x00FF00FF, 0x11223344, 1, 0x00223344, "a transparent target takes the source bytes"},
      {"DD32", 0x01020304, 0x00FF00FF, 1, 0x01020304, "keyed"},
      {"D3D32", 0x00102030, 0x80304050, 1, 0xFF203040, "alpha 255 whatever either alpha was"},
      {"D3D32", 0xFF102030, 0x00304050, 1, 0xFF102030, "a keyed texel of alpha 0 is left out"},
      {"D3D32", 0xFF102030, 0x00304050, 0, 0xFF203040, "unkeyed it mixes"},
      // Full-screen back buffer (5-6-5) under an A1R5G5B5 texture: green 31 over 0 gives 31.
      {"D3D16", 0x0000, 0x83E0, 1, 31u << 5, "texture green doubled into six bits"},
      {"D3D16", 0x1234, 0x5000 | 0x001F, 1, 0x1234, "bits 15 and 13 clear: left out"},
      {"D3D16", 0x0000, 0x2000 | 0x001F, 1, 4u << 11 | 15u, "bit 13 alone (red 8) is drawn"},
  };
  for (const PixelCase& c : cases) {
    if (std::string(c.mode) != GetParam().name) continue;
    SCOPED_TRACE(c.why);
    if (Bpp() == 8) {
      std::vector<BYTE> table(kBlendTableSize);
      for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) table[static_cast<std::size_t>(a * 256 + b)] = static_cast<BYTE>(a * 3 + b);
      std::copy(table.begin(), table.end(), DDBlendTable);
    }
    DDSURFACEDATA* target = Direct3D() ? &SDBackBuffer : Record(4, 4);
    DDSURFACEDATA* source = Record(4, 4, DTMEMORYTYPE_SYSTEM);
    PutPixel(target, 1, 1, c.target);
    PutPixel(source, 0, 0, c.source);
    EXPECT_TRUE(DDBltAlpha(target, 1, 1, 1, 1, source, 0, 0, c.flags, DDBlendTable, 200));
    EXPECT_EQ(PixelOf(target, 1, 1), c.expected);
  }
}

TEST_P(AlphaBlits, ARectangleHalfOutsideTheTargetDrawsItsInsideHalf) {
  DDSURFACEDATA* target = Record(8, 8, DTMEMORYTYPE_SYSTEM);
  DDSURFACEDATA* source = Record(8, 8, DTMEMORYTYPE_SYSTEM);
  if (Bpp() == 8) std::fill(std::begin(DDBlendTable), std::end(DDBlendTable), BYTE{77});
  DDFillRect(target, 0, 0, 8, 8, 20);
  DDFillRect(source, 0, 0, 8, 8, 30);
  const DWORD before = PixelOf(target, 3, 3);
  EXPECT_TRUE(DDBltAlpha(target, 4, 0, 8, 8, source, 0, 0, 0, DDBlendTable, 0));
  EXPECT_EQ(PixelOf(target, 3, 3), before);
  EXPECT_NE(PixelOf(target, 4, 3), before);
  EXPECT_NE(PixelOf(target, 7, 7), before);
}

TEST_P(AlphaBlits, Direct3DQuadHonoursTheTransparency) {
  if (!Direct3D()) GTEST_SKIP() << "the quad is Direct3D's";
  DDSURFACEDATA* source = Record(4, 4);
  DDFillRect(source, 0, 0, 4, 4, 200);
  auto drawn = [&](int alpha) {
    DDFillRect(&SDBackBuffer, 0, 0, 4, 4, 0);
    DDFillRect(&SDBackBuffer, 0, 0, 4, 4, 10);
    DDBltAlpha(&SDBackBuffer, 0, 0, 4, 4, source, 0, 0, 1, DDBlendTable, alpha);
    return PixelOf(&SDBackBuffer, 2, 2);
  };
  const DWORD background = drawn(255);
  const DWORD opaque = drawn(0);
  const DWORD half = drawn(128);
  EXPECT_NE(background, opaque);
  DDFillRect(&SDBackBuffer, 0, 0, 4, 4, 10);
  EXPECT_EQ(background, PixelOf(&SDBackBuffer, 2, 2)) << "255 leaves the target";
  EXPECT_NE(half, opaque);
  EXPECT_NE(half, background);
  DDFillRect(&SDBackBuffer, 0, 0, 4, 4, 10);
  DDBltHalf(&SDBackBuffer, 0, 0, 4, 4, source, 0, 0, 1, DDBlendTable);
  EXPECT_EQ(PixelOf(&SDBackBuffer, 2, 2), half);
  EXPECT_EQ(drawn(300), background) << "beyond 255 is clamped, not wrapped to opaque";
}

TEST_P(AlphaBlits, BlendTableLoadsOnlyAWholeTableAndNeverUnderDirect3D) {
  std::fill(std::begin(DDBlendTable), std::end(DDBlendTable), BYTE{0});
  WriteFile("bmp/hbt/hbt01.dat", std::string(kBlendTableSize, '\x05'));
  WriteFile("bmp/hbt/hbt02.dat", std::string(kBlendTableSize - 1, '\x06'));
  WriteFile("bmp/hbt/hbt03.dat", std::string(kBlendTableSize + 1, '\x07'));
  EXPECT_TRUE(DDLoadBlendTable(DDBlendTable, "bmp\\hbt\\hbt01.dat"));
  EXPECT_EQ(DDBlendTable[65535], Direct3D() ? 0 : 5);
  EXPECT_EQ(DDLoadBlendTable(DDBlendTable, "bmp\\hbt\\hbt02.dat"), Direct3D());
  EXPECT_EQ(DDLoadBlendTable(DDBlendTable, "bmp\\hbt\\hbt03.dat"), Direct3D());
  EXPECT_EQ(DDLoadBlendTable(DDBlendTable, "bmp\\hbt\\missing.dat"), Direct3D());
  EXPECT_EQ(DDBlendTable[0], Direct3D() ? 0 : 5) << "a refused file leaves the table";
}

INSTANTIATE_TEST_SUITE_P(Modes, AlphaBlits, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

// The row kernels against the rules written pixel by pixel, on random pixels, on the baseline
// and the AVX2 path.
using BlendKernels = kerneltest::KernelPaths;

TEST_P(BlendKernels, EveryKernelMatchesItsPerPixelRule) {
  std::mt19937 random(1234);
  constexpr int n = 257;
  const DDPixelLayout tex{10, 5, 0, 15, 31, 31, 31, 1};
  const DDPixelLayout back{11, 5, 0, 0, 31, 63, 31, 0};
  const DDPixelLayout dd565{11, 5, 0, 0, 31, 63, 31, 0};
  std::vector<BYTE> table(kBlendTableSize);
  for (BYTE& b : table) b = static_cast<BYTE>(random());
  for (int round = 0; round < 20; ++round) {
    std::vector<BYTE> s8(n), t8(n);
    std::vector<WORD> s16(n), t16(n);
    std::vector<DWORD> s32(n), t32(n);
    for (int i = 0; i < n; ++i) {
      s8[i] = static_cast<BYTE>(random() % 4 == 0 ? 0 : random());
      t8[i] = static_cast<BYTE>(random() % 4 == 0 ? 0 : random());
      s16[i] = static_cast<WORD>(random() % 4 == 0 ? 0xF81F : random());
      t16[i] = static_cast<WORD>(random() % 4 == 0 ? 0xF81F : random());
      s32[i] = random() % 4 == 0 ? 0x00FF00FFu : static_cast<DWORD>(random());
      t32[i] = random() % 4 == 0 ? 0x00FF00FFu : static_cast<DWORD>(random());
    }
    for (bool keyed : {false, true}) {
      std::vector<BYTE> r8 = t8;
      BlendRow8(r8.data(), s8.data(), n, table.data(), keyed);
      std::vector<WORD> r16k = t16, r16t = t16, r16b = t16, r565 = t16;
      BlendRow16Key565(r565.data(), s16.data(), n, 0xF81F, keyed);
      EXPECT_TRUE(IsLayout565(dd565));
      Blend16Tables tables;
      MakeBlend16Tables(tables, dd565);
      BlendRow16Key(r16k.data(), s16.data(), n, tables, 0xF81F, keyed);
      BlendRow16Texture(r16t.data(), s16.data(), n, tex, keyed);
      BlendRow16Back(r16b.data(), s16.data(), n, tex, back, keyed);
      std::vector<DWORD> r32k = t32, r32a = t32;
      BlendRow32Key(r32k.data(), s32.data(), n, 0x00FF00FF, keyed);
      BlendRow32Alpha(r32a.data(), s32.data(), n, keyed);
      for (int i = 0; i < n; ++i) {
        const unsigned s = s8[i], d = t8[i];
        EXPECT_EQ(r8[i], keyed && s == 0 ? d : (d == 0 ? s : table[d * 256 + s]));
        auto field = [](unsigned p, int shift, int max) { return (p >> shift) & static_cast<unsigned>(max); };
        {
          const unsigned sp = s16[i], dp = t16[i];
          unsigned mixed = 0;
          const int shifts[3] = {11, 5, 0}, maxes[3] = {31, 63, 31};
          for (int c = 0; c < 3; ++c) {
            const unsigned sum = field(sp, shifts[c], maxes[c]) * 255 / maxes[c] + field(dp, shifts[c], maxes[c]) * 255 / maxes[c];
            mixed |= ((sum >> 1) * maxes[c] / 255) << shifts[c];
          }
          EXPECT_EQ(r16k[i], keyed && sp == 0xF81F ? dp : (dp == 0xF81F ? sp : mixed));
          EXPECT_EQ(r565[i], r16k[i]);
          unsigned tmix = 1u << 15;
          for (int c = 0; c < 3; ++c) {
            const int shift = c == 0 ? 10 : c == 1 ? 5 : 0;
            tmix |= (((field(sp, shift, 31) + field(dp, shift, 31)) >> 1) & 31) << shift;
          }
          const bool skip = keyed && (sp & 0xA000) == 0;
          EXPECT_EQ(r16t[i], skip ? dp : tmix);
          const unsigned bmix = ((field(sp, 10, 31) + field(dp, 11, 31)) >> 1) << 11 |
                                ((field(dp, 5, 63) + 2 * field(sp, 5, 31)) >> 1) << 5 |
                                ((field(sp, 0, 31) + field(dp, 0, 31)) >> 1);
          EXPECT_EQ(r16b[i], skip ? dp : bmix);
        }
        {
          const DWORD sp = s32[i], dp = t32[i];
          DWORD avg = 0;
          for (int b = 0; b < 3; ++b) avg |= ((((sp >> (8 * b)) & 0xFF) + ((dp >> (8 * b)) & 0xFF)) >> 1) << (8 * b);
          const DWORD colour = dp == 0x00FF00FF ? (sp & 0xFFFFFF) : avg;
          EXPECT_EQ(r32k[i], keyed && sp == 0x00FF00FF ? dp : ((dp & 0xFF000000u) | colour));
          EXPECT_EQ(r32a[i], keyed && (sp >> 24) == 0 ? dp : (0xFF000000u | avg));
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, BlendKernels, testing::Values(false, true), kerneltest::PathName);

}  // namespace
