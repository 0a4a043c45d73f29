#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "data/rankings.h"
#include "gfx/surface_data.h"

class cStageData;

// The ranking panel of one kind: a frame, the title, a row per entry in use (place, name,
// value; clear times as mm:ss.hh), the hint to change kinds when the play mode keeps more than
// one, and the mark at the highlighted row (-1: none). Returns -1 when nothing is highlighted.
int DrawRankTable(const cRankTable& table, DDSURFACEDATA* target, int x, int y, int kind, int highlight);
void DrawRankSet(const cRankSet& set, DDSURFACEDATA* target, int x, int y, int kind, int highlight);

// The clear's box of totals: a row per kind the stage and the play mode keep (all the stage's
// when it was named on the command line), with the mark where a place was reached.
void DrawResultTotals(DDSURFACEDATA* target, int x, int y, const cVector<std::int32_t>& positions,
                      const cStageData& stage);
