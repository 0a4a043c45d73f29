#include "flow/triggers.h"

#include "data/ed_flow.h"
#include "data/system_data.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_cursor.h"
#include "flow/key_conditions.h"

void FireTrigger(cFlowActor& chara, int kind) {
  const FlowCursorScope scope;
  CurrentFlow() = FlowCursor{&chara, nullptr, nullptr};
  // Older projects counted every event against the frame's one try, or had no limit at all.
  const bool noLimit = SystemData.bLegacy525 != 0;
  const bool earlyLimit = SystemData.bLegacy744 != 0 && !noLimit;
  cFlowSet& set = chara.FlowState();
  for (int i = 0; i < static_cast<int>(set.Flows.size()); ++i) {
    cFlow& flow = set.Flows[i];
    const cEdFlow& def = chara.FlowDefs()[flow.nDefIndex];
    if (def.nTrigger != kind) continue;
    if (earlyLimit) {
      if (flow.bTriggeredThisFrame != 0) continue;
      flow.bTriggeredThisFrame = 1;
    }
    if (flow.bRunning != 0 || flow.bPaused != 0 || flow.bHalted != 0 || flow.bStartedThisFrame != 0) continue;
    const int id = def.nSwitch < kFlowIdCount ? def.nSwitch : 0;
    if (kind == kTriggerAlways && id != 0 && (set.Running[id] != 0 || set.StartedNow[id] != 0)) continue;
    if (!earlyLimit && !noLimit) {
      if (flow.bTriggeredThisFrame != 0) continue;
      flow.bTriggeredThisFrame = 1;
    }
    if (!chara.CheckFlowConditions(flow, def)) continue;
    if (!CheckKeyConditions(chara, flow)) continue;
    flow.nFirstKey = FirstPressedKey(PlayerInputs[chara.InputIndex()]);
    CurrentFlow().chara = &chara;
    set.Flows[i].Start();
  }
}
