#pragma once

class cFlowActor;

// Once per frame, before the sub-steps: no flow has been triggered or started in this frame.
void ResetFlowFrameFlags(cFlowActor& chara);
// Once per sub-step: the lead-in animations whose moment has come.
void StartLeadInAnimes(cFlowActor& chara);
// A character's flows for one sub-step. With deathOnly set only its death flows run. 1 when
// the character vanished or fell to no HP on the way (the rest waits for the next sub-step).
int RunFlowFrameStep(cFlowActor& chara, int deathOnly);
// Starts of trigger-18 flows nested inside each other's starts: beyond this many the next one
// is stopped unrun.
inline constexpr int kMaxNestedStageStarts = 8;
