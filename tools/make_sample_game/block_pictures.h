#pragma once

// Picture numbers of the block sheet (column p / 15, row p mod 15); 0 is the empty cell.
namespace sample::blockpic {

enum : int {
  kNone = 0,
  kGrass = 1,
  kDirt = 2,
  kGrassLeft = 3,
  kGrassRight = 4,
  kBrick = 5,
  kStone = 6,
  kBonus = 7,
  kBonusUsed = 8,
  kCrate = 9,
  kMetal = 10,
  kSpikes = 11,
  kBridge = 12,
  kCloud = 13,
  kIce = 14,
  kDirtStones = 15,
  kWaterTop = 16,
  kWater = 17,
  kLavaTop = 18,
  kLava = 19,
  kGoalTop = 20,
  kGoalPole = 21,
  kCastle = 22,
  kBattlement = 23,
  kSpring = 24,
  kConveyorLeft = 25,
  kConveyorRight = 26,
  kCaveDirt = 27,
  kBush = 28,
  kFlowers = 29,
  kSignRight = 30,
  kIsland = 31,
  kDarkBrick = 32,
  kCount = 33,
};

}  // namespace sample::blockpic
