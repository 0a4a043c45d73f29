#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "data/project_paths.h"
#include "data/surface_defs.h"

namespace {

TEST(ProjectPathsTest, WorkingCopiesPairWithTheirDefaults) {
  // Rows 5 to 36 come in pairs: the working copy under data\, the shipped one under default\.
  for (int row = 5; row <= 35; row += 2) {
    const std::string data = ProjectPaths[row];
    const std::string shipped = ProjectPaths[row + 1];
    ASSERT_EQ(data.rfind("data\\", 0), 0u) << row;
    EXPECT_EQ("default\\" + data.substr(5), shipped) << row;
  }
  EXPECT_STREQ(ProjectPaths[kPathDataFolder], "data\\");
  EXPECT_STREQ(ProjectPaths[kPathDefaultFolder], "default\\");
  EXPECT_STREQ(ProjectPaths[kPathSystemData], "data\\System.dat");
  EXPECT_STREQ(ProjectPaths[kPathWorldMap], "data\\WorldMap.dat");
  EXPECT_STREQ(ProjectPaths[kPathCommonPalette], "data\\CommonPalette.cplt4");
  EXPECT_STREQ(ProjectPaths[kPathBgmDb], "data\\database\\Bgm.dat");
  EXPECT_STREQ(ProjectPaths[kPathRankingFolder + 2], "user_data\\free\\");
  EXPECT_STREQ(ProjectPaths[kPathWindowPlace], "user_data\\Window.dat");
  EXPECT_STREQ(ProjectExts[kExtStage], "stg4");
  EXPECT_STREQ(ProjectExts[kExtRanking], "rkg");
}

TEST(SurfaceDefsTest, RowsAsTheDrawingLibraryNeedsThem) {
  struct Case {
    int row;
    const char* file;
    int key, sys, mem, alias, optional, mirror, width, height;
  };
  const Case cases[] = {
      {0, "bmp\\plt\\Palette.bmp", 0, 1, 0, 0, 0, 0, 0, 0},
      {1, "bmp\\Debug.bmp", 1, 0, 0, 0, 0, 0, 0, 0},
      {3, "bmp\\Block.bmp", 1, 1, 0, 1, 0, 0, 0, 0},
      {5, "bmp\\Character1.bmp", 1, 0, 0, 1, 0, 32, 0, 0},
      {6, "bmp\\Character2.bmp", 1, 0, 0, 0, 1, 0, 0, 0},
      {21, "bmp\\Shot.bmp", 1, 0, 0, 1, 0, 16, 0, 0},
      {37, "bmp\\Character8.bmp", 1, 1, 0, 1, 1, 32, 0, 0},
      {39, "bmp\\Shot.bmp", 1, 1, 0, 1, 0, 16, 0, 0},
      {45, "bmp\\Window.bmp", 0, 0, 0, 0, 0, 0, 0, 0},
      {48, "bmp\\GameMode.bmp", 1, 0, 0, 0, 1, 0, 0, 0},
      {53, "bmp\\WorldEvent.bmp", 1, 1, 0, 0, 0, 0, 0, 0},
      {54, "bmp\\WorldBack.bmp", 0, 1, 0, 0, 1, 0, 0, 0},
      {55, "\x94\x77\x8C\x69\x82\xBB\x82\xCC\x31.bmp", 1, 0, 0, 0, 1, 0, 0, 0},  // 背景その1.bmp
      {62, "背景その8.bmp", 1, 0, 0, 0, 1, 0, 0, 0},
      {63, "E", 1, 1, 0, 0, 0, 0, 256, 960},
      {66, "E", 0, 1, 0, 0, 0, 0, 640, 480},
      {68, "E", 1, 1, 0, 1, 0, 0, 640, 480},
      {69, "E", 1, 0, 2, 0, 0, 0, 1024, 1024},
      {70, "E", 1, 1, 1, 0, 0, 0, 1024, 1024},
  };
  for (const Case& c : cases) {
    const SurfaceDef& d = SurfaceDefs[c.row];
    EXPECT_STREQ(d.fileName, c.file) << c.row;
    const std::vector<int> got = {d.colorKey, d.ddSystemMemory, d.d3dMemoryType, d.d3dAlias,
                                  d.optional, d.mirrorCellWidth, d.width,        d.height};
    EXPECT_EQ(got, (std::vector<int>{c.key, c.sys, c.mem, c.alias, c.optional, c.mirror, c.width, c.height})) << c.row;
  }
  for (const SurfaceDef& d : SurfaceDefs) {
    EXPECT_EQ(d.indexMap, 0);
    EXPECT_EQ(d.mirrorCellHeight, 0);
  }
  for (const SurfaceDef& d : NumberSheetDefs) {
    EXPECT_STREQ(d.fileName, "");
    EXPECT_EQ(d.colorKey, 1);
    EXPECT_EQ(d.ddSystemMemory + d.width + d.height, 0);
  }
}

TEST(SurfaceDefsTest, EveryAliasDrawsThroughALoadedRowOfTheSameBitmap) {
  std::set<int> linked;
  LinkSurfacePairs([&](int row, int source) {
    EXPECT_TRUE(linked.insert(row).second) << "row " << row << " linked twice";
    const SurfaceDef& alias = SurfaceDefs[row];
    const SurfaceDef& target = SurfaceDefs[source];
    EXPECT_EQ(alias.d3dAlias, 1) << row;
    EXPECT_EQ(target.d3dAlias, 0) << row;
    EXPECT_STREQ(alias.fileName, target.fileName) << row;
    EXPECT_EQ(alias.optional, target.optional) << row;
  });
  for (int row = 0; row < kSurfaceRowCount; ++row) {
    EXPECT_EQ(linked.count(row) == 1, SurfaceDefs[row].d3dAlias == 1) << row;
  }
  EXPECT_EQ(linked.size(), 31u);
}

TEST(SurfaceDefsTest, EachSceneLoadsItsRows) {
  const auto has = [](const auto& rows, int row) { return std::find(rows.begin(), rows.end(), row) != rows.end(); };
  for (int row = 0; row < kSurfaceRowCount; ++row) {
    const bool play = (row >= 2 && row <= 47) || (row >= 49 && row <= 51) || row >= 55;
    EXPECT_EQ(has(surface_rows::kPlayScene, row), play) << row;
  }
  EXPECT_EQ(surface_rows::kPlayScene.size(), 65u);
  EXPECT_EQ(surface_rows::kStartup, (std::array<int, 1>{1}));
  EXPECT_EQ(surface_rows::kWorldMap, (std::array<int, 6>{54, 52, 53, 49, 45, 67}));
  EXPECT_EQ(surface_rows::kTitle, (std::array<int, 4>{47, 48, 49, 45}));
  EXPECT_EQ(surface_rows::kPlaySceneAgain.front(), kBackgroundFirstRow);
  EXPECT_EQ(surface_rows::kPlaySceneAgain.back(), kBackgroundFirstRow + kBackgroundRowCount - 1);
}

TEST(FontDescTest, ThreeFontsOfOneFaceAndTheirSizes) {
  const int heights[] = {9, 16, 30};
  const int spacing[] = {10, 16, 32};
  const int cache[] = {2, 2, 0};
  for (int font = 0; font < kFontCount; ++font) {
    const FontDef& f = FontDesc[font];
    EXPECT_STREQ(f.faceName, "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E") << font;  // ＭＳ ゴシック
    EXPECT_EQ(f.height, heights[font]);
    EXPECT_EQ(f.charSpacing, spacing[font]);
    EXPECT_EQ(f.lineSpacing, spacing[font]);
    EXPECT_EQ(f.width, 0);
    EXPECT_EQ(f.colorIndex, 241);
    EXPECT_EQ(f.frameRow, 45);
    EXPECT_EQ(f.frameParam1, 1);
    EXPECT_EQ(f.frameParam2, 240);
    EXPECT_EQ(f.sheetRow, 50);
    EXPECT_EQ(f.cacheMode, cache[font]);
  }
}

}  // namespace
