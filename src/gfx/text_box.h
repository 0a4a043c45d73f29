#pragma once

#include "gfx/surface_data.h"

// Interface texts first .. first + count - 1 of the project as one box of 16-dot lines with the
// menu font, at (x, y) on the back buffer, each line after a blank column for the menu cursor
// when `cursor` is set. Nothing for a count of 0.
void DrawTextBox(int x, int y, int first, int count, int cursor);
