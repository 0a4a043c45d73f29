#pragma once

#include <cstdint>

#include "core/checked_sequence.h"

// What a character keeps of the flow engine: its running flows and the per-flow-ID switches.
// The game world copies and resets these with the character; only the flow engine reads
// their meaning.

// One running flow of a character.
struct cFlow {
  std::int32_t nFlowIndex = 0;  // into the character's own flow definitions
  std::int32_t nTrigger = 0;
  std::int32_t bPaused = 0;
  std::int32_t bHalted = 0;
  std::int32_t bDelete = 0;
  std::int32_t bCondLatched = 0;  // a once-only start condition has held
  std::int32_t nStep = 0;
};

// Flow IDs a character's switches cover.
constexpr int kFlowIdCount = 27;

struct cFlowSet {
  cVector<cFlow> Flows;
  cVector<std::uint8_t> Running;
  cVector<std::uint8_t> Stopped;
  cVector<std::uint8_t> StartedNow;
  std::int32_t bSwitchesChanged = 0;
  std::int32_t bDeletePending = 0;
  std::int32_t nAnimeKey = 0;  // the next key of a timed animation

  // Every switch cleared, exactly kFlowIdCount of each.
  void ResetSwitches() {
    Running.assign(kFlowIdCount, 0);
    Stopped.assign(kFlowIdCount, 0);
    StartedNow.assign(kFlowIdCount, 0);
    bSwitchesChanged = 0;
    bDeletePending = 0;
  }
};
