#include <string>
#include <vector>

#include "make_sample_game/sample_records.h"
#include "make_sample_game/world_pictures.h"

namespace sample {

namespace {

// The map drawn as text, one character a cell: '~' sea, '=' deep sea, ',' shallows, '.' grass,
// '#' road, '^' mountain, 'T' forest, 'o' rock, 's' sand, '*' flowers, 'b' bridge, 'n' snow,
// 'w' swamp, 'W' castle wall.
constexpr const char* kMapRows[] = {
    "====================",
    "==~~~~~~~~~~~~~~~~~=",
    "=~~~~~~~~~~~,^^n^~~=",
    "=~~~~~ss~~~,^^nn^^~=",
    "=~~~s..TT~,.^W#W^~~=",
    "=~~s..TTTT~..W#Wo~~=",
    "=~~.*..T^^~.w.#o~~~=",
    "=~s..*.#####b##~~~~=",
    "=~s.T..#.TT~~~~~~~~=",
    "=~s.TT.#..TT~~~~~~~=",
    "=~s..####.*.T~~~~~~=",
    "=~~s..*..TTT~~~~~~~=",
    "=~~~ss...ss~~~~~~~~=",
    "==~~~~sss~~~~~~~~~~=",
    "====================",
};

struct TileKind {
  char symbol;
  int chip;
  bool blocked;
  const char* name;
};

// Tile kinds in the order of the map's tile list.
const TileKind kTileKinds[] = {
    {'~', worldpic::kChipSea, true, "Sea"},          {'=', worldpic::kChipDeepSea, true, "Deep sea"},
    {'^', worldpic::kChipMountain, true, "Mountain"}, {'T', worldpic::kChipForest, true, "Forest"},
    {'o', worldpic::kChipRock, true, "Rock"},         {'W', worldpic::kChipWall, true, "Castle wall"},
    {'.', worldpic::kChipGrass, false, "Grass"},      {'#', worldpic::kChipPath, false, "Road"},
    {'b', worldpic::kChipBridge, false, "Bridge"},    {'s', worldpic::kChipSand, false, "Sand"},
    {'*', worldpic::kChipFlowers, false, "Flowers"},  {',', worldpic::kChipShallows, false, "Shallows"},
    {'n', worldpic::kChipSnow, true, "Snow"},         {'w', worldpic::kChipSwamp, false, "Swamp"},
};

int KindOf(char symbol) {
  for (std::size_t i = 0; i < std::size(kTileKinds); ++i) {
    if (kTileKinds[i].symbol == symbol) return static_cast<int>(i);
  }
  return 0;
}

cMapEvent StageEvent(int stage, int icon, const char* title, const std::string& file, int needStage, int afterClear) {
  cMapEvent event;
  event.nKind = 0;
  event.nIcon = icon;
  event.nStage = stage;
  event.bFreeStand = 0;
  event.bReplayable = 1;
  event.nAfterClear = afterClear;
  event.nNeedStage = needStage;
  event.strStageTitle = title;
  event.strStageFile = file;
  return event;
}

// A wall, showing the stage's own icon, until the stage before it is cleared: the events are
// tried in order.
cMapEvent WallEvent(int icon) {
  cMapEvent event;
  event.nKind = 2;
  event.nIcon = icon;
  return event;
}

cMapPoint Point(int x, int y, const char* name, std::vector<cMapEvent> events) {
  cMapPoint point;
  point.nX = x;
  point.nY = y;
  point.strPointName = name;
  point.Events.clear();
  for (const cMapEvent& e : events) point.Events.push_back(e);
  return point;
}

}  // namespace

void BuildWorldMap(cWorldMap& map) {
  map.SetDefaults();
  map.strMapName = "Kestrel Isles";
  map.nBackColor = 16;
  map.bBackBitmap = 1;
  map.strBackBitmap = "bmp\\WorldBack.bmp";
  map.Tiles.clear();
  for (const TileKind& kind : kTileKinds) {
    cMapTile tile;
    tile.bBlocked = kind.blocked ? 1 : 0;
    tile.nGraphic = kind.chip;
    tile.strTileName = kind.name;
    map.Tiles.push_back(tile);
  }
  map.SetSize(20, 15);
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 20; ++x) map.Cells[(y << map.nPitch_Shift) + x] = KindOf(kMapRows[y][x]);
  }
  // The house where a new game starts, then the three stages along the road.
  map.nStartX = 4;
  map.nStartY = 10;
  map.Points.clear();
  cMapEvent home;
  home.nKind = 1;
  home.nIcon = worldpic::kIconHouse;
  home.bFreeStand = 1;
  home.strStageTitle = "Home";
  map.Points.push_back(Point(4, 10, "Home", {home}));
  map.Points.push_back(Point(7, 8, "Meadow", {StageEvent(1, worldpic::kIconFlag, "MEADOW RUN", kStageMeadow, 0, 0)}));
  map.Points.push_back(Point(11, 7, "Dusk",
                             {StageEvent(2, worldpic::kIconCave, "DUSK LIFTS", kStageDusk, 1, 0), WallEvent(worldpic::kIconCave)}));
  map.Points.push_back(Point(14, 4, "Castle",
                             {StageEvent(3, worldpic::kIconTower, "NIGHT CASTLE", kStageCastle, 2, 2), WallEvent(worldpic::kIconTower)}));
}

}  // namespace sample
