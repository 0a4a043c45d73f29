#include "menus/save_slot_list.h"

#include "gfx/dd_fill.h"
#include "gfx/game_fonts.h"

namespace {

constexpr int kListWidth = 320;
constexpr int kRowHeight = 16;
constexpr int kSeparatorColour = 240;

Font& ListFont() { return GameFonts[1]; }

}  // namespace

void DrawTimeStamp(const cSaveSlotInfo& info, DDSURFACEDATA* target, int x, int y) {
  if (info.m_bUsed == 0) return;
  const SaveTime& t = info.m_Time;
  ListFont().DrawF(target, x, y, "%04d/%02d/%02d %02d:%02d\n", t.year, t.month, t.day, t.hour, t.minute);
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
