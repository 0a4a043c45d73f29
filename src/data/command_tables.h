#pragma once

#include <cstdint>

// A command kind: its caption and the number of integer parameters a command of the kind
// carries.
struct CommandKindRow {
  const char* name;
  std::int32_t paramCount;
};

constexpr int kCharaCommandKinds = 40;
constexpr int kItemCommandKinds = 25;
// An item command of kind k from 2 on is the character command of kind k + 15.
constexpr int kItemKindOffset = 15;

// Command sets.
enum : std::uint8_t { kCharaCommandSet = 0, kItemCommandSet = 1 };

// Character command kinds.
enum : std::uint8_t {
  kCmdNone = 0,
  kCmdWait = 1,
  kCmdMoveStraight = 2,
  kCmdMoveTurnBack = 3,
  kCmdMoveCircle = 4,
  kCmdMoveCharge = 5,
  kCmdMoveHoming = 6,
  kCmdMoveAvoidOffscreen = 7,
  kCmdStopMoving = 8,
  kCmdTurn = 9,
  kCmdJump = 10,
  kCmdShot = 11,
  kCmdSword = 12,
  kCmdSummonBlock = 13,
  kCmdSummonChara = 14,
  kCmdSummonItem = 15,
  kCmdFlowOperation = 16,
  kCmdStageClear = 17,
  kCmdGameWait = 18,
  kCmdMessage = 19,
  kCmdWarp = 20,
  kCmdSetTarget = 21,
  kCmdStatusOp = 22,
  kCmdStatusOp2 = 23,
  kCmdVanish = 24,
  kCmdTakeItem = 25,
  kCmdChangeGraphic = 26,
  kCmdChangeAnimeSet = 27,
  kCmdRunAnime = 28,
  kCmdRunEffect = 29,
  kCmdRunCharaEffect = 30,
  kCmdRunScrEffect = 31,
  kCmdShowPicture = 32,
  kCmdScreenColour = 33,
  kCmdChangeBackground = 34,
  kCmdPlaySound = 35,
  kCmdPlayBgm = 36,
  kCmdRunCode = 37,
  kCmdArrange = 38,
  kCmdLoop = 39,
};

// Item command kinds: kind 1 replaces the taker's flows; the others are their character twins.
enum : std::uint8_t {
  kItemCmdNone = 0,
  kItemCmdChangeFlows = 1,
  kItemCmdWarp = kCmdWarp - kItemKindOffset,
  kItemCmdTakeItem = kCmdTakeItem - kItemKindOffset,
};

extern const CommandKindRow CharaCommandTable[kCharaCommandKinds];
extern const CommandKindRow ItemCommandTable[kItemCommandKinds];

// The row of a kind of a set; nothing for a set or kind outside the tables.
const CommandKindRow* CommandKind(int set, int kind);

// A direction key index of the key history (0 none, 1..8 left, right, up, down, up-left,
// down-left, up-right, down-right) as a direction code of the movement and shot records; no
// key gives the facing direction.
int DirCodeFromChoice(int key, int facingRight);
