#pragma once

#include <initializer_list>

#include "data/ed_command.h"
#include "data/ed_flow.h"
#include "data/ed_key_condition.h"
#include "data/ed_shot.h"

// Builders of the flows and commands that make the sample game's characters and items act.
namespace sample::flows {

// Key slots of a key condition: the direction patterns, then the buttons.
enum KeySlot : int {
  kKeyLeft = 1,
  kKeyRight = 2,
  kKeyUp = 3,
  kKeyDown = 4,
  kKeyUpLeft = 5,
  kKeyDownLeft = 6,
  kKeyUpRight = 7,
  kKeyDownRight = 8,
  kButton1 = 11,  // jump
  kButton2 = 12,  // shoot
};

// Trigger kinds.
enum Trigger : int { kAlways = 0, kDied = 3, kStageStart = 18 };

// Movement directions.
enum Direction : int {
  kForward = 0,
  kLeft = 2,
  kRight = 3,
  kUp = 6,
  kDown = 7,
  kUpLeft = 8,
  kDownLeft = 9,
  kUpRight = 10,
  kDownRight = 11,
};

// Any of the slots held for any length of time.
cEdKeyCondition Held(std::initializer_list<int> slots);

cEdCommand Wait(int tenths);
// Straight movement in a direction at a speed in tenths of a dot per frame.
cEdCommand Move(int direction, int speed, int tenths);
// Walking that turns at walls and at the edges of the ground.
cEdCommand WalkTurning(int speed, int tenths);
// A jump of the given height in half blocks; `byKey` lets the held key set the height.
cEdCommand Jump(int halfBlocks, bool byKey, int sound, int anime);
cEdCommand Shoot(const cEdShot& shot, int tenths, int sound, int anime);
// Turn towards the character's target (the hero).
cEdCommand FaceTarget();
// A database picture in the middle of the screen for a while; it does not hold the flow.
cEdCommand ShowPicture(int picture, int tenths);

// A shot record: straight ahead (or at the target), with a picture, speed, range and power.
cEdShot ShotOf(int picture, int speed, int rangeHalfBlocks, int power, bool aim, int hitEffect);

// Item commands, run on the hero that takes the item.
cEdCommand AddScore(int points);
cEdCommand AddHp(int amount);
cEdCommand AddLife();
cEdCommand ClearStage();

cEdFlow Flow(int trigger, std::initializer_list<cEdKeyCondition> keys, std::initializer_list<cEdCommand> commands,
             bool continuous = false);

}  // namespace sample::flows
