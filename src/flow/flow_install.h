#pragma once

#include <cstdint>

#include "core/checked_sequence.h"

class cEdCommand;
class cEdFlow;
class cFlowActor;
struct cFlow;

// Loop commands ("ループ", and the item set's loop) expanded in place, outermost first; a list
// stops growing at kMaxUnrolledCommands.
void UnrollLoops(cVector<cEdCommand>& commands);
inline constexpr int kMaxUnrolledCommands = 65536;

// Turns flow definitions into running flows: budgets, speeds, per-kind preparation and lead-in
// schedules. runTime 0: `flows` is the character's own definition list and every running flow
// is rebuilt. runTime 1: copies of `flows` join the character's definitions at `position`
// (appended when it is outside the list), and a held key does not start them until released.
// Returns how many flows were installed.
int InstallFlows(cFlowActor& chara, cVector<cEdFlow>& flows, int runTime, int position);

// Stops one flow, ends its lead-in animations and removes it with its definition.
void RemoveFlow(cFlowActor& chara, int index);
// Removes the flows whose operation ID is `id`; the index of the first, or -1. ID 0 removes
// every flow and animation and returns 0.
int RemoveFlowsById(cFlowActor& chara, int id);
// Running flows renumbered after the definition list changed.
void RebindFlows(cFlowActor& chara);
// Another character's running flows, taken over by this one (after its definitions were copied).
void SetFlows(cFlowActor& chara, const cVector<cFlow>& flows);
