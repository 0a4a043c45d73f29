#pragma once

class cFlowActor;

// Trigger kinds the game world fires on characters.
enum FlowTrigger : int {
  kTriggerAlways = 0,
  kTriggerDamaged = 1,
  kTriggerImpact = 2,
  kTriggerDied = 3,
  kTriggerTouchedChara = 4,
  kTriggerTouchedBlockChara = 5,
  kTriggerRidingBlockChara = 6,
  kTriggerHitByShot = 7,
  kTriggerTouchedItem = 8,
  kTriggerBlock = 9,
  kTriggerBlockSide = 10,
  kTriggerBlockLeft = 11,
  kTriggerBlockRight = 12,
  kTriggerBlockUpDown = 13,
  kTriggerBlockAbove = 14,
  kTriggerBlockBelow = 15,
  kTriggerRiddenByHero = 16,
  kTriggerRidden = 17,
  kTriggerStageStart = 18,
  kTriggerByOperation = 19,
};

// An event of `kind` happened to the character: its idle flows of that trigger whose switch,
// per-frame limit, start conditions and key conditions allow it start.
void FireTrigger(cFlowActor& chara, int kind);
