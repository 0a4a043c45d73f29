#include "platform/input/sdl_pads.h"

#include <algorithm>
#include <string>

#include "platform/diagnostics.h"
#include "platform/input/joystick.h"
#include "platform/text_codec.h"

namespace platform {
namespace {

// The band the game reads as no direction.
bool AtRest(std::uint32_t axis) { return axis > 10000 && axis < 55535; }

std::uint32_t AxisValue(Sint16 raw) { return static_cast<std::uint32_t>(static_cast<int>(raw) + 32768); }

// A known pad's buttons in the order the game's button numbers take them.
constexpr SDL_GameControllerButton kControllerButtons[] = {
    SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_B,          SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,         SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,      SDL_CONTROLLER_BUTTON_START,      SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
};

// The d-pad (or hat) moves the axes to their ends while the stick itself rests.
void ApplyPad(JoyReading& reading, bool left, bool right, bool up, bool down) {
  if (AtRest(reading.x) && AtRest(reading.y) && (left || right || up || down)) {
    reading.x = left ? 0 : right ? 65535 : 32768;
    reading.y = up ? 0 : down ? 65535 : 32768;
  }
}

JoyReading ReadController(SDL_GameController* controller) {
  JoyReading reading;
  reading.x = AxisValue(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX));
  reading.y = AxisValue(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY));
  for (std::size_t i = 0; i < std::size(kControllerButtons); ++i) {
    if (SDL_GameControllerGetButton(controller, kControllerButtons[i])) reading.buttons |= 1u << i;
  }
  ApplyPad(reading, SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT) != 0,
           SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) != 0,
           SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_UP) != 0,
           SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN) != 0);
  return reading;
}

JoyReading ReadJoystick(SDL_Joystick* joystick) {
  JoyReading reading;
  if (SDL_JoystickNumAxes(joystick) > 0) reading.x = AxisValue(SDL_JoystickGetAxis(joystick, 0));
  if (SDL_JoystickNumAxes(joystick) > 1) reading.y = AxisValue(SDL_JoystickGetAxis(joystick, 1));
  const int buttons = std::min(SDL_JoystickNumButtons(joystick), 32);
  for (int i = 0; i < buttons; ++i) {
    if (SDL_JoystickGetButton(joystick, i)) reading.buttons |= 1u << i;
  }
  if (SDL_JoystickNumHats(joystick) > 0) {
    const Uint8 hat = SDL_JoystickGetHat(joystick, 0);
    ApplyPad(reading, (hat & SDL_HAT_LEFT) != 0, (hat & SDL_HAT_RIGHT) != 0, (hat & SDL_HAT_UP) != 0,
             (hat & SDL_HAT_DOWN) != 0);
  }
  return reading;
}

}  // namespace

bool SdlPads::Open() {
  if (open_) return true;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    ReportDiagnostic("SDL joystick: " + Utf8ToCp932Lossy(SDL_GetError()));
    return false;
  }
  open_ = true;
  return true;
}

void SdlPads::Close() {
  if (!open_) return;
  for (const Pad& pad : pads_) {
    UnplugPad(pad.id);
    if (pad.controller != nullptr) SDL_GameControllerClose(pad.controller);
    else SDL_JoystickClose(pad.joystick);
  }
  pads_.clear();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  open_ = false;
}

void SdlPads::OnEvent(const SDL_Event& event) {
  if (!open_) return;
  if (event.type == SDL_JOYDEVICEADDED) Add(event.jdevice.which);
  else if (event.type == SDL_JOYDEVICEREMOVED) Remove(event.jdevice.which);
}

void SdlPads::Add(int deviceIndex) {
  const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  for (const Pad& pad : pads_) {
    if (pad.instance == instance) return;  // already open (SDL repeats the start-up pads)
  }
  Pad pad;
  pad.instance = instance;
  if (SDL_IsGameController(deviceIndex)) {
    pad.controller = SDL_GameControllerOpen(deviceIndex);
    if (pad.controller != nullptr) pad.joystick = SDL_GameControllerGetJoystick(pad.controller);
  } else {
    pad.joystick = SDL_JoystickOpen(deviceIndex);
  }
  if (pad.joystick == nullptr) {
    ReportDiagnostic("SDL joystick: " + Utf8ToCp932Lossy(SDL_GetError()));
    return;
  }
  pad.id = PlugPad();
  if (pad.id < 0) {  // every id taken: the pad is not the game's
    if (pad.controller != nullptr) SDL_GameControllerClose(pad.controller);
    else SDL_JoystickClose(pad.joystick);
    return;
  }
  pads_.push_back(pad);
}

void SdlPads::Remove(SDL_JoystickID instance) {
  const auto found = std::find_if(pads_.begin(), pads_.end(), [&](const Pad& pad) { return pad.instance == instance; });
  if (found == pads_.end()) return;
  UnplugPad(found->id);
  if (found->controller != nullptr) SDL_GameControllerClose(found->controller);
  else SDL_JoystickClose(found->joystick);
  pads_.erase(found);
}

void SdlPads::Publish() const {
  for (const Pad& pad : pads_) {
    PublishPad(pad.id, pad.controller != nullptr ? ReadController(pad.controller) : ReadJoystick(pad.joystick));
  }
}

}  // namespace platform
