#pragma once

#include <cstddef>

#include "data/world_map.h"

namespace menutest {

// The world map the menu tests walk on: 10 x 8 cells of open ground (rows 16 apart) with one
// wall tile at (wallX, wallY), and no points.
inline void UseSmallWorldMap(int wallX, int wallY) {
  WorldMap.nWidth = 10;
  WorldMap.nHeight = 8;
  WorldMap.nPitch_Shift = 4;
  WorldMap.nPitch = 16;
  WorldMap.Tiles.assign(2, cMapTile{});
  WorldMap.Tiles[1].bBlocked = 1;
  WorldMap.Cells.assign(16 * 8, 0);
  WorldMap.Cells[static_cast<std::size_t>((wallY << 4) + wallX)] = 1;
  WorldMap.Points.clear();
}

}  // namespace menutest
