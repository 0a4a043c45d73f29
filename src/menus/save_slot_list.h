#pragma once

#include "core/checked_sequence.h"
#include "data/save_slots.h"
#include "gfx/surface_data.h"

// `count` rows of the slot list from entry `first`, each with its slot number and, when used,
// its save time, in a framed box 320 wide; rows past the list's end stay empty.
void DrawSaveSlotList(DDSURFACEDATA* target, int x, int y, const cVector<cSaveSlotInfo>& list, int first, int count);

// "yyyy/mm/dd hh:mm" of a used slot; nothing for an unused one.
void DrawTimeStamp(const cSaveSlotInfo& info, DDSURFACEDATA* target, int x, int y);
