#pragma once

#include <cstdint>
#include <list>

#include "core/checked_sequence.h"

// What a character keeps of the flow engine: one running flow per flow definition, one running
// command per command, and the per-flow-ID switches. The game world copies and resets these
// with the character; only the flow engine reads their meaning.
//
// A running flow names its definition and a running command its command by index (the flow's
// place in the owner's definition list, the command's place in the flow), never by address:
// a character copied with its flows then never points into another character's definitions,
// and a definition list that grows or shrinks needs only the indices renumbered.

class cFlowActor;

// A lead-in animation: started when the flow has run `nStart` steps, so that it reaches its
// hold frame as its command starts.
struct FlowLeadIn {
  std::int32_t nStart = 0;
  std::int16_t nAnime = 0;   // an Anime.dat motion
  std::int16_t nOffset = 0;  // frames skipped at its start
  std::int16_t nLength = 0;  // frames played
  std::int16_t nHold = 0;    // the command's base time in frames
  std::int32_t bExtend = 0;  // the hold frame lasts as long as the command
};

struct FlowTrailPoint {
  double x = 0;
  double y = 0;
};

// The running state of one command of a flow.
struct cFlowCmd {
  // A fresh run: the budget again, the per-kind state cleared, and the flow's pending arrange
  // entries applied to the command.
  void Reset();
  // One run of the command's executor; 1 when its budget is spent.
  int Step();

  std::int32_t nIndex = 0;  // its command's place in the flow's definition
  std::int32_t bDone = 0;
  std::int32_t nBudget = 0;  // sub-steps it runs for
  std::int32_t nLeft = 0;    // sub-steps still to run; 0 outside a run
  std::int8_t cMoveDir = 0;
  std::int32_t nTargetX = 0, nTargetY = 0;
  double dSpeed = 0;  // dots per sub-step
  std::int32_t nAngle = 0;
  std::int32_t nParam = 0;  // circle radius in dots x b, or homing slowness x b
  std::int32_t nAngleFrom = 0, nAngleTo = 0;
  std::list<FlowTrailPoint> lTrail;
  double dVX = 0, dVY = 0;
  std::uint32_t nFacing = 0;  // 0 none, 1 left, 2 right
  std::int32_t nCounter = 0;
  std::int32_t bStarted = 0;
  double dPhase1 = 0, dPhase2 = 0;
  double dSpeedMax = 0;
  std::int32_t nLastFacing = 0;
};

// The running state of one flow of a character.
struct cFlow {
  // Start on the current character (the flow cursor's), which owns it.
  void Start();
  // One step; 1 when the flow has finished.
  int Step();
  void Stop(cFlowActor& owner);
  void Pause() { bPaused = 1; }
  void Resume() { bPaused = 0; }
  // A permanent stop.
  void Halt(cFlowActor& owner);

  std::int32_t nDefIndex = 0;  // its definition's place in the owner's list, also its own
  std::int32_t nAnimeKey = 0;  // the key of its lead-in animations in the owner's list
  std::int32_t bCondLatched = 0;
  std::int32_t nKeyConds = 0;  // how many key conditions the definition has
  std::int32_t bKeyLatch = 0;
  cVector<cFlowCmd> vCmds;
  cVector<FlowLeadIn> vLeadIns;
  std::int32_t bRunning = 0;
  std::int32_t bPaused = 0;
  std::int32_t bHalted = 0;
  std::int32_t bDeletePending = 0;
  std::int32_t nCurrent = 0;    // the first command that still holds the flow
  std::int32_t nFramesRun = 0;  // steps since the start that did not end it
  std::int32_t nFirstKey = 0;
  std::int32_t bTriggeredThisFrame = 0;
  std::int32_t bStartedThisFrame = 0;
  std::int32_t bMessageChain = 0;
  std::int32_t bAbort = 0;
  std::int32_t nRuns = 0;  // counts starts: a step that restarted its own flow ends at once
  std::list<cVector<std::int32_t>> lArranges;
};

// Flow IDs a character's switches cover: 0 none, 1 to 26 for "A" to "Z".
constexpr int kFlowIdCount = 27;

struct cFlowSet {
  cVector<cFlow> Flows;  // parallel to the character's flow definitions
  cVector<std::uint8_t> Running;
  cVector<std::uint8_t> Stopped;
  cVector<std::uint8_t> StartedNow;
  std::int32_t bSwitchesChanged = 0;
  std::int32_t bDeletePending = 0;
  std::int32_t nAnimeKey = 0;  // the next key of a flow's lead-in animations

  // Every switch cleared, exactly kFlowIdCount of each.
  void ResetSwitches() {
    Running.assign(kFlowIdCount, 0);
    Stopped.assign(kFlowIdCount, 0);
    StartedNow.assign(kFlowIdCount, 0);
    bSwitchesChanged = 0;
    bDeletePending = 0;
  }
};
