#include "input/menu_cursor.h"

#include <algorithm>

cMenuCursor MenuCursor;

void cMenuCursor::Relink() {
  // Growing the stack may move it, so the level pointers are taken again after every change.
  const std::size_t depth = m_Stack.size();
  m_pCur = &m_Stack[depth - 1];
  m_pPrev = depth >= 2 ? &m_Stack[depth - 2] : nullptr;
}

void cMenuCursor::Reset() {
  m_Stack.assign(1, MenuCursorPos{});
  Relink();
}

void cMenuCursor::Push(int copyPrevious) {
  m_Stack.push_back(MenuCursorPos{});
  Relink();
  if (copyPrevious == 1) *m_pCur = *m_pPrev;
}

void cMenuCursor::Pop(int mode) {
  if (m_Stack.size() <= 1) return;
  const MenuCursorPos popped = m_Stack.back();
  m_Stack.pop_back();
  Relink();
  if (mode == 0) {
    *m_pCur = MenuCursorPos{};
  } else if (mode == 2) {
    *m_pCur = popped;
  }
}

void cMenuCursor::Move2D(const std::uint16_t* bits, int x0, int y0, int dx, int dy, int columns, int rows) {
  if (columns < 0 || rows < 0) return;
  MenuCursorPos& c = *m_pCur;
  const std::uint16_t b = bits != nullptr ? *bits : 0;
  if ((b & 1) != 0) {
    --c.column;
  } else if ((b & 2) != 0) {
    ++c.column;
  }
  if ((b & 4) != 0) {
    --c.row;
  } else if ((b & 8) != 0) {
    ++c.row;
  }
  if (c.row < 0) {
    c.row = rows - 1;
  } else if (c.row >= rows) {
    c.row = 0;
  }
  if (c.column < 0) {
    c.column = columns - 1;
  } else if (c.column >= columns) {
    c.column = 0;
  }
  c.x = x0 + dx * c.column;
  c.y = y0 + dy * c.row;
}

void cMenuCursor::MoveList(const std::uint16_t* bits, int vertical, int* top, int origin, int step, int fixed,
                           int page, int count, int pageJump) {
  MenuCursorPos& c = *m_pCur;
  std::int32_t& index = vertical != 0 ? c.row : c.column;
  int scratch = 0;
  int& t = top != nullptr ? *top : scratch;
  const std::uint16_t b = bits != nullptr ? *bits : 0;
  if ((b & 4) != 0) {
    if (index - t <= 0) --t;
    --index;
  } else if ((b & 8) != 0) {
    if (index - t >= page - 1) ++t;
    ++index;
  }
  if (pageJump != 0) {
    if ((b & 2) != 0) {
      if (t == count - page) {
        index = count - 1;
      } else {
        t += page - 1;
        index += page - 1;
      }
    } else if ((b & 1) != 0) {
      if (t == 0) {
        index = 0;
      } else {
        t -= page - 1;
        index -= page - 1;
      }
    }
  }
  if (index > count - 1) index = count - 1;
  if (index < 0) index = 0;
  if (t < 0) {
    t = 0;
  } else if (t > std::max(0, count - page)) {
    t = std::max(0, count - page);
  }
  if (vertical != 0) {
    c.y = origin + step * (index - t);
    c.x = fixed;
  } else {
    c.x = origin + step * (index - t);
    c.y = fixed;
  }
}
