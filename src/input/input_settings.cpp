#include "input/input_settings.h"

namespace {

cInputSettings g_defaults;
cInputSettings* g_settings = &g_defaults;

}  // namespace

KeyConfig cInputSettings::KeyConfiguration() {
  KeyConfig config;
  DefaultKeyConfig(&config);
  return config;
}

void SetInputSettings(cInputSettings* settings) { g_settings = settings != nullptr ? settings : &g_defaults; }

cInputSettings& InputSettings() { return *g_settings; }
