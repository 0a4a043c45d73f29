#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/checked_sequence.h"

// One key row of System.ini: the key name of one setting and its default, a number or (for
// the stage to play at once) a text. The project's system data supplies the rows.
struct SystemIniKey {
  std::string strKey;
  std::int32_t nValue = 0;
  std::string strValue;
};
using SystemIniKeys = cVector<SystemIniKey>;

// The machine's own settings from System.ini. The key names and defaults come from the key
// rows, matched to the fields by row position (the row of each field is noted beside it).
struct cSystemIni {
  std::int32_t Direct3D = 0;         // row 0: 0 DirectDraw, 1 Direct3D, 2 or more ask at start-up
  std::int32_t WindowMode = 0;       // row 1: 0 full screen, 1 window, 2 sizable window (Direct3D)
  std::int32_t Bpp = 0;              // row 2: colour depth, 0 automatic
  std::int32_t VSync = 0;            // row 3: 2 or more automatic
  std::int32_t D3D_FontCache = 0;    // row 4
  std::int32_t DD_FontCache = 0;     // row 5
  std::int32_t DD_VideoStretch = 0;  // row 6
  std::int32_t ShowFps = 0;          // row 7: 0 off, 2 plain text, else boxed
  std::int32_t English = 0;          // row 9; its default is always 0
  std::string FreeStage;             // row 8: stage file to play at once, at most kMaxFreeStage bytes

  bool operator==(const cSystemIni&) const = default;
};

extern cSystemIni SystemIni;

// Longest stage path taken, as for every game path (a 260-byte buffer with its terminator).
constexpr std::size_t kMaxFreeStage = 259;
// Longest key or value kept; a line with a longer one is read past and ignored.
constexpr std::size_t kMaxSystemIniToken = 2047;
// Lines read at most; the rest of the file is not looked at.
constexpr int kMaxSystemIniLines = 10000;
// A larger file is refused rather than read.
constexpr std::size_t kMaxSystemIniBytes = 1u << 20;

// The defaults of the option rows: rows 0-7 give the numbers, row 8 the stage text;
// English is 0.
void SetSystemIniDefaults(cSystemIni& settings, const SystemIniKeys& rows);

// Applies the settings text over what `settings` holds. 1 when the text ends properly (an
// "Exit" line ended by LF, a NUL where a key would start, or the line limit), 0 when it
// simply runs out; settings found before that stay applied, and the caller sets the
// defaults again.
int ParseSystemIni(std::string_view text, cSystemIni& settings, const SystemIniKeys& rows);

// Reads the file named by the game path and parses it; 0 also when it cannot be read.
int LoadSystemIni(std::string_view path, cSystemIni& settings, const SystemIniKeys& rows);
