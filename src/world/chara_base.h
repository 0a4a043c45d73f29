#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "data/ed_chara.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_state_seam.h"
#include "world/anime_entry.h"
#include "world/effect_tables.h"
#include "world/game_obj.h"
#include "world/hit_box.h"
#include "world/motion_helpers.h"

class cItemObj;
class cShotObj;

// What a jump command hands the character's jump step.
struct JumpCommandState {
  std::int32_t nKind = 0;        // 0 fixed height, 1 while the key is held, 2 by running speed
  std::int32_t nParam[5] = {};   // p0 the kind, p1-p4 the speed-height pairs of kind 2
  std::int32_t nApexSteps = 0;   // N: sub-steps to the top of the jump
  std::int32_t bStarted = 0;
  std::int32_t nRunCount = 0;  // sub-steps the command has run
  std::int32_t nFramesLeft = 1;
  double dJumpSpeed = 0;
  std::int32_t nSound = 0;
};

// What the hero and the stage characters share over cGameObj: the live definition, flows,
// HP and SP, knock-back and jump state, contacts, riding, targets, variables and boxes.
// References to other objects are object numbers, resolved when used; cells are indices into
// the block map (-1 none).
class cCharaBase : public cGameObj, public cFlowActor {
 public:
  cCharaBase() = default;
  cCharaBase(const cCharaBase&) = default;
  cCharaBase& operator=(const cCharaBase&) = default;

  void KeepFootOnScale(int newScale, int oldScale) override;
  void SetCenter(int cx, int cy) override;
  void SnapToTarget(int cx, int cy, MoveCommandState& command) override;
  void SetCenterX(int cx) override;
  void SnapToTargetX(int cx, MoveCommandState& command) override;
  void SetCenterY(int cy) override;
  void SnapToTargetY(int cy, MoveCommandState& command) override;
  virtual void CopyChara(const cCharaBase& other) { cCharaBase::operator=(other); }
  virtual cItemObj* GetHeldItem() { return nullptr; }
  virtual int OnMovedX() { return 0; }
  virtual int OnMovedY() { return 0; }
  virtual int StepX() { return 0; }
  virtual int StepY() { return 0; }
  virtual int Act(int /*dyingOnly*/) { return 0; }
  virtual void JumpStep(JumpCommandState& /*command*/) {}
  // The flow engine's frame step calls this at its step 4: the hero runs the flow changes
  // its items queued while its own flows were being stepped.
  virtual void ApplyQueuedFlowChanges() {}

  // What the flow engine sees of the character (chara_flow_actor.cpp).
  cFlowSet& FlowState() override { return Flows; }
  cVector<cEdFlow>& FlowDefs() override;
  int SubSteps() const override;
  int Clone() const override { return 0; }  // no copy of a multiple placement counts yet
  int PlacedFacing() const override;
  int Facing() const override { return nFacing; }
  int InputIndex() const override { return 0; }
  bool IsHero() const override { return bHeroFlag != 0; }
  bool Vanished() const override { return bKillRequest != 0; }
  std::int64_t Hp() const override { return nHp; }
  void ClearAnimes() override { Animes.clear(); }
  void StartLeadIn(const FlowLeadIn& leadIn, int key) override;
  int AnimeSet() const override { return Def.nAnimeSet; }
  void StoreAnimeSet(int set) override { Def.nAnimeSet = static_cast<std::uint16_t>(set); }
  cAnimePlayer& MotionPlayer() override { return Anime; }
  FieldRef StatusField(int index, int variable) override;
  void StatusChanged(int index) override;
  cFlowActor* Target() override;
  void ChangeHp(std::int64_t delta, bool forced, int gauge) override { AddHp(delta, forced ? 1 : 0, gauge); }
  void ChangeSp(std::int64_t delta, int gauge) override { AddSp(delta, gauge); }
  void StartHpGauge(std::int64_t change) override;
  void StartSpGauge(std::int64_t change) override;
  bool CheckFlowConditions(cFlow& flow, const cEdFlow& def) override;
  std::int32_t StatusFlag(int selector) const override;
  bool Flying() const override { return Flies(); }
  bool Riding() const override { return bRiding != 0; }
  bool InJump() const override { return bInJump != 0; }
  bool Falling() const override { return bFalling != 0; }
  bool InsideScreen() const override { return IsOnScreen(); }
  void RefreshScreenRect() override { UpdateScreenRect(); }
  bool SubjectInRange(cFlowActor& subject, bool vertical, int back, int front, bool wholeSpan) override;
  void BoxCentre(double& cx, double& cy) const override;
  void RunDeferredFlowChanges() override { ApplyQueuedFlowChanges(); }
  // What the movement, jump, shot and sword commands move and start (chara_flow_motion.cpp).
  double& Speed(int axis) override { return axis == 0 ? vx : vy; }
  double& Inertia(int axis) override { return axis == 0 ? ax : ay; }
  double& KnockBack(int axis) override { return axis == 0 ? dImpX : dImpY; }
  void SetTurning(int axis, bool on) override { (axis == 0 ? bDecelAx : bDecelAy) = on ? 1 : 0; }
  void ClearStepMoves() override { nMoveBook[0] = nMoveBook[1] = 0; }
  void HoldStill() override { bHeldStill = 1; }
  void ShowMoving() override;
  void Turn(int facing) override { nFacing = facing; }
  bool WallHit() const override { return bWallHit != 0; }
  void ClearWallHit() override { bWallHit = 0; }
  int LastBlockSide() const override { return nWallSide; }
  bool RiddenShift(double& shift) override;
  void SolidUnderFeet(bool& leftSolid, bool& rightSolid) override;
  FlowScreenRect ScreenRect() override;
  void PlacedPosition(double& px, double& py) const override {
    px = dStartX;
    py = dStartY;
  }
  bool Active() const override { return true; }
  bool OnScreen() const override { return IsOnScreen(); }
  void AimPoint(const cFlowCmd& command, double& px, double& py) override;
  void Approach(cFlowCmd& command, int axes, bool stopOnArrival, double px, double py) override;
  double ApproachVX(const cFlowCmd& command, double px) override;
  double WaveStep(double amplitude, double& phase, double phaseStep, double startAngle) override;
  void StepJump(cFlowCmd& command, const cEdCommand& def) override;
  void Fire(const cEdShot& record, int firstKey) override;
  void Summon(int kind, const cEdShot& record, int firstKey) override;
  // What the one-call commands change (chara_flow_commands.cpp).
  void Disappear() override;
  void SetStatusFlag(int status, std::int32_t value) override;
  void ChangeGraphic(int kind, int picture, int offset) override;
  void StartAnime(int anime, int key) override;
  void StartCharaEffect(int effect, int mode, int repeat) override;
  // The warp and the target command (chara_warp.cpp).
  void Warp(const FlowWarp& warp) override;
  void Retarget(cFlowActor* target) override;
  // The hero's flight mode and hit boxes follow its definition; a stage character's need not.
  virtual void ChangeFlight(int /*mode*/) {}
  virtual void RebuildHitBoxes() {}
  void MakeSword(const cEdShot& record, std::int32_t width, std::int32_t height) override;

  void ResetForStage(const cEdChara* def, double startX, double startY, int groupIndex);
  void SetBodyBoxCentered(bool bottomAligned, int w, int h);
  int Scale() const { return Def.nGiant; }
  bool IsPlayerOperated() const override { return nOperator == 0; }
  bool Flies() const { return bNoGravity != 0; }
  WorldBox Box() const { return WorldBox{x, y, right, bottom}; }
  WorldBox BodyBox() const { return WorldBox{Body.left, Body.top, Body.right, Body.bottom}; }
  WorldBox AttackBox() const { return WorldBox{Attack.left, Attack.top, Attack.right, Attack.bottom}; }
  void FireTrigger(int trigger);

  // Motion helpers.
  double JumpSpeed(int halfBlocks) const override;
  double JumpSpeedFromDots(double dots) const;
  int JumpApexTime(int halfBlocks) const override;
  void SetCell(int column, int row);
  void SetCellX(int column);
  void SetCellY(int row);
  void ClearContacts() { bContactL = bContactR = bContactU = bContactD = 0; }
  void ApplyGravity();
  void SavePosition();
  void RestorePosition();
  void Land();
  void HitCeiling();
  void LeaveRide(int noteLanding);
  bool StandsOnSomething() const;
  int AddHp(std::int64_t amount, int force, int gauge);
  int AddSp(std::int64_t amount, int gauge);
  void ApplyImpact(int strength, double dx, double dy);
  void ImpactFromChara(const cCharaBase& attacker);
  void ImpactFromShot(const cShotObj& shot);
  void ApplyImpactY();
  void DecayImpactX();
  void DecayImpactY();

  // Damage and death.
  void StartInvincibility();
  bool IsInvincible() const override { return nInvincible > 0; }
  void RememberAttacker(const cCharaBase& attacker);
  bool WasHitBy(const cCharaBase& attacker) const;
  void TickHitState();
  int TakeBodyHit(const cCharaBase& attacker);
  int TakeShotHit(const cShotObj& shot);
  int OnDefeated();
  void RemoveAnimes(int key) override;
  void PauseAnimes(int key) override;
  void ResumeAnimes(int key) override;
  int CurrentAnimeValue(bool doNotStep);
  int PoseBase(int* tint);

  std::int32_t nTarget = -1;
  cVector<std::int32_t> TargetedBy;
  cVector<std::int32_t> HomingShots;
  cEdChara Def;
  cFlowSet Flows;
  double dStartX = 0, dStartY = 0;
  std::int32_t bAnimeChosen = 0;
  double dImpX = 0, dImpY = 0;
  std::int32_t bKnockBack = 0;
  double dPrevImpY = 0;
  std::int32_t bHeldStill = 0;
  std::int32_t nWallSide = -1;  // the side of the last wall it ran into: 0 left, 1 right
  std::int32_t bWallHit = 0;    // ran into a wall since the turn-back movement last looked
  std::int32_t bFalling = 1;
  std::int32_t bAscending = 0, bInJump = 0;
  std::int32_t bJumpLock = 0;
  std::int32_t nNoGround = 0;
  std::int32_t nFootCell = -1, nLandCell = -1, nPrevLandCell = -1;
  std::int32_t nSqueezeGrace = 0;
  std::int32_t nMoveBook[4] = {};
  std::int32_t bDead = 0;
  std::int32_t bContactL = 0, bContactR = 0, bContactU = 0, bContactD = 0;
  std::int32_t bLandedOnBlock = 0;
  std::int32_t bRiding = 0;
  std::int32_t nRidden = -1;
  WorldBox RiddenBox;
  WorldBox Saved;
  std::int32_t nHp = 0;
  GaugeAnim HpGauge;
  std::int32_t nSp = 0;
  GaugeAnim SpGauge;
  cVector<std::int32_t> Vars = cVector<std::int32_t>(9, 0);
  cList<AttackerMemo> Attackers;
  cList<AnimeEntry> Animes;
  cCharaEffectRun Effect;
  std::int32_t bHeroFlag = 0;
  std::int32_t nSightDots = 0;
  std::int32_t nStepValue = 0;
  HitBox Body, Attack;
  // Run-time fields of no stored table.
  std::int32_t bKillRequest = 0;  // the vanish flag: removed at the next check
  std::int32_t nInvincible = 0;   // sub-steps
  std::int32_t nDeathDisplay = 0;
  std::int32_t nHide = 0;
  std::int32_t bPinX = 0, bPinY = 0;
  std::int32_t nPinLeft = 0, nPinTop = 0;
  std::int32_t bCondLatch = 0;
  std::int32_t nScrollSync = 0;
};
