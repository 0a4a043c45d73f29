#include "gfx/dd_palette.h"

#include <cstring>

#include "core/message_boxes.h"
#include "core/report_log.h"
#include "gfx/bitmap_file.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/render_target.h"
#include "gfx/surface_lock.h"
#include "platform/video/pixel_format.h"

PALETTEENTRY DDPalette[256];
PALETTEENTRY DDPaletteSaved[256];
DWORD DDTransmitKey = 0;

namespace {

// Loads a bitmap file into a temporary record of the current depth, as the palette and the
// transparent colour read it: no colour key, system memory.
int LoadTemporaryRecord(DDSURFACEDATA& record, const char* szFileName) {
  return DDCreateSurfaceFromFile(&record, szFileName, 0, DDBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0);
}

void SetScreenPalette(const PALETTEENTRY* lpPalette) {
  if (lpDDPalette == nullptr) return;
  platform::PaletteEntry entries[256];
  for (int i = 0; i < 256; ++i) {
    entries[i] = {lpPalette[i].peRed, lpPalette[i].peGreen, lpPalette[i].peBlue, lpPalette[i].peFlags};
  }
  lpDDPalette->SetEntries(0, 256, entries);
}

RGBTRIPLE AsTriple(std::uint32_t xrgb) {
  return RGBTRIPLE{static_cast<BYTE>(xrgb), static_cast<BYTE>(xrgb >> 8), static_cast<BYTE>(xrgb >> 16)};
}

DWORD ReadPixel(const cSurfaceLock& lock, int x, int y) {
  const BYTE* p = lock.m_lpBits + (static_cast<std::ptrdiff_t>(y) * lock.m_nPitch + x) * lock.m_nBytes;
  DWORD value = 0;
  std::memcpy(&value, p, static_cast<std::size_t>(lock.m_nBytes));
  return value;
}

DWORD Field(DWORD pixel, int shift, int maximum) { return (pixel >> shift) & static_cast<DWORD>(maximum); }

// The bitmap's colour-table entry 0 when it is an 8-bit bitmap; false for any other bitmap.
bool ColorTableEntry0(const char* szFileName, RGBTRIPLE& entry) {
  platform::BmpImage bitmap;
  if (!DDLoadBitmapFile(szFileName, bitmap) || bitmap.bitsPerPixel != 8) return false;
  entry = AsTriple(bitmap.colors[0]);
  return true;
}

void TakeTransmitD3D(const cSurfaceLock& lock, const char* szFileName) {
  const DWORD texel = ReadPixel(lock, 0, 0);
  if (DDBpp == 32) {
    DDSetTransmit(static_cast<BYTE>(texel >> 16), static_cast<BYTE>(texel >> 8), static_cast<BYTE>(texel));
    return;
  }
  if (DDBpp != 16) return;
  DDTransmitKey = texel & 0xFFFF;
  ColorTableEntry0(szFileName, lpDTCon->rgbKey16);
  const DDPixelLayout& f = DDPixelFormat;
  DDSetTransmit(static_cast<BYTE>(Field(texel, f.nRedShift, f.nRedMax)),
                static_cast<BYTE>(Field(texel, f.nGreenShift, f.nGreenMax)),
                static_cast<BYTE>(Field(texel, f.nBlueShift, f.nBlueMax)));
  ErrLogf("SetTrans(filename) lpDTCon->wTransmit_16 = (%x)", lpDTCon->wTransmit_16);
}

void TakeTransmitDD(const cSurfaceLock& lock, const char* szFileName) {
  if (DDBpp != 8 && DDBpp != 16 && DDBpp != 32) return;
  DDTransmitKey = ReadPixel(lock, 0, 0);
  if (DDBpp == 16 && DDCtx != nullptr) ColorTableEntry0(szFileName, DDCtx->rgbKey16);
}

// The transparent colour as the Direct3D 16-bit back buffer holds it. The arguments are field
// values of the texture layout, widened to 8 bits; the 16-bit key is that colour packed as the
// device packs a clear of it, so that it is the very pixel a key clear leaves on the back buffer.
void SetBackBufferKeys16(BYTE cbRed, BYTE cbGreen, BYTE cbBlue) {
  const DDPixelLayout& t = DDPixelFormat;
  const int red = t.nRedMax != 0 ? cbRed * 255 / t.nRedMax : 0;
  const int green = t.nGreenMax != 0 ? cbGreen * 255 / t.nGreenMax : 0;
  const int blue = t.nBlueMax != 0 ? cbBlue * 255 / t.nBlueMax : 0;
  lpDTCon->dwBackKey =
      0xFF000000u | static_cast<DWORD>(red) << 16 | static_cast<DWORD>(green) << 8 | static_cast<DWORD>(blue);
  lpDTCon->wBackKey16 = static_cast<WORD>(platform::PackArgbNearest(lpDTCon->dwBackKey, lpDTCon->BackBufferFormat));
}

}  // namespace

bool DDLoadPaletteFromFile(PALETTEENTRY* lpPalette, const char* szFileName) {
  platform::BmpImage bitmap;
  if (lpPalette == nullptr || !DDLoadBitmapFile(szFileName, bitmap)) return false;
  if (bitmap.bitsPerPixel == 8 && lpDTCon != nullptr) {
    for (int i = 0; i < 256; ++i) {
      const RGBTRIPLE c = AsTriple(bitmap.colors[static_cast<std::size_t>(i)]);
      lpPalette[i] = {c.rgbtRed, c.rgbtGreen, c.rgbtBlue, 255};
    }
  } else if (bitmap.bitsPerPixel == 8 && DDBpp == 8) {
    for (int i = 0; i < 256; ++i) {
      const RGBTRIPLE c = AsTriple(bitmap.colors[static_cast<std::size_t>(i)]);
      const BYTE flags = i <= 9 || i >= 246 ? PC_EXPLICIT : PC_RESERVED;
      lpPalette[i] = {c.rgbtRed, c.rgbtGreen, c.rgbtBlue, flags};
    }
  }
  if (DDBpp == 8) {
    SetScreenPalette(lpPalette);
    return true;
  }
  if (DDBpp == 16 || DDBpp == 24 || DDBpp == 32) {
    DDSURFACEDATA record;
    if (LoadTemporaryRecord(record, szFileName) == 0) DDSetPalette_UnPal(lpPalette, &record);
    DDReleaseSurface(&record);
  }
  return true;
}

int DDSetTransmit(const char* szFileName) {
  DDSURFACEDATA record;
  if (!DDSurfaceErrorText(LoadTemporaryRecord(record, szFileName))) {
    ErrLogf("%s 作成失敗！", szFileName);
    return 0;
  }
  {
    cSurfaceLock lock(&record);
    if (lock.m_lpBits == nullptr) {
      ErrLog("Lock 失敗！");
      return 0;
    }
    if (lpDTCon != nullptr) {
      TakeTransmitD3D(lock, szFileName);
    } else {
      TakeTransmitDD(lock, szFileName);
    }
  }
  DDReleaseSurface(&record);
  return 1;
}

void DDSetTransmit(BYTE cbRed, BYTE cbGreen, BYTE cbBlue) {
  if (lpDTCon != nullptr) {
    lpDTCon->rgbTransmit = RGBTRIPLE{cbBlue, cbGreen, cbRed};
    ErrLogf(
        "SetTrans lpDTCon->rgbTransmit.rgbtRed = %d,lpDTCon->rgbTransmit.rgbtGreen = %d,lpDTCon->rgbTransmit.rgbtBlue "
        "= %d",
        cbRed, cbGreen, cbBlue);
    if (DDBpp == 32) {
      lpDTCon->dwTexClear = 0;
      lpDTCon->dwBackKey = 0xFF000000u | static_cast<DWORD>(cbRed) << 16 | static_cast<DWORD>(cbGreen) << 8 | cbBlue;
      lpDTCon->wTransmit_16 = 0;
      lpDTCon->wBackKey16 = 0;
      DDTransmitKey = lpDTCon->dwTexClear;
    } else if (DDBpp == 16) {
      lpDTCon->dwTexClear = 0;
      lpDTCon->wTransmit_16 = 0;
      SetBackBufferKeys16(cbRed, cbGreen, cbBlue);
    }
    return;
  }
  if (DDBpp != 16 && DDBpp != 32) return;
  const DDPixelLayout& f = DDPixelFormat;
  DDTransmitKey = static_cast<DWORD>(cbRed * f.nRedMax / 255) << f.nRedShift |
                  static_cast<DWORD>(cbGreen * f.nGreenMax / 255) << f.nGreenShift |
                  static_cast<DWORD>(cbBlue * f.nBlueMax / 255) << f.nBlueShift;
  if (DDBpp != 16) return;
  DDTransmitKey &= 0xFFFF;
  ErrLog("※16bit色で　DDSetTransmit(BYTE cbRed,BYTE cbGreen,BYTE cbBlue)　は未対応！");
  const auto widen = [](DWORD key, int shift, int maximum) {
    return maximum != 0 ? static_cast<int>(Field(key, shift, maximum)) * 255 / maximum : 0;
  };
  DebugBoxF("Tr %d RGB32(%d,%d,%d) -> RGB16(%d,%d,%d)", static_cast<int>(DDTransmitKey), cbRed, cbGreen, cbBlue,
            widen(DDTransmitKey, f.nRedShift, f.nRedMax), widen(DDTransmitKey, f.nGreenShift, f.nGreenMax),
            widen(DDTransmitKey, f.nBlueShift, f.nBlueMax));
}

DWORD PalNumToRGB(DWORD dwPalNum) {
  if (dwPalNum > 255) {
    ErrLogf("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = %d", static_cast<int>(dwPalNum));
    return 0;
  }
  const PALETTEENTRY& e = DDPalette[dwPalNum];
  const DWORD r = e.peRed, g = e.peGreen, b = e.peBlue;
  if (lpDTCon != nullptr) {
    switch (DDBpp) {
      case 8: return dwPalNum;
      case 16:
      case 32: return dwPalNum == 0 ? lpDTCon->dwTexClear : 0xFF000000u | r << 16 | g << 8 | b;
      case 24: return r | g << 8 | b << 16;
      default: return 0;
    }
  }
  const DDPixelLayout& f = DDPixelFormat;
  switch (DDBpp) {
    case 8: return dwPalNum;
    case 16:
      return (r & static_cast<DWORD>(f.nRedMax)) << f.nRedShift |
             (g & static_cast<DWORD>(f.nGreenMax)) << f.nGreenShift |
             (b & static_cast<DWORD>(f.nBlueMax)) << f.nBlueShift;
    case 24:
    case 32: return r << 16 | g << 8 | b;
    default: return 0;
  }
}

WORD DDPalToRGB16(const PALETTEENTRY* lpEntry) {
  if (lpDTCon != nullptr) {
    ErrLog("DDPalToRGB16はDirect3Dでは未対応");
    return 0;
  }
  const DDPixelLayout& f = DDPixelFormat;
  return static_cast<WORD>((lpEntry->peRed & f.nRedMax) << f.nRedShift |
                           (lpEntry->peGreen & f.nGreenMax) << f.nGreenShift |
                           (lpEntry->peBlue & f.nBlueMax) << f.nBlueShift);
}

int DDSetPalette_UnPal(PALETTEENTRY* lpPalette, DDSURFACEDATA* lpSD) {
  if (lpDTCon != nullptr) {
    DDResolveAlias(&lpSD);
    DDRedirectBackBuffer(&lpSD);
  }
  cSurfaceLock lock(lpSD);
  if (lock.m_lpBits == nullptr) {
    if (lpDTCon != nullptr) ErrLogf("DDSetPalette_UnPal Lock Err");
    return 1;
  }
  const DDPixelLayout& f = DDPixelFormat;
  const auto widen = [](DWORD p, int shift, int maximum) {
    return static_cast<BYTE>(maximum != 0 ? static_cast<int>(Field(p, shift, maximum)) * 255 / maximum : 0);
  };
  for (int n = 0; n < 256; ++n) {
    const int x = n % 16, y = 8 + n / 16;
    // A bitmap too small for the 16 x 16 block leaves the entries it does not hold unchanged.
    if (x >= lock.m_lpSD->nWidth || y >= lock.m_lpSD->nHeight) continue;
    const DWORD p = ReadPixel(lock, x, y);
    PALETTEENTRY& e = lpPalette[n];
    if (lpDTCon != nullptr && DDBpp == 16) {
      if (Field(p, f.nAlphaShift, f.nAlphaMax) == 0) continue;
      e.peRed = widen(p, f.nRedShift, f.nRedMax);
      e.peGreen = widen(p, f.nGreenShift, f.nGreenMax);
      e.peBlue = widen(p, f.nBlueShift, f.nBlueMax);
    } else if (lpDTCon != nullptr && DDBpp == 32) {
      if ((p >> 24) == 0) continue;
      e = {static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p), static_cast<BYTE>(p >> 24)};
    } else if (lpDTCon == nullptr && DDBpp == 16) {
      e.peRed = static_cast<BYTE>(Field(p, f.nRedShift, f.nRedMax));
      e.peGreen = static_cast<BYTE>(Field(p, f.nGreenShift, f.nGreenMax));
      e.peBlue = static_cast<BYTE>(Field(p, f.nBlueShift, f.nBlueMax));
    } else if (lpDTCon == nullptr && DDBpp == 32) {
      e = {static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p), static_cast<BYTE>(p >> 24)};
    }
  }
  return 1;
}
