#include <algorithm>

#include "gfx/dd_surface.h"
#include "gfx/surface_table.h"
#include "gfx_test_support.h"

namespace {

using gfxtest::Mode;
using gfxtest::PixelOf;

// A 5 x 3 picture: each pixel a different colour, the 8-bit one through a colour table.
testsupport::BmpPicture Picture(int bits) {
  testsupport::BmpPicture picture;
  picture.width = 5;
  picture.height = 3;
  picture.bits = bits;
  for (int i = 0; i < 15; ++i) {
    const std::uint32_t color = static_cast<std::uint32_t>(0x11 * (i + 1)) << 16 |
                                static_cast<std::uint32_t>(0x80 + 7 * i) << 8 |
                                static_cast<std::uint32_t>(0xF0 - 9 * i);
    if (bits == 8) {
      picture.colors.push_back(color);
      picture.pixels.push_back(static_cast<std::uint32_t>(i));
    } else {
      picture.pixels.push_back(color);
    }
  }
  return picture;
}

std::uint32_t Scaled(std::uint32_t c, int shift, int maximum) { return ((c >> shift) & 0xFF) * maximum / 255; }

// What a pixel of the given colour becomes in a record of the mode, by the component conversion.
DWORD Expected(const Mode& mode, std::uint32_t color) {
  if (mode.backend == 1 && mode.bpp == 32) return 0xFF000000u | color;
  if (mode.backend == 1)
    return 0x8000u | Scaled(color, 16, 31) << 10 | Scaled(color, 8, 31) << 5 | Scaled(color, 0, 31);
  if (mode.bpp == 16) return Scaled(color, 16, 31) << 11 | Scaled(color, 8, 63) << 5 | Scaled(color, 0, 31);
  return color;
}

class SurfacesFromFiles : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {};

TEST_P(SurfacesFromFiles, EightTwentyFourAndThirtyTwoBitBitmapsLoadIntoEveryMode) {
  const Mode mode = GetParam();
  ASSERT_TRUE(Init(mode));
  const std::size_t screenTextures = SurfaceList.size();
  // At 8 bits a bitmap of more bits goes through the game's palette, nearest colour first.
  const testsupport::BmpPicture colours = Picture(8);
  for (int i = 0; i < 15; ++i) {
    DDPalette[40 + i] = {static_cast<BYTE>(colours.colors[i] >> 16), static_cast<BYTE>(colours.colors[i] >> 8),
                         static_cast<BYTE>(colours.colors[i]), 0};
  }
  for (int bits : {8, 24, 32}) {
    SCOPED_TRACE(bits);
    const testsupport::BmpPicture picture = Picture(bits);
    WriteFile("bmp/Picture.bmp", testsupport::MakeBmp(picture));
    DDSURFACEDATA record;
    ASSERT_EQ(DDCreateSurfaceFromFile(&record, "bmp\\Picture.bmp", 0, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(record.nWidth, 5);
    EXPECT_EQ(record.nHeight, 3);
    EXPECT_STREQ(record.szFileName, "bmp\\Picture.bmp");
    for (int i = 0; i < 15; ++i) {
      const int x = i % 5, y = i / 5;
      const std::uint32_t color =
          bits == 8 ? picture.colors[static_cast<std::size_t>(i)] : picture.pixels[static_cast<std::size_t>(i)];
      DWORD expected = Expected(mode, color);
      if (mode.bpp == 8) expected = bits == 8 ? static_cast<DWORD>(i) : static_cast<DWORD>(40 + i);
      EXPECT_EQ(PixelOf(&record, x, y), expected) << x << "," << y;
    }
    DDReleaseSurface(&record);
  }
  EXPECT_EQ(SurfaceList.size(), screenTextures);
}

TEST_P(SurfacesFromFiles, AMissingBitmapIsReportedAndLeavesAnEmptyRecord) {
  ASSERT_TRUE(Init(GetParam()));
  DDSURFACEDATA record;
  EXPECT_EQ(DDCreateSurfaceFromFile(&record, "bmp\\None.bmp", 1, DDBpp, 0, 0, 0, 0, 0, 0, 0), DDSURF_LOADIMAGE_ERR);
  if (GetParam().backend == 1) {
    EXPECT_TRUE(Has(ReportLog(), "LoadImage Err bmp\\None.bmp"));
  } else {
    EXPECT_TRUE(Has(ErrorLog(), "bmp\\None.bmp"));
  }
  EXPECT_FALSE(DDSurfaceErrorText(DDSURF_LOADIMAGE_ERR));
  EXPECT_TRUE(Has(ErrorLog(), "LOADIMAGE_ERR"));
  DDReleaseSurface(&record);
}

class SurfaceTable : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  static SurfaceDef Row(const char* name, int optional, int width = 0, int height = 0) {
    SurfaceDef def{};
    DDCopyName(def.fileName, name);
    def.colorKey = 1;
    def.optional = optional;
    def.width = width;
    def.height = height;
    return def;
  }
  DDSURFACEDATA records_[5];
  const SurfaceDef defs_[5] = {Row("bmp\\Here.bmp", 0), Row("bmp\\Gone.bmp", 1), Row("bmp\\Gone.bmp", 0),
                               Row("E", 0, 16, 8), Row("E", 0, 0, 0)};
};

TEST_P(SurfaceTable, RowsLoadOptionalOnesMayBeMissingRequiredOnesMayNot) {
  WriteFile("bmp/Here.bmp", testsupport::MakeSolidBmp(4, 4, 24, 0x102030));
  ASSERT_TRUE(Init(GetParam(), records_, defs_, 5));
  const int loadable[] = {0, 1, 3};
  ASSERT_TRUE(DDLoadSurfaceTable(records_, loadable, 3));
  EXPECT_EQ(records_[0].nWidth, 4);
  EXPECT_TRUE(records_[0].lpDT != nullptr || records_[0].lpDDraw != nullptr);
  EXPECT_EQ(records_[3].nWidth, 16);
  EXPECT_TRUE(boxes_.empty());

  const int required[] = {2};
  EXPECT_FALSE(DDLoadSurfaceTable(records_, required, 1));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0], "[エラー] bmp\\Gone.bmp の読み込みに失敗！");
  EXPECT_EQ(closeRequests_, 0);

  const int blank[] = {4};
  EXPECT_FALSE(DDLoadSurfaceTable(records_, blank, 1));
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1], "[エラー] メモリが不足しています！");
  EXPECT_EQ(closeRequests_, 1);

  const int outside[] = {5};
  EXPECT_FALSE(DDLoadSurfaceTable(records_, outside, 1));

  // Reloading a row releases what it held first; DDUnInit releases the rows.
  ASSERT_TRUE(DDLoadSurfaceTable(records_, loadable, 1));
  DDUnInit();
  EXPECT_EQ(records_[0].lpDT, nullptr);
  EXPECT_EQ(records_[0].lpDDraw, nullptr);
  EXPECT_EQ(boxes_.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Modes, SurfacesFromFiles, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);
INSTANTIATE_TEST_SUITE_P(Modes, SurfaceTable, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

class Textures : public gfxtest::LibraryTest {
 protected:
  void Open(bool powerOfTwo, bool square, int maxWidth = 4096) {
    platform::RenderCaps& caps = platform::CurrentVideoSettings().caps;
    caps.powerOfTwoTextures = powerOfTwo;
    caps.squareOnlyTextures = square;
    caps.maxTextureWidth = maxWidth;
    ASSERT_TRUE(Init(gfxtest::kModes[0]));
  }
};

TEST_F(Textures, SizesRoundAsTheDeviceNeedsWhileRecordsKeepTheirOwn) {
  struct Case {
    bool powerOfTwo, square;
    int w, h, textureWidth, textureHeight;
  };
  const Case cases[] = {
      {true, false, 100, 60, 128, 64},  {true, true, 100, 60, 128, 128},  {true, false, 64, 64, 64, 64},
      {false, true, 100, 60, 100, 100}, {false, false, 100, 60, 100, 60}, {true, false, 1, 3, 1, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " pow2 " << c.powerOfTwo << " square " << c.square);
    Open(c.powerOfTwo, c.square);
    DDSURFACEDATA blank;
    ASSERT_TRUE(DDCreateSurface(&blank, c.w, c.h, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    EXPECT_EQ(blank.nWidth, c.w);
    EXPECT_EQ(blank.nHeight, c.h);
    EXPECT_EQ(blank.nTexWidth, c.textureWidth);
    EXPECT_EQ(blank.nTexHeight, c.textureHeight);
    WriteFile("bmp/Sized.bmp", testsupport::MakeSolidBmp(c.w, c.h, 24, 0x336699));
    DDSURFACEDATA file;
    ASSERT_EQ(DDCreateSurfaceFromFile(&file, "bmp\\Sized.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(file.nWidth, c.w);
    EXPECT_EQ(file.nTexWidth, c.textureWidth);
    EXPECT_EQ(file.nTexHeight, c.textureHeight);
    DDReleaseSurface(&blank);
    DDReleaseSurface(&file);
    DDUnInit();
  }
}

TEST_F(Textures, ABitmapWiderThanTheDeviceAllowsIsWarnedAboutAndStillMade) {
  Open(false, false, 64);
  WriteFile("bmp/Wide.bmp", testsupport::MakeSolidBmp(100, 2, 24, 0x336699));
  DDSURFACEDATA file;
  ASSERT_EQ(DDCreateSurfaceFromFile(&file, "bmp\\Wide.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(file.nTexWidth, 100);
  const std::string log = ReportLog();
  EXPECT_TRUE(Has(log, "このビデオカードでは横幅64を超える画像はサポートされていません！"));
  EXPECT_TRUE(Has(log, "上記の理由でテクスチャの描画が失敗する可能性があります。(bmp\\Wide.bmp)"));
}

TEST_F(Textures, RenderTargetsFallBackToSystemMemoryWhenVideoMemoryRunsOut) {
  platform::CurrentVideoSettings().videoMemoryBytes = 2 * 640 * 480 * 4 + 1024;  // the screen textures and a little
  Open(false, false);
  DDSURFACEDATA blank;
  ASSERT_TRUE(DDCreateSurface(&blank, 256, 256, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  EXPECT_EQ(blank.lpDT->nMemoryType, DTMEMORYTYPE_SYSTEM);
  EXPECT_EQ(blank.lpDT->bRenderTarget, 0);
  EXPECT_EQ(blank.lpDT->lpSystemSurface, nullptr);
  EXPECT_TRUE(Has(ReportLog(), "VRAM不足のためシステムメモリにテクスチャを作成します。(空)"));
  DDReleaseSurface(&blank);
}

TEST_F(Textures, AFileTextureAskedWithoutRenderTargetBehavesAsAVideoTexture) {
  Open(false, false);
  WriteFile("bmp/A.bmp", testsupport::MakeSolidBmp(8, 8, 24, 0x336699));
  DDSURFACEDATA file;
  ASSERT_EQ(DDCreateSurfaceFromFile(&file, "bmp\\A.bmp", 1, 32, 0, DTMEMORYTYPE_VIDEO_NORT, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(file.lpDT->bRenderTarget, 0);
  EXPECT_EQ(file.lpDT->Desc.Pool, platform::MemoryPool::Managed);
  EXPECT_TRUE(ErrorLog().find("DTMEMORYTYPE_VIDEO_NORTの指定は未対応です。") != std::string::npos);
}

TEST_F(Textures, RecordsInVectorsAndListsStayWhereTheTextureListFindsThem) {
  Open(false, false);
  const std::size_t before = SurfaceList.size();
  DDSurfaceVector vector;
  SurfaceDefVector defs;
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(DDCreateSurfaceInVector(vector, defs, 4, 4, 1, 0, 0, 0));
  ASSERT_EQ(SurfaceList.size(), before + 200);
  // Every listed record is one of the vector's, at its address, with its texture.
  int found = 0;
  for (DDSURFACEDATA* entry : SurfaceList) {
    for (DDSURFACEDATA& record : vector) found += &record == entry && entry->lpDT->lpTexture != nullptr;
  }
  EXPECT_EQ(found, 200);
  EXPECT_EQ(defs.size(), 200u);
  EXPECT_EQ(defs[0].colorKey, 1);
  DDReleaseSurfaceVector(vector);
  EXPECT_EQ(SurfaceList.size(), before);

  DDSurfaceList list;
  SurfaceDefList listDefs;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(DDCreateSurfaceInList(list, listDefs, 4 + i, 4, 0, 0, 0, 0));
  listDefs[1].width = 99;  // marks the definition that belongs to the middle record
  DDSURFACEDATA* middle = &list[1];
  EXPECT_EQ(DDDeleteSurfaceFromList(list, listDefs, middle), 1);
  EXPECT_EQ(DDDeleteSurfaceFromList(list, listDefs, middle), 0);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].nWidth, 6);
  EXPECT_EQ(listDefs[1].width, 0);
  DDReleaseSurfaceList(list);
  EXPECT_EQ(SurfaceList.size(), before);
}

TEST_F(Textures, ReleasingIsHarmlessTwiceAndLeavesAnAliasSourceAlive) {
  Open(false, false);
  DDReleaseSurface(nullptr);
  WriteFile("bmp/Sheet.bmp", testsupport::MakeSolidBmp(8, 8, 24, 0x336699));
  DDSURFACEDATA source, alias;
  ASSERT_EQ(DDCreateSurfaceFromFile(&source, "bmp\\Sheet.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
  ASSERT_EQ(DDCreateSurfaceFromFile(&alias, "bmp\\Sheet.bmp", 1, 32, 0, 0, 1, 0, 0, 0, 0), 0);
  EXPECT_EQ(alias.lpDT->lpTexture, nullptr);
  alias.lpAliasSrc = &source;
  DDReleaseSurface(&alias);
  DDReleaseSurface(&alias);
  EXPECT_EQ(alias.lpDT, nullptr);
  ASSERT_NE(source.lpDT, nullptr);
  EXPECT_NE(source.lpDT->lpTexture, nullptr);
  EXPECT_NE(std::find(SurfaceList.begin(), SurfaceList.end(), &source), SurfaceList.end());
}

}  // namespace
