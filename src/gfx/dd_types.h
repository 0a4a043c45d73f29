#pragma once

#include <cstdint>

#include "platform/video/render_types.h"

// The drawing library's small value types. Widths are those of the records the library has
// always used: BYTE 8, WORD 16, DWORD 32 bits; a BOOL is a 32-bit int.
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using BOOL = std::int32_t;
using D3DCOLOR = std::uint32_t;  // ARGB8888

using platform::DTVERTEX;

// The main window as the drawing library stores it. The software devices never draw into it:
// the presenter shows their frames in it.
using DDWindowHandle = const void*;

struct PALETTEENTRY {
  BYTE peRed = 0;
  BYTE peGreen = 0;
  BYTE peBlue = 0;
  BYTE peFlags = 0;
  bool operator==(const PALETTEENTRY&) const = default;
};

// Palette entry flags of the 8-bit screen's palette.
constexpr BYTE PC_RESERVED = 1;
constexpr BYTE PC_EXPLICIT = 2;

struct RGBTRIPLE {
  BYTE rgbtBlue = 0;
  BYTE rgbtGreen = 0;
  BYTE rgbtRed = 0;
  bool operator==(const RGBTRIPLE&) const = default;
};

// Shift and maximum of each channel of a pixel layout (DDPixelFormat, DDBackPixelFormat):
// a component c of 0..255 enters as (c * maximum / 255) << shift, a field reads back as
// (pixel >> shift) & maximum.
struct DDPixelLayout {
  std::int32_t nRedShift = 0;
  std::int32_t nGreenShift = 0;
  std::int32_t nBlueShift = 0;
  std::int32_t nAlphaShift = 0;
  std::int32_t nRedMax = 0;
  std::int32_t nGreenMax = 0;
  std::int32_t nBlueMax = 0;
  std::int32_t nAlphaMax = 0;
  bool operator==(const DDPixelLayout&) const = default;
};

// Memory of a Direct3D record's texture.
enum DTMEMORYTYPE : std::int32_t {
  DTMEMORYTYPE_VIDEO_RT = 0,    // video memory: a blank record is a render target, a file record a managed texture
  DTMEMORYTYPE_SYSTEM = 1,      // a dynamic texture in system memory
  DTMEMORYTYPE_VIDEO_NORT = 2,  // accepted and treated as DTMEMORYTYPE_VIDEO_RT
};

// Texture-stage operations as the draw state stores them.
using D3DTEXTUREOP = std::int32_t;
constexpr D3DTEXTUREOP D3DTOP_DISABLE = 1;
constexpr D3DTEXTUREOP D3DTOP_SELECTARG1 = 2;
constexpr D3DTEXTUREOP D3DTOP_SELECTARG2 = 3;
constexpr D3DTEXTUREOP D3DTOP_MODULATE = 4;
