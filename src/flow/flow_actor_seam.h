#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "flow/flow_state_seam.h"

class cAnimePlayer;
class cEdCommand;
class cEdFlow;
class cEdShot;

// A status field as the status tables name it: where it lies, how wide it is (8, 16 or 32
// bits, signed), so that the tables are data.
struct FieldRef {
  void* address = nullptr;
  int width = 32;
};

// A character's picture on screen: its box in screen dots.
struct FlowScreenRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  std::int32_t width = 0, height = 0;
};

// A warp as the game world carries it out: the mode (0 by direction and distance, 1 the same
// from the target, 2 to coordinates), the direction code resolved for whoever it is measured
// from, the straight and the diagonal distance, and the coordinates of mode 2.
struct FlowWarp {
  int mode = 0;
  int dirCode = 0;
  double straight = 0, diagonal = 0;
  int coordMode = 0;
  std::int32_t dx = 0, dy = 0;  // mode 2: blocks x 32 + dots, mirrored by facing
  std::int32_t cellX = 0, cellY = 0, dotsX = 0, dotsY = 0;
};

// Character status indices of the status operations and conditions.
enum CharaStatus : int {
  kStatusVar = 0,
  kStatusHp = 1,
  kStatusSp = 2,
  kStatusMaxHp = 3,
  kStatusMaxSp = 4,
  kStatusCharaId = 5,
  kStatusZ = 6,
  kStatusMark = 7,
  kStatusSight = 8,
  kStatusPower = 9,
  kStatusImpact = 10,
  kStatusDefence = 11,
  kStatusImpactResist = 12,
  kStatusStopEase = 13,
  kStatusScoreValue = 14,
};

// What the flow engine needs of a character that runs flows. The game world's characters are
// actors; the engine's tests use fakes.
class cFlowActor {
 public:
  virtual ~cFlowActor() = default;

  virtual cFlowSet& FlowState() = 0;
  // The character's own copy of its flow definitions, parallel to FlowState().Flows.
  virtual cVector<cEdFlow>& FlowDefs() = 0;

  // Physics sub-steps per frame of the stage the character is on.
  virtual int SubSteps() const = 0;
  // The clone value per-clone increments are multiplied by.
  virtual int Clone() const = 0;
  // The facing byte of its definition: 0 left, 1 right.
  virtual int PlacedFacing() const = 0;
  // Where it faces now: 0 left, 1 right.
  virtual int Facing() const = 0;
  // The input state its flows read the first pressed direction from: its player's when it is
  // player-operated, else the hero's (element 0 of PlayerInputs).
  virtual int InputIndex() const = 0;
  virtual bool IsHero() const = 0;
  // A stage character whose vanish flag a command has raised.
  virtual bool Vanished() const = 0;
  virtual std::int64_t Hp() const = 0;

  virtual double JumpSpeed(int halfBlocks) const = 0;
  // Tenths of a second to the top of a jump.
  virtual int JumpApexTime(int halfBlocks) const = 0;

  // Its running animations: those entered under a flow's key, all of them, and a flow's
  // lead-in started now (with its hold frame stretched when asked).
  virtual void RemoveAnimes(int key) = 0;
  virtual void PauseAnimes(int key) = 0;
  virtual void ResumeAnimes(int key) = 0;
  virtual void ClearAnimes() = 0;
  virtual void StartLeadIn(const FlowLeadIn& leadIn, int key) = 0;
  // Its own motions: the animation-set number its definition holds, and their player.
  virtual int AnimeSet() const = 0;
  virtual void StoreAnimeSet(int set) = 0;
  virtual cAnimePlayer& MotionPlayer() = 0;

  // Status `index` of the table above (for kStatusVar its variable `variable`); no address for
  // an index outside it.
  virtual FieldRef StatusField(int index, int variable) = 0;
  // After a status was read or changed: the ease of stopping sets the deceleration, the sight
  // the light radius and the darkness.
  virtual void StatusChanged(int index) = 0;
  virtual cFlowActor* Target() = 0;
  virtual bool IsPlayerOperated() const = 0;
  virtual bool IsInvincible() const = 0;
  virtual void ChangeHp(std::int64_t delta, bool forced, int gauge) = 0;
  virtual void ChangeSp(std::int64_t delta, int gauge) = 0;
  // The gauge animations of a change made to HP or SP by code.
  virtual void StartHpGauge(std::int64_t change) = 0;
  virtual void StartSpGauge(std::int64_t change) = 0;

  // What the flag, state and distance conditions read. StatusFlag: the running definition's
  // flag of a "ステータスの操作2" selector (1 transparent, 2 fixed facing, 3 flight,
  // 4 invincible, 5 giant, 6 auto-scroll sync), 0 for any other.
  virtual std::int32_t StatusFlag(int selector) const = 0;
  virtual bool Flying() const = 0;
  virtual bool Riding() const = 0;
  virtual bool InJump() const = 0;
  virtual bool Falling() const = 0;
  // On screen for a player-operated character, else its active flag.
  virtual bool InsideScreen() const = 0;
  virtual void RefreshScreenRect() = 0;
  // Whether the subject's box meets the one-axis range [back, front] round this character's
  // screen box (the world's range test; whole span or centre mode).
  virtual bool SubjectInRange(cFlowActor& subject, bool vertical, int back, int front, bool wholeSpan) = 0;
  // The centre of its collision box, in stage dots.
  virtual void BoxCentre(double& x, double& y) const = 0;

  // A flow's start conditions (the play scene evaluates the list by its rule and latches it).
  virtual bool CheckFlowConditions(cFlow& flow, const cEdFlow& def) = 0;

  // The hero's list of arrange entries filed by item commands; none for other characters.
  virtual cVector<cVector<std::int32_t>>* ItemArranges() { return nullptr; }
  // The hero's item flow changes deferred while its own flows ran.
  virtual void RunDeferredFlowChanges() {}

  // What the movement commands move: velocities in dots per sub-step, axis 0 horizontal and
  // 1 vertical. Speed is what it moves by in this sub-step, inertia what it keeps moving by.
  virtual double& Speed(int axis) = 0;
  virtual double& Inertia(int axis) = 0;
  virtual double& KnockBack(int axis) = 0;
  // Whether the inertial velocity of an axis eases off by itself in this frame.
  virtual void SetTurning(int axis, bool on) = 0;
  virtual void ClearStepMoves() = 0;
  // Stops falling and walking for the rest of the frame.
  virtual void HoldStill() = 0;
  // Marks it as moving and shows its walking (or flying) motion.
  virtual void ShowMoving() = 0;
  // 0 left, 1 right.
  virtual void Turn(int facing) = 0;
  // Set by the block collision when it ran into a wall; the side stays after the flag clears.
  virtual bool WallHit() const = 0;
  virtual void ClearWallHit() = 0;
  virtual int LastBlockSide() const = 0;
  // How far the character it rides moved since it landed there; false when it rides none
  // that is still on the stage.
  virtual bool RiddenShift(double& shift) = 0;
  // Whether the cells just below the left and the right end of its feet are solid to it.
  virtual void SolidUnderFeet(bool& left, bool& right) = 0;
  virtual FlowScreenRect ScreenRect() = 0;
  // Where it was placed on the stage.
  virtual void PlacedPosition(double& px, double& py) const = 0;
  // Inside the region where the stage runs its characters (always for a player's).
  virtual bool Active() const = 0;
  // Its picture on screen.
  virtual bool OnScreen() const = 0;

  // The game world's aiming for the movement commands. AimPoint: where a command aiming at
  // this character heads for (its centre and the command's offsets). Approach: velocities
  // toward (x, y) into the command's dVX, dVY and nFacing; axes 1 x only, 2 y only, 3 both.
  virtual void AimPoint(const cFlowCmd& command, double& px, double& py) = 0;
  virtual void Approach(cFlowCmd& command, int axes, bool stopOnArrival, double px, double py) = 0;
  // The horizontal velocity that takes it toward x.
  virtual double ApproachVX(const cFlowCmd& command, double px) = 0;
  // One step of the circle motion's velocity on an axis, advancing the phase.
  virtual double WaveStep(double amplitude, double& phase, double phaseStep, double startAngle) = 0;

  // "消滅": a stage character's vanish flag is raised; the player's character loses its HP.
  virtual void Disappear() = 0;
  // The flags "ステータスの操作2" sets, by its status number: 1 transparent, 2 fixed facing,
  // 3 flight (the player's character only), 4 invincible, 5 giant scale, 6 auto-scroll sync.
  virtual void SetStatusFlag(int status, std::int32_t value) = 0;
  virtual void ChangeGraphic(int kind, int picture, int offset) = 0;
  // Animation `anime` of the database at the front of its running animations, under `key`.
  virtual void StartAnime(int anime, int key) = 0;
  virtual void StartCharaEffect(int effect, int mode, int repeat) = 0;

  // Moves it at once; undone when it would leave the stage area or end in a wall.
  virtual void Warp(const FlowWarp& warp) = 0;
  // Its target becomes `target` (none for null), and the targets' lists of who aims at them
  // follow.
  virtual void Retarget(cFlowActor* target) = 0;

  // The actions the jump, shot and sword commands start.
  virtual void StepJump(cFlowCmd& command, const cEdCommand& def) = 0;
  // firstKey: the direction its flow started with, for shots aimed by the key.
  virtual void Fire(const cEdShot& record, int firstKey) = 0;
  // Blocks (kind 13), characters (14) or items (15) of the record's palette entry, laid out by
  // its formation round the character.
  virtual void Summon(int kind, const cEdShot& record, int firstKey) = 0;
  // A sword of the record's type, sized by its first part.
  virtual void MakeSword(const cEdShot& record, std::int32_t width, std::int32_t height) = 0;
};
