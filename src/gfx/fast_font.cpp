#include "gfx/fast_font.h"

#include "gfx/core_blit.h"
#include "gfx/dd_surface.h"

FastFont::FastFont(int nKind, int nCellW, int nCellH, int nColumns, int nRows)
    : m_nKind(nKind),
      m_nCellW(nCellW),
      m_nCellH(nCellH),
      m_nColumns(nColumns),
      m_nRows(nRows),
      m_nCapacity(nColumns * nRows) {}

FastFont::~FastFont() { DDDestroySurface(&m_SD); }

bool FastFont::CreateSurface() {
  if (m_nCellW <= 0 || m_nCellH <= 0 || m_nColumns <= 0 || m_nRows <= 0) return false;
  return DDCreateSurface(&m_SD, m_nCellW * m_nColumns, m_nCellH * m_nRows, 1, 0, 0, 0, 0);
}

std::uint16_t FastFont::Key(const char* szChar) {
  const auto first = static_cast<unsigned char>(szChar[0]);
  const auto second = first != 0 ? static_cast<unsigned char>(szChar[1]) : 0;
  return static_cast<std::uint16_t>(first << 8 | second);
}

int FastFont::AddChar(const char* szChar) {
  if (szChar == nullptr || m_nCount >= m_nCapacity) return 0;
  Glyph glyph;
  glyph.szChar[0] = szChar[0];
  glyph.szChar[1] = szChar[0] != '\0' ? szChar[1] : '\0';
  glyph.nIndex = m_nCount;
  glyph.x = (m_nCount % m_nColumns) * m_nCellW;
  glyph.y = (m_nCount / m_nColumns) * m_nCellH;
  m_Glyphs.push_back(glyph);
  m_Index.emplace(Key(szChar), m_nCount);
  ++m_nCount;
  return 1;
}

int FastFont::Find(const char* szChar) const {
  if (szChar == nullptr) return -1;
  const auto found = m_Index.find(Key(szChar));
  return found != m_Index.end() ? found->second : -1;
}

void FastFont::DrawCell(DDSURFACEDATA* lpDst, int x, int y, int nIndex, int nFlags) {
  DDBlt(lpDst, x, y, m_nCellW, m_nCellH, &m_SD, (nIndex % m_nColumns) * m_nCellW, (nIndex / m_nColumns) * m_nCellH,
        nFlags);
}

int FastFont::DrawChar(DDSURFACEDATA* lpDst, int x, int y, const char* szChar, int nFlags) {
  const int index = Find(szChar);
  if (index < 0) return 0;
  DrawCell(lpDst, x, y, index, nFlags);
  return 1;
}
