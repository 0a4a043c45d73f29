#pragma once

// Picture numbers of the characters (sheet p / 15, row p mod 15 of Character1.bmp) and their
// pose columns.
namespace sample::charapic {

enum : int {
  kPlaceholder = 0,  // drawn where a picture falls outside its sheet
  kHero = 1,
  kBeetle = 2,
  kSentry = 3,
  kBat = 4,
  kLift = 5,
  kSpiker = 6,
  kWizard = 7,
  kChest = 8,
  kFrog = 9,
  kWisp = 10,
  kHive = 11,
  kCount = 12,
};

// Hero poses.
enum : int {
  kPoseStand = 0,
  kPoseWalkA = 1,
  kPoseWalkB = 2,
  kPoseJump = 3,
  kPoseHurt = 12,
  kPoseShoot = 13,
  kPoseCheer = 14,
  kPoseFall = 15,
};

// Poses of the other characters: two moving frames, an action frame, a hurt frame.
enum : int {
  kPoseMoveA = 0,
  kPoseMoveB = 1,
  kPoseAction = 2,
  kPoseOuch = 3,
};

}  // namespace sample::charapic
