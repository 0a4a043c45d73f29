#include "menus/save_slot_list.h"

#include <algorithm>

#include "gfx/dd_fill.h"
#include "gfx/dd_state.h"
#include "gfx/game_fonts.h"
#include "input/menu_cursor.h"

namespace {

constexpr int kListWidth = 320;
constexpr int kRowHeight = 16;
constexpr int kSeparatorColour = 240;
constexpr int kSlotListPageRows = 10;

Font& ListFont() { return GameFonts[1]; }

}  // namespace

void DrawTimeStamp(const cSaveSlotInfo& info, DDSURFACEDATA* target, int x, int y) {
  if (info.m_bUsed == 0) return;
  const SaveTime& t = info.m_Time;
  ListFont().DrawF(target, x, y, "%04d/%02d/%02d %02d:%02d\n", t.year, t.month, t.day, t.hour, t.minute);
}

int SlotListPage() { return std::min(kSlotListPageRows, static_cast<int>(SaveSlotInfos.size())); }

void MoveOverSlotList(std::uint16_t directions, int* top) {
  MenuCursor.MoveList(&directions, 1, top, kSlotListY, kRowHeight, kSlotListX, SlotListPage(),
                      static_cast<int>(SaveSlotInfos.size()), 1);
}

void DrawSlotListAt(int top) {
  if (DDInitialised != 0) DrawSaveSlotList(&SDBackBuffer, kSlotListX, kSlotListY, SaveSlotInfos, top, SlotListPage());
}

void DrawSaveSlotList(DDSURFACEDATA* target, int x, int y, const cVector<cSaveSlotInfo>& list, int first, int count) {
  ListFont().DrawFrame(target, x, y, kListWidth, kRowHeight * count);
  for (int row = 0; row < count; ++row) {
    const int top = y + kRowHeight * row;
    if (row != count - 1) DDFillRect(target, x, top + kRowHeight - 1, kListWidth, 1, kSeparatorColour);
    const int index = first + row;
    if (index >= static_cast<int>(list.size())) break;
    ListFont().DrawF(target, x + 16, top, "%d", index + 1);
    DrawTimeStamp(list[index], target, x + 64, top);
  }
}
