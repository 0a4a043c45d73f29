#pragma once

#include <cstdint>

class cCharaBase;
class cEdCondition;

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
};

// nullptr puts the default back.
void SetFlowLink(cFlowLink* link);
cFlowLink& FlowLink();
