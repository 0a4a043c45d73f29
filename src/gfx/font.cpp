#include "gfx/font.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>

#include "core/close_request.h"
#include "core/report_log.h"
#include "core/sjis.h"
#include "core/strings.h"
#include "data/surface_defs.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/frame_blit.h"
#include "gfx/render_target.h"
#include "gfx/sprite_batch.h"

std::vector<Font*>& FontList = *new std::vector<Font*>();

const char* const kFontPresetChars =
    "０１２３４５６７８９ー～、。．！？「」（）・…※→↑↓←＋－＝○●×ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"
    "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみ"
    "むめもやゆよらりるれろわをんがぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉっゃゅょアイウエオカキクケコ"
    "サシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲンガギグゲゴザジズゼゾダヂヅデトバビブベボヴパピ"
    "プペポァィゥェォッャュョ□■☆★％＆＜＞：";

namespace {

constexpr unsigned kSpriteFlags = platform::kSpriteAlphaBlend | platform::kSpriteSortTexture;

bool IsDoubleAt(const char* p) {
  return IsSjisLeadByte(static_cast<unsigned char>(p[0])) && IsSjisTrailByte(static_cast<unsigned char>(p[1]));
}

// The text's lines, each without its "\n".
std::vector<std::string_view> Lines(const char* szText) {
  std::vector<std::string_view> lines;
  const char* start = szText;
  for (const char* p = szText;; ++p) {
    if (*p == '\n' || *p == '\0') {
      lines.emplace_back(start, static_cast<std::size_t>(p - start));
      if (*p == '\0') break;
      start = p + 1;
    }
  }
  return lines;
}

int CharCount(std::string_view line) {
  int count = 0;
  for (std::size_t i = 0; i < line.size(); i += SjisCharWidth(line, i)) ++count;
  return count;
}

// The GDI colour of the font's colour as the device context takes it (XRGB8888).
std::uint32_t ContextColour(DWORD colorRef) {
  const DWORD r = colorRef & 0xFF, g = (colorRef >> 8) & 0xFF, b = (colorRef >> 16) & 0xFF;
  return r << 16 | g << 8 | b;
}

void SetHardwareEntry(int index, const PALETTEENTRY& entry) {
  if (lpDDPalette == nullptr || index < 0 || index > 255) return;
  const platform::PaletteEntry e{entry.peRed, entry.peGreen, entry.peBlue, entry.peFlags};
  lpDDPalette->SetEntries(index, 1, &e);
}

// A device context on a DirectDraw record, given back when the holder ends.
class RecordContext {
 public:
  RecordContext(DDSURFACEDATA* lpSD, DWORD colorRef) {
    if (lpSD == nullptr || lpSD->lpDDraw == nullptr || lpSD->lpDDraw->lpSurface == nullptr) return;
    surface_ = lpSD->lpDDraw->lpSurface.get();
    if (!platform::Succeeded(surface_->GetDC(dc_))) {
      surface_ = nullptr;
      return;
    }
    // An off-screen surface has no palette of its own: an 8-bit text colour is looked up in
    // the screen's.
    if (dc_.palette == nullptr) dc_.palette = lpDDPalette.get();
    dc_.textColor = ContextColour(colorRef);
    dc_.transparentBackground = true;
  }
  ~RecordContext() {
    if (surface_ != nullptr) surface_->ReleaseDC();
  }
  RecordContext(const RecordContext&) = delete;
  RecordContext& operator=(const RecordContext&) = delete;
  platform::DeviceContext* Get() { return surface_ != nullptr ? &dc_ : nullptr; }

 private:
  platform::DrawSurface* surface_ = nullptr;
  platform::DeviceContext dc_;
};

}  // namespace

Font::~Font() { Release(); }

platform::TextFont* Font::TextFace() {
  if (m_hFont != nullptr) return m_hFont.get();
  if (lpFont != nullptr) return &lpFont->Font();
  return nullptr;
}

bool Font::Create(const char* szFace, int nWidth, int nHeight, int nSpacing, int nLine, int nColorIndex,
                  DDSURFACEDATA* lpFrame, int nFrameThick, int nFrameColor, DDSURFACEDATA* lpPicture,
                  int nCacheMode) {
  m_szFace = szFace != nullptr ? szFace : "";
  m_nWidth = nWidth;
  m_nHeight = nHeight;
  m_nSpacing = nSpacing;
  m_nLine = nLine;
  m_nColorIndex = nColorIndex;
  m_lpFrame = lpFrame;
  m_nFrameThick = nFrameThick;
  m_nFrameColor = nFrameColor;
  m_lpPicture = lpPicture;
  m_bPicture = lpPicture != nullptr ? 1 : 0;
  const PALETTEENTRY& entry = DDPalette[static_cast<BYTE>(nColorIndex)];
  if (lpDTCon != nullptr) {
    m_dwColor = 0xFF000000u | DWORD{entry.peRed} << 16 | DWORD{entry.peGreen} << 8 | entry.peBlue;
    lpFont = platform::SpriteFont::Create(lpDevice.get(), m_szFace, nHeight, 0);
    if (lpDevice != nullptr) lpDevice->CreateSprite(m_lpSprite);
    if (m_SDWork.lpDT == nullptr) DDCreateSurface(&m_SDWork, SDBackBuffer.nWidth, SDBackBuffer.nHeight, 1, 0, 0, 0, 0);
    m_nId = lpDTCon->nNextFontId++;
  } else if (DDCtx != nullptr) {
    DWORD r = entry.peRed, g = entry.peGreen, b = entry.peBlue;
    if (DDBpp == 16) {
      r = DDPixelFormat.nRedMax != 0 ? r * 255 / static_cast<DWORD>(DDPixelFormat.nRedMax) : 0;
      g = DDPixelFormat.nGreenMax != 0 ? g * 255 / static_cast<DWORD>(DDPixelFormat.nGreenMax) : 0;
      b = DDPixelFormat.nBlueMax != 0 ? b * 255 / static_cast<DWORD>(DDPixelFormat.nBlueMax) : 0;
    }
    m_dwColor = r | g << 8 | b << 16;
    m_hFont = platform::TextFont::Create(m_szFace, nHeight, nWidth);
    if (m_SDWork.lpDDraw == nullptr || m_SDWork.lpDDraw->lpSurface == nullptr) {
      if (!DDCreateSurface(&m_SDWork, SDBackBuffer.nWidth, SDBackBuffer.nHeight, 1, 0, 0, 0, 0)) {
        ErrLogf("DDCreateSurface Font::Work");
        PostCloseRequest();
        return false;
      }
    }
    m_nId = DDCtx->nNextFontId++;
  } else {
    return false;
  }
  if (std::find(FontList.begin(), FontList.end(), this) == FontList.end()) FontList.push_back(this);
  m_nCacheMode = nCacheMode;
  DestroySheets();
  if (nCacheMode == 0) return true;
  if (nSpacing == 0 || nLine == 0) {
    ErrLogf("※フォントクラスで文字間が未設定！");
    m_nCacheMode = 0;  // no sheets: drawn as a font without the cache
    return true;
  }
  return MakeSheets();
}

bool Font::MakeSheets() {
  m_lpFastFont_Half = std::make_unique<FastFont>(0, m_nSpacing, m_nLine, 16, 16);
  if (!m_lpFastFont_Half->CreateSurface()) {
    ErrLogf("m_lpFastFont_Half Err");
    PostCloseRequest();
    return false;
  }
  const bool d3d = lpDTCon != nullptr;
  const int sheetW = d3d ? 1024 : SDBackBuffer.nWidth;
  const int sheetH = d3d ? 1024 : SDBackBuffer.nHeight;
  const int columns = std::min(sheetW / m_nSpacing, 32);
  const int rows = std::min(sheetH / m_nLine, d3d ? 32 : 30);
  m_lpFastFont_FullAdd = std::make_unique<FastFont>(1, m_nSpacing, m_nLine, columns, rows);
  if (!m_lpFastFont_FullAdd->CreateSurface()) {
    ErrLogf("m_lpFastFont_FullAdd Err");
    PostCloseRequest();
    return false;
  }
  FillHalfSheet();
  FillFullSheet(false);
  return true;
}

void Font::DestroySheets() {
  m_lpFastFont_Half.reset();
  m_lpFastFont_FullAdd.reset();
}

void Font::FillSheet(FastFont* lpSheet, const std::string& text) {
  DDFillSurface(&lpSheet->m_SD, 0);
  const int picture = m_bPicture, cache = m_nCacheMode;
  m_bPicture = 0;
  m_nCacheMode = 0;
  Draw(&lpSheet->m_SD, 0, 0, text.c_str(), 0);
  m_bPicture = picture;
  m_nCacheMode = cache;
}

void Font::FillHalfSheet() {
  std::string text = "\n";
  for (int r = 1; r < 16; ++r) {
    for (int c = 0; c < 16; ++c) text += static_cast<char>(r * 16 + c);
    text += '\n';
  }
  FillSheet(m_lpFastFont_Half.get(), text);
}

void Font::FillFullSheet(bool bRebuild) {
  FastFont& sheet = *m_lpFastFont_FullAdd;
  if (!bRebuild) {
    for (const char* p = kFontPresetChars; p[0] != '\0' && p[1] != '\0'; p += 2) {
      if (sheet.AddChar(p) == 0) break;
    }
  }
  std::string text;
  for (const FastFont::Glyph& glyph : sheet.m_Glyphs) {
    text.append(glyph.szChar, 2);
    if ((glyph.nIndex + 1) % sheet.m_nColumns == 0) text += '\n';
  }
  FillSheet(&sheet, text);
}

void Font::Release() {
  m_lpSprite.reset();
  lpFont.reset();
  m_hFont.reset();
  DestroySheets();
  DDDestroySurface(&m_SDWork);
  std::erase(FontList, this);
}

void Font::Restore() {
  if (lpDTCon != nullptr) {
    for (FastFont* sheet : {m_lpFastFont_Half.get(), m_lpFastFont_FullAdd.get()}) {
      if (sheet == nullptr || !sheet->m_SD.bLost) continue;
      if (sheet == m_lpFastFont_Half.get()) {
        FillHalfSheet();
      } else {
        FillFullSheet(true);
      }
      sheet->m_SD.bLost = 0;
    }
    return;
  }
  auto surfaceOf = [](DDSURFACEDATA& sd) -> platform::DrawSurface* {
    return sd.lpDDraw != nullptr ? sd.lpDDraw->lpSurface.get() : nullptr;
  };
  if (platform::DrawSurface* work = surfaceOf(m_SDWork); work != nullptr && work->IsLost()) work->Restore();
  for (FastFont* sheet : {m_lpFastFont_Half.get(), m_lpFastFont_FullAdd.get()}) {
    if (sheet == nullptr) continue;
    platform::DrawSurface* surface = surfaceOf(sheet->m_SD);
    if (surface == nullptr) continue;
    if (surface->IsLost()) surface->Restore();
    if (sheet == m_lpFastFont_Half.get()) {
      FillHalfSheet();
    } else {
      FillFullSheet(true);
    }
  }
}

void Font::TextExtent(const char* szText, int* lpWidth, int* lpHeight) const {
  int width = 0, lines = 0;
  for (std::string_view line : Lines(szText != nullptr ? szText : "")) {
    width = std::max(width, CharCount(line) * m_nSpacing);
    ++lines;
  }
  if (lpWidth != nullptr) *lpWidth = width;
  if (lpHeight != nullptr) *lpHeight = m_nLine * lines;
}

void Font::MeasureText(const char* szText, int* lpWidth, int* lpHeight) {
  if (m_nSpacing != 0) {
    TextExtent(szText, lpWidth, lpHeight);
    return;
  }
  int width = 0, lines = 0;
  platform::TextFont* face = TextFace();
  for (std::string_view line : Lines(szText != nullptr ? szText : "")) {
    ++lines;
    if (line.empty() || face == nullptr) continue;
    width = std::max(width, face->GetTextExtent(line.data(), static_cast<int>(line.size())).cx);
  }
  if (lpWidth != nullptr) *lpWidth = width;
  if (lpHeight != nullptr) *lpHeight = m_nLine * lines;
}

bool Font::BeginSpriteOn(DDSURFACEDATA* lpDst) {
  if (m_lpSprite == nullptr || !DDBeginScene()) return false;
  DDSetRenderTarget(0, lpDst);
  m_lpSprite->Begin(kSpriteFlags);
  return true;
}

void Font::EndSpriteOn() {
  m_lpSprite->End();
  DDSetRenderTarget(0, lpDTCon->lpRestRT);
}

void Font::Draw(DDSURFACEDATA* lpDst, int x, int y, const char* szText, int bPlain) {
  if (lpDst == nullptr || szText == nullptr) return;
  const int picture = bPlain != 0 ? 0 : m_bPicture;
  if (lpDTCon != nullptr) {
    DDResolveAlias(&lpDst);
    DDRedirectBackBuffer(&lpDst);
    if (lpDst->lpDT == nullptr) return;
    const bool direct = !Cached();
    if (lpDst->lpDT->bRenderTarget) {
      if (direct && !BeginSpriteOn(lpDst)) return;
      GlyphPass(lpDst, nullptr, x, y, lpDst, x, y, szText, picture);
      if (direct) m_lpSprite->End();
      PicturePass(lpDst, x, y, szText);
      if (direct) DDSetRenderTarget(0, lpDTCon->lpRestRT);
      return;
    }
    int w = 0, h = 0;
    MeasureText(szText, &w, &h);
    DDFillRect(&m_SDWork, 0, 0, w, h, 0);
    if (direct && !BeginSpriteOn(&m_SDWork)) return;
    GlyphPass(&m_SDWork, nullptr, 0, 0, lpDst, x, y, szText, picture);
    if (direct) m_lpSprite->End();
    PicturePass(&m_SDWork, 0, 0, szText);
    DDSetRenderTarget(0, lpDTCon->lpRestRT);
    DDBlt(lpDst, x, y, w, h, &m_SDWork, 0, 0, DDBLT_KEYED);
    return;
  }
  if (DDCtx == nullptr) return;
  int w = 0, h = 0;
  MeasureText(szText, &w, &h);
  DDFillRect(&m_SDWork, 0, 0, w, h, 0);
  {
    RecordContext dc(&m_SDWork, m_dwColor);
    if (dc.Get() != nullptr) GlyphPass(&m_SDWork, dc.Get(), 0, 0, lpDst, x, y, szText, picture);
  }
  DDBlt(lpDst, x, y, w, h, &m_SDWork, 0, 0, DDBLT_KEYED);
  PicturePass(lpDst, x, y, szText);
}

void Font::DrawLineDirect(DDSURFACEDATA* lpDst, platform::DeviceContext* lpDC, int x, int y, const char* szLine,
                          int nCount) {
  if (lpDTCon != nullptr) {
    if (lpFont == nullptr) return;
    platform::PixelRect rect{x, y, x, y};
    lpFont->DrawText(m_lpSprite.get(), szLine, nCount, &rect, platform::kTextNoClip, m_dwColor);
    return;
  }
  (void)lpDst;
  if (m_hFont != nullptr && lpDC != nullptr) m_hFont->TextOut(*lpDC, x, y, szLine, nCount);
}

void Font::GlyphPass(DDSURFACEDATA* lpDirect, platform::DeviceContext* lpDC, int x, int y, DDSURFACEDATA* lpFinal,
                     int fx, int fy, const char* szText, int bPicture) {
  DDBeginBatch(1);
  if (m_nSpacing == 0) {
    int lineOffset = 0;
    for (std::string_view line : Lines(szText)) {
      if (!line.empty()) {
        DrawLineDirect(lpDirect, lpDC, x, y + lineOffset, line.data(), static_cast<int>(line.size()));
      }
      lineOffset += m_nLine;
    }
    DDFlushBatch();
    return;
  }
  const bool cached = Cached() && lpFinal != nullptr;
  const bool pictures = bPicture != 0 && m_lpPicture != nullptr &&
                        (m_lpPicture->lpDT != nullptr || m_lpPicture->lpDDraw != nullptr);
  int column = 0, line = 0;
  for (const char* p = szText; *p != '\0';) {
    if (IsDoubleAt(p)) {
      if (!(p[0] == "　"[0] && p[1] == "　"[1])) {
        if (!cached) {
          DirectGlyph(lpDirect, lpDC, x + column, y + line, p, 2);
        } else if (m_lpFastFont_FullAdd->DrawChar(lpFinal, fx + column, fy + line, p, DDBLT_KEYED) == 0) {
          if (m_lpFastFont_FullAdd->AddChar(p) == 0) {
            DirectGlyph(lpDirect, lpDC, x + column, y + line, p, 2);
          } else {
            DrawNewCell(lpFinal, m_lpFastFont_FullAdd->m_nCount - 1, p);
            m_lpFastFont_FullAdd->DrawCell(lpFinal, fx + column, fy + line, m_lpFastFont_FullAdd->m_nCount - 1,
                                           DDBLT_KEYED);
          }
        }
      }
      column += m_nSpacing;
      p += 2;
      continue;
    }
    const auto c = static_cast<unsigned char>(*p);
    if (c == '\n') {
      line += m_nLine;
      column = 0;
    } else if (c == ' ' || (pictures && c >= 'a' && c <= 'z')) {
      column += m_nSpacing;
    } else {
      if (cached) {
        m_lpFastFont_Half->DrawCell(lpFinal, fx + column, fy + line, c, DDBLT_KEYED);
      } else {
        DirectGlyph(lpDirect, lpDC, x + column, y + line, p, 1);
      }
      column += m_nSpacing;
    }
    ++p;
  }
  DDFlushBatch();
}

void Font::DirectGlyph(DDSURFACEDATA* lpDst, platform::DeviceContext* lpDC, int x, int y, const char* szBytes,
                       int nCount) {
  platform::TextFont* face = TextFace();
  if (face == nullptr) return;
  int px = x, py = y;
  if (m_bCenter) {
    const platform::TextExtent size = face->GetTextExtent(szBytes, nCount);
    px = x + (m_nSpacing >> 1) - (size.cx >> 1);
    py = y + (m_nLine >> 1) - (size.cy >> 1);
  } else if (nCount == 1) {
    px = x + (m_nSpacing >> 3);
    py = y + (m_nLine >> 4) - 1;
  }
  if (lpDTCon != nullptr) {
    // With the cache on nobody has begun the sprite for this glyph.
    const bool own = Cached();
    if (own && !BeginSpriteOn(lpDst)) return;
    DrawLineDirect(lpDst, nullptr, px, py, szBytes, nCount);
    if (own) EndSpriteOn();
    return;
  }
  DrawLineDirect(lpDst, lpDC, px, py, szBytes, nCount);
}

void Font::DrawNewCell(DDSURFACEDATA* /*lpFinal*/, int nIndex, const char* szBytes) {
  FastFont& sheet = *m_lpFastFont_FullAdd;
  const int cx = (nIndex % sheet.m_nColumns) * sheet.m_nCellW;
  const int cy = (nIndex / sheet.m_nColumns) * sheet.m_nCellH;
  if (lpDTCon != nullptr) {
    DirectGlyph(&sheet.m_SD, nullptr, cx, cy, szBytes, 2);
    return;
  }
  if (DDBpp == 8) SetHardwareEntry(m_nColorIndex, DDPalette[static_cast<BYTE>(m_nColorIndex)]);
  {
    RecordContext dc(&sheet.m_SD, m_dwColor);
    if (dc.Get() != nullptr) DirectGlyph(&sheet.m_SD, dc.Get(), cx, cy, szBytes, 2);
  }
  if (DDBpp == 8) SetHardwareEntry(m_nColorIndex, DDPaletteSaved[static_cast<BYTE>(m_nColorIndex)]);
}

void Font::PicturePass(DDSURFACEDATA* lpDst, int x, int y, const char* szText) {
  if (!m_bPicture || m_lpPicture == nullptr || m_nSpacing == 0) return;
  if (m_lpPicture->lpDT == nullptr && m_lpPicture->lpDDraw == nullptr) return;
  DDBeginBatch(0);
  int column = 0, line = 0;
  for (const char* p = szText; *p != '\0';) {
    if (IsDoubleAt(p)) {
      column += m_nSpacing;
      p += 2;
      continue;
    }
    const auto c = static_cast<unsigned char>(*p);
    if (c >= 'a' && c <= 'z') {
      DDBlt(lpDst, x + column, y + line, m_nSpacing, m_nLine, m_lpPicture, m_nSpacing * (c - 'a'), 0, DDBLT_KEYED);
      column += m_nSpacing;
    } else if (c == '\n') {
      line += m_nLine;
      column = 0;
    } else {
      column += m_nSpacing;
    }
    ++p;
  }
  DDFlushBatch();
}

void Font::DrawF(DDSURFACEDATA* lpDst, int x, int y, const char* szFormat, ...) {
  va_list args;
  va_start(args, szFormat);
  const std::string text = VFormat(szFormat, args);
  va_end(args);
  Draw(lpDst, x, y, text.c_str(), 0);
}

void Font::DrawFrame(DDSURFACEDATA* lpDst, int x, int y, int w, int h) {
  if (m_lpFrame != nullptr) {
    if (x == 10000) x = (m_lpFrame->nWidth >> 1) - (w >> 1);
    if (y == 10000) y = (m_lpFrame->nHeight >> 1) - (h >> 1);
  }
  DDBltFrame(lpDst, x, y, w, h, m_lpFrame, m_nFrameThick, m_nFrameColor);
}

void Font::DrawBoxColor(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* szText, int nIndent,
                        DWORD /*dwColor*/) {
  if (szText == nullptr) szText = "";
  if (w == 0 || h == 0) {
    int tw = 0, th = 0;
    MeasureText(szText, &tw, &th);
    if (w == 0) w = nIndent + tw;
    if (h == 0) h = th;
  }
  DrawFrame(lpDst, x, y, w, h);
  if (m_lpFrame != nullptr) {
    if (x == 10000) x = (m_lpFrame->nWidth >> 1) - (w >> 1);
    if (y == 10000) y = (m_lpFrame->nHeight >> 1) - (h >> 1);
  }
  Draw(lpDst, x + nIndent, y, szText, 0);
}

void Font::DrawBox(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* szText, int nIndent) {
  DrawBoxColor(lpDst, x, y, w, h, szText, nIndent, m_dwColor);
}

void Font::DrawBoxF(DDSURFACEDATA* lpDst, int x, int y, int w, int h, const char* szFormat, ...) {
  va_list args;
  va_start(args, szFormat);
  const std::string text = VFormat(szFormat, args);
  va_end(args);
  DrawBox(lpDst, x, y, w, h, text.c_str(), 0);
}

int DDCreateFonts(Font* lpFonts, FontDef* lpRows, int nCount) {
  for (int i = 0; i < nCount; ++i) {
    const FontDef& row = lpRows[i];
    auto record = [](int index) -> DDSURFACEDATA* {
      if (DDTableRecords == nullptr || index < 0 || index >= DDTableCount) return nullptr;
      return &DDTableRecords[index];
    };
    if (!lpFonts[i].Create(row.faceName, row.width, row.height, row.charSpacing, row.lineSpacing, row.colorIndex,
                           record(row.frameRow), row.frameParam1, row.frameParam2, record(row.sheetRow),
                           row.cacheMode)) {
      return 0;
    }
  }
  return 1;
}

int DDCreateNumberSheets(DDSURFACEDATA* lpRecords, const SurfaceDef* lpBlank, int nCount, Font* lpFonts,
                         const FontDef* lpRows) {
  for (int i = 0; i < nCount; ++i) {
    const SurfaceDef& blank = lpBlank[i];
    if (!DDCreateSurface(&lpRecords[i], 10 * lpRows[i].charSpacing, lpRows[i].lineSpacing, blank.colorKey,
                         blank.ddSystemMemory, blank.d3dMemoryType, blank.d3dAlias, 0)) {
      return 0;
    }
    DDDrawNumberSheet(&lpRecords[i], &lpFonts[i]);
  }
  return 1;
}

void DDDrawNumberSheet(DDSURFACEDATA* lpSD, Font* lpFont) {
  if (lpSD == nullptr || lpFont == nullptr) return;
  DDFillRect(lpSD, 0, 0, lpSD->nWidth, lpSD->nHeight, 0);
  lpFont->Draw(lpSD, 0, 0, "0123456789", 0);
}
