#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/format.h"
#include "gfx/fast_font.h"
#include "gfx/surface_data.h"
#include "platform/text/sprite_font.h"
#include "platform/text/text_font.h"

// A text-drawing object: one of the project's three fonts. Text is drawn directly through the
// backend's font, or, with the cache mode on, from two glyph sheets whose cells become keyed
// blits: a 16 x 16 sheet of the single-byte codes and a sheet of double-byte characters that
// starts with a preset set and grows as new characters are met.
class Font {
 public:
  Font() = default;
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // False when the font could not be made (the reason is logged and a close requested).
  bool Create(const char* szFace, int nWidth, int nHeight, int nSpacing, int nLine, int nColorIndex,
              DDSURFACEDATA* lpFrame, int nFrameThick, int nFrameColor, DDSURFACEDATA* lpPicture, int nCacheMode);
  void Release();
  void Restore();

  void Draw(DDSURFACEDATA* lpDst, int x, int y, const char* szText, int bPlain);
  void DrawF(DDSURFACEDATA* lpDst, int x, int y, const char* szFormat, ...) KESTREL_PRINTF(5, 6);
  void DrawFrame(DDSURFACEDATA* lpDst, int x, int y, int w, int h);
  void DrawBox(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* szText, int nIndent);
  void DrawBoxColor(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* szText, int nIndent, DWORD dwColor);
  void DrawBoxF(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* szFormat, ...) KESTREL_PRINTF(7, 8);
  // Fixed spacing: the widest line's characters x spacing, and line x the number of lines.
  void TextExtent(const char* szText, int* lpWidth, int* lpHeight) const;

  // The text's size as Draw measures it (fixed spacing by characters, else the face's advances).
  void MeasureText(const char* szText, int* lpWidth, int* lpHeight);
  // The backend's font object (glyph counts and text draws, for tests and the report).
  platform::TextFont* TextFace();

  int m_nId = 0;
  std::unique_ptr<platform::TextFont> m_hFont;     // DirectDraw
  std::unique_ptr<platform::SpriteFont> lpFont;    // Direct3D
  std::unique_ptr<platform::Sprite> m_lpSprite;    // Direct3D
  const char* m_szFace = nullptr;
  int m_nWidth = 0;
  int m_nHeight = 0;
  int m_nSpacing = 0;
  int m_nLine = 0;
  int m_nColorIndex = 0;
  DWORD m_dwColor = 0;
  int m_bCenter = 0;
  DDSURFACEDATA m_SDWork;
  DDSURFACEDATA* m_lpFrame = nullptr;
  int m_nFrameThick = 0;
  int m_nFrameColor = 0;
  DDSURFACEDATA* m_lpPicture = nullptr;
  int m_bPicture = 0;
  int m_nCacheMode = 0;
  std::unique_ptr<FastFont> m_lpFastFont_Half;
  std::unique_ptr<FastFont> m_lpFastFont_FullAdd;

 private:
  bool Cached() const { return m_nCacheMode != 0 && m_lpFastFont_Half != nullptr && m_lpFastFont_FullAdd != nullptr; }
  void DestroySheets();
  bool MakeSheets();
  void FillSheet(FastFont* lpSheet, const std::string& text);
  void FillHalfSheet();
  void FillFullSheet(bool bRebuild);
  struct GlyphTarget;
  void GlyphPass(DDSURFACEDATA* lpDirect, platform::DeviceContext* lpDC, int x, int y, DDSURFACEDATA* lpFinal, int fx,
                 int fy, const char* szText, int bPicture);
  void DirectGlyph(DDSURFACEDATA* lpDst, platform::DeviceContext* lpDC, int x, int y, const char* szBytes, int nCount);
  void DrawNewCell(DDSURFACEDATA* lpFinal, int nIndex, const char* szBytes);
  void PicturePass(DDSURFACEDATA* lpDst, int x, int y, const char* szText);
  void DrawLineDirect(DDSURFACEDATA* lpDst, platform::DeviceContext* lpDC, int x, int y, const char* szLine, int nCount);
  bool BeginSpriteOn(DDSURFACEDATA* lpDst);
  void EndSpriteOn();
};

// Every created font, in creation order (device recovery restores them). Never destroyed, so
// fonts released during static destruction can still leave it.
extern std::vector<Font*>& FontList;

// The preset double-byte characters every double-byte sheet starts with.
extern const char* const kFontPresetChars;

struct FontDef;
struct SurfaceDef;

// Makes each font from its row, the row's surface-table rows resolved to records; 0 when a font
// could not be made.
int DDCreateFonts(Font* lpFonts, FontDef* lpRows, int nCount);
// Makes number sheet i at 10 x spacing by line of font i and draws its digits; 0 when a sheet
// could not be made.
int DDCreateNumberSheets(DDSURFACEDATA* lpRecords, const SurfaceDef* lpBlank, int nCount, Font* lpFonts,
                         const FontDef* lpRows);
void DDDrawNumberSheet(DDSURFACEDATA* lpSD, Font* lpFont);
