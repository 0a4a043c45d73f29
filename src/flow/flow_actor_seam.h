#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "flow/flow_state_seam.h"

class cEdFlow;

// A status field as the status tables name it: where it lies, how wide it is (8, 16 or 32
// bits, signed), so that the tables are data.
struct FieldRef {
  void* address = nullptr;
  int width = 32;
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
  virtual void ClearAnimes() = 0;
  virtual void StartLeadIn(const FlowLeadIn& leadIn, int key) = 0;

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

  // The hero's item flow changes deferred while its own flows ran.
  virtual void RunDeferredFlowChanges() {}
};
