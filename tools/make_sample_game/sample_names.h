#pragma once

// Numbers and names the sample game's files refer to each other by.
namespace sample {

// Animation sets of the database.
namespace animeset {
enum : int { kHero = 0, kWalker = 1, kFlyer = 2, kStill = 3, kCount = 4 };
}
// Motions of the hero's set beyond the four standard ones.
namespace motion {
enum : int { kStand = 0, kWalk = 1, kFly = 2, kFlyMove = 3, kJump = 4, kHurt = 5, kShoot = 6, kCheer = 7 };
}
// Animations of the database, run by commands over a character's own motion.
namespace anime {
enum : int { kNone = 0, kActionA = 1, kBlink = 2, kPose = 3, kHeroJump = 4, kHeroShoot = 5, kFire = 6 };
}
namespace effect {
enum : int { kNone = 0, kBurst = 1, kSparkle = 2 };
}
namespace charaeffect {
enum : int { kNone = 0, kBurst = 1, kBlink = 2, kSpin = 3, kShrink = 4 };
}
namespace screffect {
enum : int { kNone = 0, kQuake = 1, kWave = 2, kIris = 3 };
}
namespace sword {
enum : int { kFeatherBlade = 0 };
}
namespace picture {
enum : int { kNone = 0, kSign = 1 };
}

// Stage files: the world map's three points and the challenge list's two stages (the first is
// the castle of the map).
inline constexpr const char* kStageMeadow = "data\\stg4\\Meadow.stg4";
inline constexpr const char* kStageDusk = "data\\stg4\\Dusk.stg4";
inline constexpr const char* kStageCastle = "data\\stg4\\c01-1.stg4";
inline constexpr const char* kStageChallenge2 = "data\\stg4\\c02-1.stg4";
// The revision suffix the stage files are stored under; the loader takes the newest.
inline constexpr const char* kStageRevision = "_000";

}  // namespace sample
