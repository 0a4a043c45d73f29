#pragma once

#include <cstdint>

#include "core/checked_sequence.h"

// One level of the menu cursor: the chosen cell and where its image goes.
struct MenuCursorPos {
  std::int32_t column = 0;
  std::int32_t row = 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// The cursor every menu moves: a stack of levels, so that a sub-menu's cursor can be pushed
// and popped back onto the outer one. Directions are the input's bits: 1 left, 2 right, 4 up,
// 8 down.
class cMenuCursor {
 public:
  cMenuCursor() { Reset(); }
  cMenuCursor(const cMenuCursor&) = delete;
  cMenuCursor& operator=(const cMenuCursor&) = delete;

  void Reset();
  // A zeroed level on top, or a copy of the one below it with copyPrevious 1.
  void Push(int copyPrevious);
  // Mode 0 zeroes the level below, 2 gives it the popped values, others keep it.
  void Pop(int mode);
  // A grid with wrap-around; negative sizes leave everything alone.
  void Move2D(const std::uint16_t* bits, int x0, int y0, int dx, int dy, int columns, int rows);
  // A scrolling list without wrap; `top` is the first visible index, the caller's own.
  void MoveList(const std::uint16_t* bits, int vertical, int* top, int origin, int step, int fixed, int page, int count,
                int pageJump);

  MenuCursorPos* m_pCur = nullptr;
  MenuCursorPos* m_pPrev = nullptr;
  cVector<MenuCursorPos> m_Stack;

 private:
  void Relink();
};

extern cMenuCursor MenuCursor;
