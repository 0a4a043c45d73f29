#pragma once

#include <initializer_list>

#include "data/ed_command.h"
#include "data/ed_condition.h"
#include "data/ed_flow.h"
#include "data/ed_key_condition.h"
#include "data/ed_shot.h"
#include "flow/triggers.h"

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
  kButton3 = 13,  // swing the sword
};

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
// Round a circle `radiusHalfBlocks` across, clockwise from its top, once in `tenths`; flying
// characters only go all the way round.
cEdCommand Circle(int radiusHalfBlocks, int tenths);
// The author's code, run at once.
cEdCommand RunCode(const char* text);
// Homing on the character's target, aiming again every `slowness` frames at the place the
// target had that long ago.
cEdCommand Home(int speed, int slowness, int tenths);
// The hero becomes the character's target; it does not hold the flow.
cEdCommand TargetHero();
// A text window in the middle of the screen for a while, from a character's flow.
cEdCommand SayOnScreen(const char* text, int tenths);
// The screen flashes toward a colour: `percent` strong over `tenths`, once.
cEdCommand FlashScreen(int red, int green, int blue, int percent, int tenths);
// A project sound, on screen only.
cEdCommand PlaySound(int sound);
// Turn towards the character's target (the hero).
cEdCommand FaceTarget();
// A database picture in the middle of the screen for a while; it does not hold the flow.
cEdCommand ShowPicture(int picture, int tenths);
// A swing of a sword type of the database, hurting by `power`, for the sword's own duration.
cEdCommand Swing(int swordType, int power, int hitEffect);
// A character effect of the database on the character itself.
cEdCommand RunCharaEffect(int charaEffect);
// `count` items of the common palette in a ring `radiusHalfBlocks` round the character.
cEdCommand SummonItemRing(int item, int count, int radiusHalfBlocks);

// A shot record: straight ahead (or at the target), with a picture, speed, range and power.
cEdShot ShotOf(int picture, int speed, int rangeHalfBlocks, int power, bool aim, int hitEffect);
// Shots that erase each other: the weaker level goes, equal levels both go.
cEdShot Erasable(cEdShot shot, int level);
// `count` shots fanned `degrees` apart, centred on the aim.
cEdShot Spread(cEdShot shot, int count, int degrees);
// A shot that keeps turning towards the character's target.
cEdShot Homing(cEdShot shot);

// Item commands, run on the hero that takes the item.
cEdCommand AddScore(int points);
cEdCommand AddHp(int amount);
cEdCommand AddLife();
cEdCommand ClearStage();
cEdCommand AddToStageVariable(int variable, int amount);
// An effect of the database centred on the taker.
cEdCommand ShowEffect(int effect);
// The taker warps to a stage cell.
cEdCommand WarpToCell(int column, int row);
// "ステータスの操作2" on the taker: 4 invincibility.
cEdCommand SetTakerFlag(int status, int value);
// A character effect of the database on the taker.
cEdCommand BlinkTaker(int charaEffect);
// The shots of a group on screen vanish.
cEdCommand VanishShotsOnScreen(int group);
// The taker gets a flow of its own, which ends by deleting itself.
cEdCommand GiveFlow(const cEdFlow& flow);
// A text window in the middle of the screen for a while, from an item.
cEdCommand ItemSayOnScreen(const char* text, int tenths);
// A framed text window above the hero for a while, its "#" escapes expanded and refreshed every
// `refreshFrames` frames.
cEdCommand ShowMessage(const char* text, int tenths, int refreshFrames);

// Start conditions: the hero within `halfBlocks` to either side; the character's own HP at
// most `hp`.
cEdCondition HeroWithin(int halfBlocks);
cEdCondition HpAtMost(int hp);
// The character's own variable at least `value`.
cEdCondition OwnVariableAtLeast(int variable, int value);

// "アレンジ": parameter `parameter` of the next command of `kind` set to character variable
// `variable`.
cEdCommand ArrangeFromVariable(int kind, int parameter, int variable);
// A character of the common palette summoned beside the character, on its ground.
cEdCommand SummonCharaBeside(int chara);
// The hero takes an item of the common palette.
cEdCommand GiveItem(int item);
// Every flow of the ID stops for good.
cEdCommand HaltFlowsOfId(int flowId);
// The flow operation on the flow that runs it: 4 deletes it.
cEdCommand OperateThisFlow(int operation);
// "ステータスの操作2" from a character's own flow.
cEdCommand SetOwnFlag(int status, int value);

cEdFlow Flow(int trigger, std::initializer_list<cEdKeyCondition> keys, std::initializer_list<cEdCommand> commands,
             bool continuous = false);
// The flow held back by conditions (all of them), sharing a switch ID with others (only one
// flow of an ID runs at a time), its key steps taken with `keyGap` frames of slack.
cEdFlow Guarded(cEdFlow flow, std::initializer_list<cEdCondition> conditions, int switchId = 0, int keyGap = 0);

}  // namespace sample::flows
