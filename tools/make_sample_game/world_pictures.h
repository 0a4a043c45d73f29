#pragma once

// World-map tile chips (five columns of 32 x 32) and point icons (rows of the point sheet).
namespace sample::worldpic {

enum : int {
  kChipSea = 0,
  kChipMountain = 1,
  kChipForest = 2,
  kChipRock = 3,
  kChipWall = 4,
  kChipGrass = 5,
  kChipPath = 6,
  kChipBridge = 7,
  kChipSand = 8,
  kChipFlowers = 9,
  kChipShallows = 10,
  kChipSnow = 11,
  kChipSwamp = 12,
  kChipDeepSea = 13,
  kChipTrail = 14,
  kChipCount = 15,
};

enum : int {
  kIconFlag = 0,
  kIconCave = 1,
  kIconTower = 2,
  kIconHouse = 3,
};

}  // namespace sample::worldpic
