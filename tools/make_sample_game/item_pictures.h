#pragma once

// Picture numbers of the item sheet (64-dot column p / 15, row p mod 15), the shot sheet
// (16-dot rows) and the overlay marks.
namespace sample::itempic {

enum : int {
  kCoin = 1,
  kGem = 2,
  kHeart = 3,
  kStar = 4,
  kKey = 5,
  kOneUp = 6,
  kGoalOrb = 7,
  kApple = 8,
  kFeather = 9,
  kClock = 10,
  kCount = 11,
};

}  // namespace sample::itempic

namespace sample::shotpic {

enum : int {
  kFireball = 1,
  kOrb = 2,
  kNeedle = 3,
  kStarShot = 4,
  kIceShard = 5,
  kCount = 6,
};

}  // namespace sample::shotpic

namespace sample::markpic {

enum : int {
  kExclaim = 0,
  kQuestion = 1,
  kArrowDown = 2,
  kArrowUp = 3,
  kArrowLeft = 4,
  kArrowRight = 5,
  kSparkle = 6,
  kHeart = 7,
  kSkull = 8,
  kLock = 9,
  kNote = 10,
  kCount = 11,
};

}  // namespace sample::markpic
