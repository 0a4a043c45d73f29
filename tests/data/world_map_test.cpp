#include "data/world_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "project_file_fixture.h"
#include "support/byte_builder.h"

namespace {

using testsupport::ByteBuilder;

struct Point {
  std::int32_t x;
  std::int32_t y;
};

// A WorldMap.dat written by hand: the header fields, tiles, cells and points as given.
struct MapFile {
  std::int32_t version = 750;
  std::int32_t width = 20, height = 15, pitch = 32, shift = 5;
  std::int32_t startX = 9, startY = 7;
  std::vector<std::int32_t> cells = std::vector<std::int32_t>(480, 1);
  std::vector<Point> points;
  std::vector<Point> presets;
  std::int32_t needTotal = 0;

  void Event(ByteBuilder& f) const {
    f.fields(version >= 209 ? 11 : 10);
    for (std::int32_t v = 0; v < 10; ++v) f.i32(v + 1);  // nKind .. nVarOp
    if (version >= 209) f.i32(needTotal);
    f.strings(2).str("title").str("a.stg4");
  }
  void Points(ByteBuilder& f, const std::vector<Point>& list) const {
    f.list(static_cast<std::uint32_t>(list.size()));
    for (const Point& p : list) {
      f.fields(2).i32(p.x).i32(p.y).strings(1).str("p").list(1);
      Event(f);
    }
  }
  std::string Bytes() const {
    ByteBuilder f;
    f.i32(version).fields(8).i32(width).i32(height).i32(pitch).i32(shift).i32(startX).i32(startY).i32(3).i32(1);
    f.strings(2).str("map").str("back.bmp");
    f.list(2).fields(3).i32(0).i32(1).i32(4).strings(2).str("").str("a");
    f.fields(3).i32(0).i32(0).i32(7).strings(2).str("").str("b");
    f.list(static_cast<std::uint32_t>(cells.size()));
    for (std::int32_t c : cells) f.i32(c);
    Points(f, points);
    Points(f, presets);
    return f.bytes();
  }
};

// The map of a new project, from the layout and its defaults.
std::string DefaultMapFile() {
  ByteBuilder f;
  f.i32(750).fields(8).i32(20).i32(15).i32(32).i32(5).i32(9).i32(7).i32(16).i32(0);
  f.strings(2).str("ワールド").str("");
  f.list(10);
  for (int kind = 0; kind < 10; ++kind) {
    f.fields(3).i32(0).i32(kind < 5 ? 1 : 0).i32(kind).strings(2).str("").str(kind < 5 ? "通行不可" : "通行可");
  }
  f.list(480);
  for (int i = 0; i < 480; ++i) f.i32(0);
  f.list(0);
  f.list(1).fields(2).i32(0).i32(0).strings(1).str("デフォルト");
  f.list(1).fields(11);
  for (int i = 0; i < 11; ++i) f.i32(0);
  f.strings(2).str("").str("");
  return f.bytes();
}

class WorldMapTest : public projecttest::ProjectFileTest {};

TEST_F(WorldMapTest, ANewMapWritesTheDefaults) {
  cWorldMap map;
  EXPECT_EQ(WriteFile(map), DefaultMapFile());
  EXPECT_EQ(WriteFile(WorldMap), DefaultMapFile());
}

TEST_F(WorldMapTest, AMapReadsBackToTheSameBytes) {
  MapFile file;
  file.points = {{3, 4}, {19, 14}};
  file.presets = {{1, 1}};
  file.needTotal = 250;
  cWorldMap map;
  ASSERT_TRUE(ReadFile(map, file.Bytes()));
  EXPECT_EQ(map.strBackBitmap, "back.bmp");
  ASSERT_EQ(map.Points.size(), 2u);
  const cMapEvent& event = map.Points[1].Events[0];
  EXPECT_EQ(event.nKind, 1);
  EXPECT_EQ(event.nVarOp, 10);
  EXPECT_EQ(event.nNeedTotal, 250);
  EXPECT_EQ(event.strStageFile, "a.stg4");
  EXPECT_EQ(map.FindPointXY(19, 14), &map.Points[1]);
  EXPECT_EQ(map.FindPoint(MapCell{3, 4}), &map.Points[0]);
  EXPECT_EQ(map.FindPointXY(4, 3), nullptr);
  EXPECT_EQ(WriteFile(map), file.Bytes());
}

TEST_F(WorldMapTest, EventsBefore209HaveNoNeededTotal) {
  MapFile file;
  file.version = 208;
  file.points = {{1, 1}};
  cWorldMap map;
  map.Points.assign(1, cMapPoint());
  map.Points[0].Events[0].nNeedTotal = 9;
  ASSERT_TRUE(ReadFile(map, file.Bytes()));
  EXPECT_EQ(map.Points[0].Events[0].nNeedTotal, 0);
  EXPECT_EQ(map.Points[0].Events[0].strStageTitle, "title");
}

TEST_F(WorldMapTest, ReadingKeepsTheStartAndThePointsOnTheMap) {
  MapFile file;
  file.startX = 25;
  file.startY = 15;
  file.points = {{20, 3}, {-1, 3}, {5, 15}, {19, 14}};
  file.presets = {{50, 50}};
  cWorldMap map;
  ASSERT_TRUE(ReadFile(map, file.Bytes()));
  EXPECT_EQ(map.nStartX, 19);
  EXPECT_EQ(map.nStartY, 14);
  ASSERT_EQ(map.Points.size(), 2u);
  EXPECT_EQ(map.Points[0].nX, -1);
  EXPECT_EQ(map.Points[1].nX, 19);
  ASSERT_EQ(map.PointPresets.size(), 1u);  // the authoring tool's points are left alone
  EXPECT_EQ(map.PointPresets[0].nX, 50);
}

TEST_F(WorldMapTest, ALayoutThatCannotAddressItsCellsFailsTheRead) {
  struct Case {
    const char* what;
    std::int32_t width, height, pitch, shift;
    bool ok;
  };
  const Case cases[] = {
      {"smallest pitch", 20, 15, 32, 5, true},
      {"wider pitch than needed", 20, 15, 64, 6, true},
      {"one cell", 1, 1, 1, 0, true},
      {"pitch narrower than a row", 40, 15, 32, 5, false},
      {"pitch not the shift's power", 20, 15, 33, 5, false},
      {"shift past 16", 20, 15, 1 << 17, 17, false},
      {"negative shift", 1, 1, 1, -1, false},
      {"no width", 0, 15, 1, 0, false},
      {"no height", 20, 0, 32, 5, false},
      {"negative height", 20, -3, 32, 5, false},
      {"more cells than a map may have", 1 << 16, 1 << 10, 1 << 16, 16, false},
  };
  for (const Case& c : cases) {
    MapFile file;
    file.width = c.width;
    file.height = c.height;
    file.pitch = c.pitch;
    file.shift = c.shift;
    file.cells.clear();
    cWorldMap map;
    EXPECT_EQ(ReadFile(map, file.Bytes()), c.ok) << c.what;
    if (c.ok) {
      EXPECT_EQ(map.Cells.size(), static_cast<std::size_t>(c.height) * c.pitch) << c.what;
    }
  }
}

TEST_F(WorldMapTest, AShortCellListIsFilledWithTileZero) {
  MapFile file;
  file.cells = {5, 6, 7};
  cWorldMap map;
  ASSERT_TRUE(ReadFile(map, file.Bytes()));
  ASSERT_EQ(map.Cells.size(), 480u);
  EXPECT_EQ(map.Cells[2], 7);
  EXPECT_EQ(map.Cells[3], 0);
  EXPECT_EQ(map.Cells[479], 0);
}

TEST_F(WorldMapTest, EveryTruncationFails) {
  MapFile file;
  file.points = {{3, 4}};
  const std::string good = file.Bytes();
  for (std::size_t length = 0; length < good.size(); length += 3) {
    cWorldMap map;
    EXPECT_FALSE(ReadFile(map, good.substr(0, length))) << length;
  }
}

TEST_F(WorldMapTest, SetSizePicksThePitchAndKeepsTheCellsThatStay) {
  struct Case {
    std::int32_t width, height;
    int result;
    std::int32_t pitch, shift;
  };
  const Case cases[] = {
      {1, 1, 1, 1, 0},    {2, 1, 1, 2, 1},   {20, 15, 1, 32, 5},     {32, 3, 1, 32, 5},
      {33, 3, 1, 64, 6},  {0, 5, 0, 32, 5},  {5, 0, 0, 32, 5},       {-1, 5, 0, 32, 5},
      {5, -1, 0, 32, 5},  {65536, 2, 1, 65536, 16}, {65537, 1, 0, 32, 5},
  };
  for (const Case& c : cases) {
    cWorldMap map;
    EXPECT_EQ(map.SetSize(c.width, c.height), c.result) << c.width << "x" << c.height;
    EXPECT_EQ(map.nPitch, c.pitch) << c.width;
    EXPECT_EQ(map.nPitch_Shift, c.shift) << c.width;
    const std::size_t cells = c.result == 1 ? static_cast<std::size_t>(c.height) * c.pitch : 480u;
    EXPECT_EQ(map.Cells.size(), cells) << c.width;
  }

  cWorldMap map;
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 20; ++x) map.Cells[(y << 5) + x] = 100 * y + x + 1;
  }
  ASSERT_EQ(map.SetSize(40, 10), 1);
  EXPECT_EQ(map.nPitch, 64);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 40; ++x) {
      EXPECT_EQ(map.Cells[(y << 6) + x], x < 20 ? 100 * y + x + 1 : 0) << x << "," << y;
    }
  }
}

}  // namespace
