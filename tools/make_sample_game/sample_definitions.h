#pragma once

#include "data/common_palette.h"

// The block, character and item definitions every stage draws from: the common palette.
namespace sample {

void BuildCommonPalette(cCommonPalette& palette);

// Entries of the common palette's block list.
namespace blockdef {
enum : int {
  kGrass = 1,
  kDirt,
  kGrassLeft,
  kGrassRight,
  kBrick,
  kStone,
  kBonus,
  kCrate,
  kMetal,
  kSpikes,
  kBridge,
  kCloud,
  kIce,
  kWater,
  kWaterDeep,
  kLava,
  kLavaDeep,
  kGoalTop,
  kGoalPole,
  kCastle,
  kBattlement,
  kSpring,
  kConveyorLeft,
  kConveyorRight,
  kCaveDirt,
  kBush,
  kFlowers,
  kSign,
  kIsland,
  kDarkBrick,
  kDirtStones,
  kSpeedFloor,
  kMud,
  kGate,
  kCount,
};
}

// Entries of the character list.
namespace charadef {
enum : int {
  kHero = 1,
  kHeroWithSign,
  kBeetle,
  kSentry,
  kBat,
  kLiftAcross,
  kLiftUpDown,
  kSpiker,
  kCrate,
  kChest,
  kWizard,
  kFrog,
  kWisp,
  kVolleySentry,
  kHive,
  kCount
};
}

// Entries of the item list.
namespace itemdef {
enum : int { kCoin = 1, kGem, kHeart, kOneUp, kGoalOrb, kHeartFountain, kSignpost, kStar, kFeather, kCount };
}

// The groups: the hero's side and everyone else.
constexpr std::uint8_t kHeroGroup = 0;
constexpr std::uint8_t kEnemyGroup = 1;

}  // namespace sample
