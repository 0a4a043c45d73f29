// The start-up's input steps: the menus' key repeat, the joystick button masks, the key
// configuration and the player's options.

#include "app/startup_steps.h"
#include "data/option_data.h"
#include "data/project_paths.h"
#include "input/input.h"
#include "input/input_link.h"
#include "input/input_settings.h"
#include "input/key_config.h"

namespace startup {

bool KeyRepeat(StartupContext& /*context*/) {
  for (cInput& input : PlayerInputs) input.SetRepeat(18, 6);
  return true;
}

bool KeyConfiguration(StartupContext& /*context*/) {
  for (cInput& input : PlayerInputs) input.InitButtonMasks();
  PlayerKeyConfig = InputSettings().KeyConfiguration();
  InstallInputLink();
  return true;
}

// A missing or broken Option.dat leaves the defaults; the start goes on either way.
bool Options(StartupContext& /*context*/) {
  LoadOptionData(OptionData, ProjectPaths[kPathOptions]);
  return true;
}

}  // namespace startup

namespace shutdown {

// No keyboard hook was ever set; what stands in its place is the frame step's tie to the
// player's input.
void KeyboardHooks() { RemoveInputLink(); }

}  // namespace shutdown
