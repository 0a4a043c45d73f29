#include "gfx/text_box.h"

#include <algorithm>

#include "core/strings.h"
#include "data/system_data.h"
#include "gfx/game_fonts.h"
#include "gfx/dd_state.h"

void DrawTextBox(int x, int y, int first, int count, int cursor) {
  if (count <= 0) return;
  int widest = 0;
  for (int i = 0; i < count; ++i) widest = std::max(widest, StrCharCount(SystemData.Texts[first + i]));
  const int width = (widest + (cursor != 0 ? 1 : 0)) * 16;
  GameFonts[1].DrawBox(&SDBackBuffer, x, y, width, count * 16, TextBoxText(first, count, cursor).c_str(), 0);
}
