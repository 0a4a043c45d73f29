// The menu cursor: its stack of levels, the grid move with wrap-around and the scrolling list
// with page jumps.
#include "input/menu_cursor.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

bool Same(const MenuCursorPos& a, const MenuCursorPos& b) {
  return a.column == b.column && a.row == b.row && a.x == b.x && a.y == b.y;
}

TEST(MenuCursorTest, LevelsPushAndPopBackToWhereTheOuterMenuWas) {
  cMenuCursor cursor;
  const MenuCursorPos outer{1, 2, 30, 40};
  const MenuCursorPos inner{5, 6, 70, 80};
  struct Case {
    int mode;
    MenuCursorPos want;
  };
  const Case cases[] = {{1, outer}, {0, MenuCursorPos{}}, {2, inner}, {7, outer}};
  for (const Case& c : cases) {
    cursor.Reset();
    *cursor.m_pCur = outer;
    cursor.Push(0);
    EXPECT_TRUE(Same(*cursor.m_pCur, MenuCursorPos{})) << c.mode;
    ASSERT_NE(cursor.m_pPrev, nullptr);
    EXPECT_TRUE(Same(*cursor.m_pPrev, outer)) << c.mode;
    *cursor.m_pCur = inner;
    cursor.Pop(c.mode);
    EXPECT_TRUE(Same(*cursor.m_pCur, c.want)) << c.mode;
    EXPECT_EQ(cursor.m_pPrev, nullptr) << c.mode;
  }
  // A copy of the level below; popping at depth 1 changes nothing, in any mode.
  cursor.Reset();
  *cursor.m_pCur = outer;
  cursor.Push(1);
  EXPECT_TRUE(Same(*cursor.m_pCur, outer));
  cursor.Pop(0);
  for (int mode : {0, 1, 2}) {
    *cursor.m_pCur = inner;
    cursor.Pop(mode);
    EXPECT_TRUE(Same(*cursor.m_pCur, inner)) << mode;
  }
  // Deep stacks (the storage moves as it grows) reset to one zeroed level.
  for (int i = 0; i < 100; ++i) cursor.Push(1);
  EXPECT_EQ(cursor.m_pPrev, &cursor.m_Stack[99]);
  cursor.Reset();
  EXPECT_EQ(cursor.m_Stack.size(), 1u);
  EXPECT_TRUE(Same(*cursor.m_pCur, MenuCursorPos{}));
  EXPECT_EQ(cursor.m_pPrev, nullptr);
}

TEST(MenuCursorTest, TheGridWrapsAndUpAndLeftWinOverTheirOpposites) {
  struct Case {
    std::uint16_t bits;
    int column, row;
    int columns, rows;
    int wantColumn, wantRow;
  };
  const Case cases[] = {
      {4, 0, 0, 1, 4, 0, 3},   // up from the first row: the last
      {8, 0, 3, 1, 4, 0, 0},   // down from the last: the first
      {1, 0, 2, 1, 4, 0, 2},   // left and right keep a single column
      {2, 0, 2, 1, 4, 0, 2},
      {12, 0, 2, 1, 4, 0, 1},  // up and down: up
      {3, 1, 0, 3, 1, 0, 0},   // left and right: left
      {2, 2, 0, 3, 1, 0, 0},
      {0, 2, 1, 3, 2, 2, 1},   // no bits: only the image is placed
  };
  for (const Case& c : cases) {
    cMenuCursor cursor;
    cursor.m_pCur->column = c.column;
    cursor.m_pCur->row = c.row;
    cursor.Move2D(&c.bits, 10, 20, 100, 16, c.columns, c.rows);
    EXPECT_EQ(cursor.m_pCur->column, c.wantColumn) << c.bits << " " << c.column << "," << c.row;
    EXPECT_EQ(cursor.m_pCur->row, c.wantRow) << c.bits << " " << c.column << "," << c.row;
    EXPECT_EQ(cursor.m_pCur->x, 10 + 100 * c.wantColumn);
    EXPECT_EQ(cursor.m_pCur->y, 20 + 16 * c.wantRow);
  }
  // A negative size: nothing moves, not even the image.
  cMenuCursor cursor;
  *cursor.m_pCur = MenuCursorPos{1, 1, 5, 5};
  const std::uint16_t down = 8;
  cursor.Move2D(&down, 0, 0, 10, 10, -1, 3);
  EXPECT_TRUE(Same(*cursor.m_pCur, MenuCursorPos{1, 1, 5, 5}));
}

TEST(MenuCursorTest, TheListScrollsClampsAndJumpsByOneLessThanAPage) {
  struct Case {
    std::uint16_t bits;
    int index, top, count, page, jump;
    int wantIndex, wantTop;
  };
  const Case cases[] = {
      {8, 9, 0, 20, 10, 0, 10, 1},    // down off the page scrolls
      {8, 19, 10, 20, 10, 0, 19, 10}, // down at the end
      {4, 0, 0, 20, 10, 0, 0, 0},     // up at the start
      {4, 11, 11, 20, 10, 0, 10, 10}, // up off the page scrolls back
      {2, 12, 10, 20, 10, 1, 19, 10}, // page right on the last page: the last item
      {2, 3, 0, 20, 10, 1, 12, 9},
      {2, 7, 5, 20, 10, 1, 16, 10},   // top 14 clamped to 10
      {1, 4, 0, 20, 10, 1, 0, 0},     // page left on the first page: the first item
      {1, 15, 9, 20, 10, 1, 6, 0},
      {3, 3, 0, 20, 10, 1, 12, 9},    // right wins
      {2, 3, 0, 20, 10, 0, 3, 0},     // no page jumps asked for
      {8, 4, 0, 5, 10, 1, 4, 0},      // fewer items than a page: top stays 0
      {2, 2, 0, 5, 10, 1, 4, 0},
      {8, 0, 0, 0, 10, 1, 0, 0},      // an empty list
  };
  for (const Case& c : cases) {
    for (int vertical : {1, 0}) {
      cMenuCursor cursor;
      (vertical != 0 ? cursor.m_pCur->row : cursor.m_pCur->column) = c.index;
      int top = c.top;
      cursor.MoveList(&c.bits, vertical, &top, 50, 16, 7, c.page, c.count, c.jump);
      const int index = vertical != 0 ? cursor.m_pCur->row : cursor.m_pCur->column;
      EXPECT_EQ(index, c.wantIndex) << c.bits << " " << c.index << " " << c.top;
      EXPECT_EQ(top, c.wantTop) << c.bits << " " << c.index << " " << c.top;
      EXPECT_EQ(vertical != 0 ? cursor.m_pCur->y : cursor.m_pCur->x, 50 + 16 * (c.wantIndex - c.wantTop));
      EXPECT_EQ(vertical != 0 ? cursor.m_pCur->x : cursor.m_pCur->y, 7);
    }
  }
}

}  // namespace
