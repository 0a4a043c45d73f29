// The surfaces the play scene takes from the database and the shot cells it composes.
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>

#include "data/database.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/gfx_test_support.h"
#include "gfx/surface_records.h"
#include "support/bmp_fixture.h"
#include "support/world_fixture.h"
#include "world/scene_play.h"
#include "world/special_bitmaps.h"

namespace {

using gfxtest::Mode;

class SpecialBitmapsTest : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(InitWithPalette(GetParam()));
  }
  void TearDown() override {
    if (savedCharas_) Database.CharaBitmaps = *savedCharas_;
    ReleaseSpecialBitmaps();
    for (int row : {20, 21, 63, 64}) DDReleaseSurface(&SurfaceRecords[row]);
    LibraryTest::TearDown();
  }
  // A 64 x 32 green picture at bmp\Special.bmp, and character bitmaps of the default entry and
  // the given files (the old list comes back after the test).
  void UsePictures(std::initializer_list<const char*> files) {
    testsupport::BmpPicture picture;
    picture.width = 64;
    picture.height = 32;
    picture.bits = 24;
    picture.pixels.assign(64 * 32, 0x00FF00);
    WriteFile("bmp/Special.bmp", testsupport::MakeBmp(picture));
    if (!savedCharas_) savedCharas_ = Database.CharaBitmaps;
    Database.CharaBitmaps.assign(1, cEdBmpCharaExc{});
    for (const char* file : files) Database.CharaBitmaps.emplace_back().strBitmap = file;
  }

 private:
  std::optional<cVector<cEdBmpCharaExc>> savedCharas_;
};

TEST_P(SpecialBitmapsTest, EveryShotCellIsCentredInACellTwiceItsSize) {
  for (int row : {20, 21}) ASSERT_TRUE(DDCreateSurface(&SurfaceRecords[row], 128, 480, 1, 0, 0, 0, 0));
  for (int row : {63, 64}) ASSERT_TRUE(DDCreateSurface(&SurfaceRecords[row], 256, 960, 1, 0, 0, 0, 0));
  for (int row : {20, 21}) DDFillRect(&SurfaceRecords[row], 0, 0, 128, 480, 0);
  // A mark in the cells of column pair 2 (left and right half), row 5, of the first sheet.
  DDFillRect(&SurfaceRecords[20], 64, 80, 16, 16, 77);
  DDFillRect(&SurfaceRecords[20], 80, 80, 16, 16, 99);
  ComposeShotCells();
  DDSURFACEDATA* cells = &SurfaceRecords[63];
  const DWORD left = gfxtest::PixelOf(cells, 8 + 64 * 2, 8 + 32 * 5);
  const DWORD right = gfxtest::PixelOf(cells, 40 + 64 * 2, 8 + 32 * 5);
  const DWORD empty = gfxtest::PixelOf(cells, 0, 0);
  EXPECT_NE(left, empty);
  EXPECT_NE(right, empty);
  EXPECT_NE(left, right);
  // The cell's corners around the picture stay empty, and the other sheet has no mark.
  EXPECT_EQ(gfxtest::PixelOf(cells, 8 + 64 * 2 - 1, 8 + 32 * 5), empty);
  EXPECT_EQ(gfxtest::PixelOf(cells, 8 + 64 * 2 + 16, 8 + 32 * 5), empty);
  EXPECT_EQ(gfxtest::PixelOf(&SurfaceRecords[64], 8 + 64 * 2, 8 + 32 * 5), empty);
}

TEST_P(SpecialBitmapsTest, FamiliesHaveSurfacesPerRecordAndSkipTheDefaultEntries) {
  UsePictures({"bmp\\Special.bmp", "bmp\\Missing.bmp"});
  const cVector<cEdEffect> savedEffects = Database.Effects;
  Database.Effects.assign(1, cEdEffect{});
  LoadCharaBitmaps();
  LoadEffectBitmaps();
  // Four for each record but the default one; the missing picture leaves its four empty.
  EXPECT_NE(CharaSpecialSurface(7), nullptr);
  EXPECT_EQ(CharaSpecialSurface(8), nullptr);
  EXPECT_EQ(CharaSpecialSurface(0)->nWidth, 64);
  EXPECT_EQ(CharaSpecialSurface(1)->lpAliasSrc, CharaSpecialSurface(0));
  EXPECT_EQ(CharaSpecialSurface(4)->nWidth, 0);
  EXPECT_NE(ErrorLog().find("専用bmp bmp\\Missing.bmp 読み込み失敗！"), std::string::npos) << ErrorLog();
  EXPECT_EQ(EffectSurface(0), nullptr) << "only the default effect: nothing";
  Database.Effects = savedEffects;
}

// The scene manager forgets the play scene before deleting it; the scene that loaded the
// families still gives them back, before the drawing library goes. A scene that did not load
// them leaves them alone.
TEST_P(SpecialBitmapsTest, TheSceneThatLoadedTheFamiliesReleasesThemWhenDeleted) {
  UsePictures({"bmp\\Special.bmp"});
  for (int row : {20, 21}) ASSERT_TRUE(DDCreateSurface(&SurfaceRecords[row], 128, 480, 1, 0, 0, 0, 0));
  for (int row : {63, 64}) ASSERT_TRUE(DDCreateSurface(&SurfaceRecords[row], 256, 960, 1, 0, 0, 0, 0));
  {
    worldtest::WorldFixture loader({"    ", " H  ", "####"});
    loader.Build();
    loader.Scene().LoadSpecialBitmaps();
    ASSERT_NE(CharaSpecialSurface(0), nullptr);
    {
      worldtest::WorldFixture other({"    ", " H  ", "####"});
      other.Build();
    }
    EXPECT_NE(CharaSpecialSurface(0), nullptr);
    PlaySceneGlobal = nullptr;
  }
  EXPECT_EQ(CharaSpecialSurface(0), nullptr);
}

TEST_P(SpecialBitmapsTest, TheDarknessHasAHoleOfTheHerosLightAtItsCentre) {
  struct Case {
    int kind, sight;
    int width;
  };
  // A disc for kinds 1 and 2, a square for the others; no light leaves it dark.
  const Case cases[] = {{1, 64, 1280 + 128}, {3, 64, 1280 + 128}, {1, 0, 1280}};
  for (const Case& c : cases) {
    worldtest::WorldFixture world({"    ", " H  ", "####"});
    world.Build();
    cPlayer& hero = world.Hero();
    hero.Def.nDarkness = static_cast<std::uint8_t>(c.kind);
    hero.nSightDots = c.sight;
    DDSURFACEDATA* darkness = &SurfaceRecords[65];
    world.Scene().BuildDarkness(darkness, &SurfaceRecords[66]);
    ASSERT_EQ(darkness->nWidth, c.width) << c.kind;
    const int cx = darkness->nWidth / 2;
    const int cy = darkness->nHeight / 2;
    const DWORD dark = gfxtest::PixelOf(darkness, 0, 0);
    if (c.sight == 0) {
      EXPECT_EQ(gfxtest::PixelOf(darkness, cx, cy), dark);
      continue;
    }
    EXPECT_NE(gfxtest::PixelOf(darkness, cx, cy), dark) << c.kind;
    // The square reaches its corners; the disc does not.
    const DWORD corner = gfxtest::PixelOf(darkness, cx - c.sight + 1, cy - c.sight + 1);
    EXPECT_EQ(corner == dark, c.kind == 1) << c.kind;
  }
  DDReleaseSurface(&SurfaceRecords[65]);
  DDReleaseSurface(&SurfaceRecords[66]);
}

INSTANTIATE_TEST_SUITE_P(Modes, SpecialBitmapsTest, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

}  // namespace
