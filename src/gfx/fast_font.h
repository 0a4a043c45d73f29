#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "gfx/surface_data.h"

// A glyph sheet of a font: cells of one size, filled in the order characters are added.
class FastFont {
 public:
  struct Glyph {
    char szChar[2] = {};
    int nIndex = 0;
    int x = 0;
    int y = 0;
  };

  FastFont(int nKind, int nCellW, int nCellH, int nColumns, int nRows);
  ~FastFont();
  FastFont(const FastFont&) = delete;
  FastFont& operator=(const FastFont&) = delete;

  // Makes the sheet's record (keyed, default memory); false when it cannot be made.
  bool CreateSurface();
  // 1 added, 0 when the sheet is full.
  int AddChar(const char* szChar);
  void DrawCell(DDSURFACEDATA* lpDst, int x, int y, int nIndex, int nFlags);
  // 1 drawn, 0 when the character is not on the sheet.
  int DrawChar(DDSURFACEDATA* lpDst, int x, int y, const char* szChar, int nFlags);
  // The cell of a character, -1 when it is not on the sheet.
  int Find(const char* szChar) const;

  int m_nKind;  // 0 single-byte sheet, 1 double-byte sheet
  int m_nCellW;
  int m_nCellH;
  int m_nColumns;
  int m_nRows;
  int m_nCapacity;
  DDSURFACEDATA m_SD;
  std::vector<Glyph> m_Glyphs;  // in the order they were added
  int m_nCount = 0;

 private:
  static std::uint16_t Key(const char* szChar);
  std::unordered_map<std::uint16_t, int> m_Index;  // first two bytes -> cell
};
