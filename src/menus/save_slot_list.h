#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "data/save_slots.h"
#include "gfx/surface_data.h"

// `count` rows of the slot list from entry `first`, each with its slot number and, when used,
// its save time, in a framed box 320 wide; rows past the list's end stay empty.
void DrawSaveSlotList(DDSURFACEDATA* target, int x, int y, const cVector<cSaveSlotInfo>& list, int first, int count);

// The story slots' list as the title and the world map's menu show it: at (152, 160), ten rows
// at a time.
inline constexpr int kSlotListX = 152;
inline constexpr int kSlotListY = 160;
int SlotListPage();
// The menu cursor's move over SaveSlotInfos, page jumps on; `top` is the first row shown.
void MoveOverSlotList(std::uint16_t directions, int* top);
// The list from row `top` on the back buffer.
void DrawSlotListAt(int top);

// "yyyy/mm/dd hh:mm" of a used slot; nothing for an unused one.
void DrawTimeStamp(const cSaveSlotInfo& info, DDSURFACEDATA* target, int x, int y);
