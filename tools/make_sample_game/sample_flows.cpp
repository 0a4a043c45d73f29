#include "make_sample_game/sample_flows.h"

#include <boost/make_shared.hpp>

#include "data/command_tables.h"

namespace sample::flows {

namespace {

// The item command kinds this game uses: from 2 on, the character kinds 15 below them.
constexpr std::uint8_t ItemKind(std::uint8_t charaKind) { return static_cast<std::uint8_t>(charaKind - kItemKindOffset); }
constexpr std::uint8_t kCharaSet = kCharaCommandSet;
constexpr std::uint8_t kItemSet = kItemCommandSet;

cEdCommand Command(std::uint8_t set, std::uint8_t kind, int tenths) {
  cEdCommand command;
  command.nSet = set;
  command.nKind = kind;
  command.nTime = static_cast<std::int16_t>(tenths);
  return command;
}

cEdCommand MoveCommand(std::uint8_t kind, int direction, int speed, int tenths) {
  cEdCommand command = Command(kCharaSet, kind, tenths);
  auto move = boost::make_shared<cEdMove>();
  move->nSpecMode = 0;
  move->nDirection = static_cast<std::uint8_t>(direction);
  move->nTimingMode = 0;
  move->nSpeed = static_cast<std::int16_t>(speed);
  command.pMove = move;
  return command;
}

// "ステータスの操作": a status of the system or of the taker, changed by a constant.
enum StatusOwner : int { kSelf = 0, kSystem = 2 };
enum : int { kStatusHp = 1, kSystemScore = 3, kSystemLives = 4 };

cEdCommand AddToStatus(int owner, int status, int amount) {
  cEdCommand command = Command(kItemSet, ItemKind(kCmdStatusOp), 0);
  command.params.assign(18, 0);
  command.params[0] = 0;  // a status, not a variable
  command.params[3] = owner;
  command.params[4] = status;
  command.params[5] = 1;  // add
  command.params[6] = 0;  // a constant
  command.params[7] = amount;
  command.params[16] = status == kStatusHp ? 1 : 0;  // show the HP gauge
  return command;
}

}  // namespace

cEdKeyCondition Held(std::initializer_list<int> slots) {
  cEdKeyCondition condition;
  condition.bAnyHold = 1;
  condition.nKeyRule = 1;  // at least one of them
  for (int slot : slots) condition.keyStates[slot] = 1;
  return condition;
}

cEdCommand Wait(int tenths) { return Command(kCharaSet, kCmdWait, tenths); }

cEdCommand Move(int direction, int speed, int tenths) { return MoveCommand(kCmdMoveStraight, direction, speed, tenths); }

cEdCommand WalkTurning(int speed, int tenths) { return MoveCommand(kCmdMoveTurnBack, kForward, speed, tenths); }

cEdCommand Jump(int halfBlocks, bool byKey, int sound, int anime) {
  cEdCommand command = Command(kCharaSet, kCmdJump, 0);
  command.params = {byKey ? 1 : 0, 0, halfBlocks, 0, 0};
  command.nSound = static_cast<std::int16_t>(sound);
  command.nAnime = static_cast<std::int16_t>(anime);
  return command;
}

cEdCommand Shoot(const cEdShot& shot, int tenths, int sound, int anime) {
  cEdCommand command = Command(kCharaSet, kCmdShot, tenths);
  command.pShot = boost::make_shared<cEdShot>(shot);
  command.nSound = static_cast<std::int16_t>(sound);
  command.nAnime = static_cast<std::int16_t>(anime);
  return command;
}

cEdCommand Circle(int radiusHalfBlocks, int tenths) {
  cEdCommand command = MoveCommand(kCmdMoveCircle, 0, 0, tenths);
  command.pMove->nRadius = static_cast<std::int16_t>(radiusHalfBlocks);
  command.pMove->nAngle = 0;       // from
  command.pMove->nDistance = 360;  // to
  return command;
}

cEdCommand Home(int speed, int slowness, int tenths) {
  cEdCommand command = MoveCommand(kCmdMoveHoming, 0, speed, tenths);
  command.pMove->nRadius = static_cast<std::int16_t>(slowness);
  command.pMove->bAxisX = command.pMove->bAxisY = 1;
  return command;
}

cEdCommand TargetHero() {
  cEdCommand command = Command(kCharaSet, kCmdSetTarget, 0);
  command.bNoWait = 1;
  command.params.assign(15, 0);  // the hero; nothing found would leave no target
  return command;
}

namespace {

// The message command's parameters for a timed window in the middle of the screen.
void CentredTimedText(cEdCommand& command, const char* text, int tenths) {
  command.strText = text;
  command.params.assign(18, 0);
  command.params[0] = 0;   // the screen's centre
  command.params[5] = 1;   // kept inside the screen
  command.params[6] = 2;   // for a time
  command.params[7] = tenths;
  command.params[9] = 1;   // "#" escapes expanded
  command.params[10] = 1;  // fixed on the screen
  command.params[14] = 1;  // in a framed window
}

}  // namespace

cEdCommand SayOnScreen(const char* text, int tenths) {
  cEdCommand command = Command(kCharaSet, kCmdMessage, 0);
  command.bNoWait = 1;
  CentredTimedText(command, text, tenths);
  return command;
}

cEdCommand FlashScreen(int red, int green, int blue, int percent, int tenths) {
  cEdCommand command = Command(kCharaSet, kCmdScreenColour, 0);
  command.bNoWait = 1;
  command.params = {red, green, blue, percent, 0, tenths, 1, 1};  // blinking once
  return command;
}

cEdCommand PlaySound(int sound) {
  cEdCommand command = Command(kCharaSet, kCmdPlaySound, 0);
  command.bNoWait = 1;
  command.params = {sound};
  return command;
}

cEdCommand RunCode(const char* text) {
  cEdCommand command = Command(kCharaSet, kCmdRunCode, 0);
  command.strText = text;
  command.bNoWait = 1;
  return command;
}

cEdCommand FaceTarget() {
  cEdCommand command = Command(kCharaSet, kCmdTurn, 0);
  command.params = {2};
  return command;
}

cEdCommand ShowPicture(int picture, int tenths) {
  cEdCommand command = Command(kCharaSet, kCmdShowPicture, 0);
  command.bNoWait = 1;
  command.params.assign(15, 0);
  command.params[0] = picture;
  command.params[1] = 0;    // the middle of the screen
  command.params[5] = -96;  // a little above the middle
  command.params[6] = 1;    // in front of the play field
  command.params[7] = 100;  // at its own size
  command.params[8] = 2;    // for a time
  command.params[9] = tenths;
  return command;
}

cEdCommand Swing(int swordType, int power, int hitEffect) {
  cEdCommand command = Command(kCharaSet, kCmdSword, 0);
  auto sword = boost::make_shared<cEdShot>();
  sword->nCount = 1;
  sword->nTrajectory = static_cast<std::uint8_t>(swordType);  // a sword's trajectory names its type
  sword->nScale = 1;
  sword->bTakeGroup = 1;
  sword->nPower = power;
  sword->nImpact = 3;
  sword->nEffect = static_cast<std::int16_t>(hitEffect);
  command.pShot = sword;
  return command;
}

cEdCommand RunCharaEffect(int charaEffect) {
  cEdCommand command = Command(kCharaSet, kCmdRunCharaEffect, 0);
  command.params = {charaEffect, 0, 0};
  return command;
}

cEdCommand SummonItemRing(int item, int count, int radiusHalfBlocks) {
  cEdCommand command = Command(kCharaSet, kCmdSummonItem, 0);
  auto summon = boost::make_shared<cEdShot>();
  summon->nCount = static_cast<std::uint8_t>(count);
  summon->nFormation = 5;   // round a character
  summon->nFormTarget = 2;  // the summoner itself
  summon->nFormParam[0] = static_cast<std::int16_t>(radiusHalfBlocks);
  summon->nScale = 1;
  summon->nSummonPalette = 0;  // the common palette (1 is the stage's)
  summon->nSummonIndex = static_cast<std::int16_t>(item);
  command.pShot = summon;
  return command;
}

cEdShot Erasable(cEdShot shot, int level) {
  shot.bErasable = 1;
  shot.nEraseLevel = static_cast<std::uint8_t>(level);
  return shot;
}

cEdShot Spread(cEdShot shot, int count, int degrees) {
  shot.nCount = static_cast<std::uint8_t>(count);
  shot.nFormation = 2;
  shot.nFormParam[0] = static_cast<std::int16_t>(degrees);
  return shot;
}

cEdShot Homing(cEdShot shot) {
  shot.nTrajectory = 4;
  shot.nTrajParam[1] = 999;  // keeps turning for as long as it flies
  return shot;
}

cEdShot ShotOf(int picture, int speed, int rangeHalfBlocks, int power, bool aim, int hitEffect) {
  cEdShot shot;
  shot.nCount = 1;
  shot.nFormation = 0;
  shot.nDirection = kForward;
  shot.bAim = aim ? 1 : 0;
  shot.nPicture = static_cast<std::int16_t>(picture);
  shot.nSpeed = static_cast<std::int16_t>(speed);
  shot.bRangeLimited = 1;
  shot.nRange = static_cast<std::int16_t>(rangeHalfBlocks);
  shot.nPower = power;
  shot.nImpact = 2;
  shot.nEffect = static_cast<std::int16_t>(hitEffect);
  return shot;
}

cEdCommand AddScore(int points) { return AddToStatus(kSystem, kSystemScore, points); }
cEdCommand AddHp(int amount) { return AddToStatus(kSelf, kStatusHp, amount); }
cEdCommand AddLife() { return AddToStatus(kSystem, kSystemLives, 1); }

cEdCommand ClearStage() {
  cEdCommand command = Command(kItemSet, ItemKind(kCmdStageClear), 0);
  command.params.assign(9, 0);  // on to the next part, else back to the map
  return command;
}

cEdCommand AddToStageVariable(int variable, int amount) {
  cEdCommand command = Command(kItemSet, ItemKind(kCmdStatusOp), 0);
  command.params.assign(18, 0);
  command.params[0] = 1;  // a variable
  command.params[1] = 1;  // of the stage
  command.params[2] = variable;
  command.params[5] = 1;  // add
  command.params[6] = 0;  // a constant
  command.params[7] = amount;
  return command;
}

cEdCommand ShowEffect(int effect) {
  cEdCommand command = Command(kItemSet, ItemKind(kCmdRunEffect), 0);
  command.params.assign(8, 0);
  command.params[0] = effect;
  command.params[1] = 1;    // on the character that runs it: the taker
  command.params[6] = 100;  // at its own size
  return command;
}

cEdCommand WarpToCell(int column, int row) {
  cEdCommand command = Command(kItemSet, ItemKind(kCmdWarp), 0);
  auto move = boost::make_shared<cEdMove>();
  move->nSpecMode = 2;   // to coordinates
  move->nCoordMode = 1;  // stage cells
  move->nTargetX = static_cast<std::int16_t>(column);
  move->nTargetY = static_cast<std::int16_t>(row);
  command.pMove = move;
  return command;
}

cEdCommand SetTakerFlag(int status, int value) {
  cEdCommand command = Command(kItemSet, ItemKind(kCmdStatusOp2), 0);
  command.params = {0, status, value};
  return command;
}

cEdCommand BlinkTaker(int charaEffect) {
  cEdCommand command = Command(kItemSet, ItemKind(kCmdRunCharaEffect), 0);
  command.params = {charaEffect, 0, 0};
  return command;
}

cEdCommand VanishShotsOnScreen(int group) {
  cEdCommand command = Command(kItemSet, ItemKind(kCmdVanish), 0);
  command.params = {1, group, 0};
  return command;
}

cEdCommand GiveFlow(const cEdFlow& flow) {
  cEdCommand command = Command(kItemSet, 1, 0);  // the item's flow change
  command.params = {0, 0};                       // installed beside the taker's own flows
  command.flows.push_back(flow);
  return command;
}

cEdCommand ItemSayOnScreen(const char* text, int tenths) {
  cEdCommand command = Command(kItemSet, ItemKind(kCmdMessage), 0);
  CentredTimedText(command, text, tenths);
  return command;
}

cEdCommand ShowMessage(const char* text, int tenths, int refreshFrames) {
  cEdCommand command = Command(kItemSet, ItemKind(kCmdMessage), 0);
  command.strText = text;
  command.params.assign(18, 0);
  command.params[0] = 4;   // above the hero
  command.params[5] = 1;   // kept inside the screen
  command.params[6] = 2;   // for a time
  command.params[7] = tenths;
  command.params[9] = 1;   // "#" escapes expanded
  command.params[11] = 1;  // and refreshed
  command.params[14] = 1;  // in a framed window
  command.params[16] = refreshFrames;
  return command;
}

cEdCommand ArrangeFromVariable(int kind, int parameter, int variable) {
  cEdCommand command = Command(kCharaSet, kCmdArrange, 0);
  command.params = {kind, parameter, 0, 2, variable};  // "=", a character variable
  return command;
}

cEdCommand SummonCharaBeside(int chara) {
  cEdCommand command = Command(kCharaSet, kCmdSummonChara, 0);
  auto summon = boost::make_shared<cEdShot>();
  summon->nCount = 1;
  summon->nScale = 1;
  summon->nSummonPalette = 0;  // the common palette
  summon->nSummonIndex = static_cast<std::int16_t>(chara);
  command.pShot = summon;
  return command;
}

cEdCommand GiveItem(int item) {
  cEdCommand command = Command(kCharaSet, kCmdTakeItem, 0);
  command.params = {0, item};  // the common palette
  return command;
}

cEdCommand HaltFlowsOfId(int flowId) {
  cEdCommand command = Command(kCharaSet, kCmdFlowOperation, 0);
  command.params = {5, 2, flowId};  // halt, by ID
  return command;
}

cEdCommand OperateThisFlow(int operation) {
  cEdCommand command = Command(kCharaSet, kCmdFlowOperation, 0);
  command.params = {operation, 0, 0};
  return command;
}

cEdCommand SetOwnFlag(int status, int value) {
  cEdCommand command = Command(kCharaSet, kCmdStatusOp2, 0);
  command.bNoWait = 1;
  command.params = {0, status, value};
  return command;
}

cEdCondition HeroWithin(int halfBlocks) {
  cEdCondition condition;
  condition.nKind = kCondDistance;
  condition.nLeftTarget = 0;  // the hero
  condition.nValue = halfBlocks;
  condition.nShape = 0;  // "横": across, on either side
  condition.nOp = 0;     // inside
  return condition;
}

cEdCondition HpAtMost(int hp) {
  cEdCondition condition;
  condition.nKind = kCondStatus;
  condition.nLeftSource = 0;  // a status
  condition.nLeftTarget = 0;  // of the character itself
  condition.nLeftStatus = 1;  // HP
  condition.nOp = 3;          // at most
  condition.nRightSource = 0;
  condition.nValue = hp;
  return condition;
}

cEdCondition OwnVariableAtLeast(int variable, int value) {
  cEdCondition condition;
  condition.nKind = kCondStatus;
  condition.nLeftSource = 0;
  condition.nLeftTarget = 0;  // the character itself
  condition.nLeftStatus = 0;  // a variable
  condition.nVarIndex = static_cast<std::int16_t>(variable);
  condition.nOp = 2;  // at least
  condition.nRightSource = 0;
  condition.nValue = value;
  return condition;
}

cEdFlow Flow(int trigger, std::initializer_list<cEdKeyCondition> keys, std::initializer_list<cEdCommand> commands,
             bool continuous) {
  cEdFlow flow;
  flow.nTrigger = static_cast<std::uint8_t>(trigger);
  flow.bKeyContinuous = continuous ? 1 : 0;
  for (const cEdKeyCondition& key : keys) flow.keyConditions.push_back(key);
  for (const cEdCommand& command : commands) flow.commands.push_back(command);
  return flow;
}

cEdFlow Guarded(cEdFlow flow, std::initializer_list<cEdCondition> conditions, int switchId, int keyGap) {
  for (const cEdCondition& condition : conditions) flow.conditions.push_back(condition);
  flow.nSwitch = static_cast<std::uint8_t>(switchId);
  flow.nKeyGap = static_cast<std::uint8_t>(keyGap);
  return flow;
}

}  // namespace sample::flows
