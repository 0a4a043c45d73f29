// Parses arbitrary bytes as System.ini against the option rows of a new project. Besides
// ending without a crash or a hang, the parse must keep the stage path within its buffer,
// and the text followed by LF and NUL must read as a proper file giving the same settings
// (whatever was cut off at the end of the text is applied, or ignored, alike).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/system_ini.h"

namespace {

SystemIniKeys ProjectRows() {
  const char* const keys[] = {"Direct3D",     "WindowMode",      "Bpp",     "VSync",     "D3D_FontCache",
                              "DD_FontCache", "DD_VideoStretch", "ShowFps", "FreeStage", "English"};
  SystemIniKeys rows(10);
  for (int row = 0; row < 10; ++row) rows[row] = {keys[row], row, ""};
  rows[8].nValue = 0;
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const SystemIniKeys rows = ProjectRows();
  const std::string text(reinterpret_cast<const char*>(data), size);

  cSystemIni settings;
  SetSystemIniDefaults(settings, rows);
  const int result = ParseSystemIni(text, settings, rows);
  if (result != 0 && result != 1) std::abort();
  if (settings.FreeStage.size() == 1 || settings.FreeStage.size() > kMaxFreeStage) std::abort();

  cSystemIni ended;
  SetSystemIniDefaults(ended, rows);
  if (ParseSystemIni(text + std::string("\n\0", 2), ended, rows) != 1) std::abort();
  if (!(ended == settings)) std::abort();
  return 0;
}
