#pragma once

#include <cstdint>

#include "core/checked_sequence.h"

class cCharaBase;
class cEdCommand;
class cEdCondition;
class cPlayer;

// Every call the game world makes into the flow engine. The world and the flow engine are
// built side by side; the flow engine registers its implementation, and until it does the
// default runs no flow: no trigger fires, nothing is installed and status conditions fail.
class cFlowLink {
 public:
  virtual ~cFlowLink() = default;
  virtual void FireTrigger(cCharaBase& /*chara*/, int /*trigger*/) {}
  // The definition's flows appended to the character's running flows.
  virtual void InstallFlows(cCharaBase& /*chara*/) {}
  virtual void SetAnimeSet(cCharaBase& /*chara*/, int /*set*/, int /*force*/) {}
  // Condition kinds 4 to 7 (status and distance conditions) against a character.
  virtual bool CheckFlowCondition(const cEdCondition& /*condition*/, cCharaBase* /*chara*/) { return false; }
  // One step of the character's running flows, from the per-step preparation up to the
  // clearing of stopped switches; 1 when the step ended early (kill request or no HP left).
  virtual int RunFlowFrameStep(cCharaBase& /*chara*/, int /*dyingOnly*/) { return 0; }
  // The per-frame flags of the character's flows, cleared before a frame's sub-steps.
  virtual void ResetFlowFrameFlags(cCharaBase& /*chara*/) {}
  // The loop commands of a command list replaced by their repeated bodies.
  virtual void UnrollLoops(cVector<cEdCommand>& /*commands*/) {}
  // The arrange entries an arrange command collected, applied to the next command.
  virtual void ApplyArrangeList(const cVector<cVector<std::int32_t>>& /*entries*/, cEdCommand& /*command*/) {}
  // Removes the character's running flows of that flow ID; the position of the first one
  // removed, or -1 when none was.
  virtual int RemoveFlowsById(cCharaBase& /*chara*/, int /*flowId*/) { return -1; }
  // The nested flows of a flow-change command installed at a position of the running flows
  // (-1 at the end).
  virtual void InstallCommandFlows(cCharaBase& /*chara*/, const cEdCommand& /*command*/, int /*position*/) {}
  // The jump's key test: whether the last key condition of the character's running jump flow
  // still holds on the input record inputIndex; -1 when the flow has no key conditions.
  virtual int CheckKeyState(cCharaBase& /*chara*/, int /*inputIndex*/) { return -1; }
  // Item command kinds 2 to 23: the worker of the character command they stand for.
  virtual void ExecItemCommand(cPlayer& /*hero*/, cEdCommand& /*command*/) {}
};

// nullptr puts the default back.
void SetFlowLink(cFlowLink* link);
cFlowLink& FlowLink();
