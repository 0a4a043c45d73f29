#include "platform/input/virtual_pads.h"

#include <SDL.h>

#include <map>

#include "platform/input/sdl_pads.h"

namespace platform {

struct VirtualPads::Impl {
  SdlPads pads;
  std::map<int, SDL_Joystick*> joysticks;
  bool ready = false;
};

VirtualPads::VirtualPads() : impl_(std::make_unique<Impl>()) { impl_->ready = impl_->pads.Open(); }

VirtualPads::~VirtualPads() {
  for (auto& [handle, joystick] : impl_->joysticks) {
    SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(handle);
  }
  impl_->pads.Close();
}

bool VirtualPads::Ready() const { return impl_->ready; }

int VirtualPads::Attach(bool controller) {
  const int index = SDL_JoystickAttachVirtual(
      controller ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_ARCADE_STICK, controller ? 6 : 2,
      controller ? SDL_CONTROLLER_BUTTON_MAX : 12, controller ? 0 : 1);
  if (index < 0) return -1;
  SDL_Joystick* joystick = SDL_JoystickOpen(index);
  if (joystick == nullptr) return -1;
  const int handle = SDL_JoystickInstanceID(joystick);
  impl_->joysticks[handle] = joystick;
  return handle;
}

void VirtualPads::Detach(int handle) {
  const auto found = impl_->joysticks.find(handle);
  if (found == impl_->joysticks.end()) return;
  // The device index of the instance, which the detach asks for.
  for (int index = 0; index < SDL_NumJoysticks(); ++index) {
    if (SDL_JoystickGetDeviceInstanceID(index) == handle) {
      SDL_JoystickClose(found->second);
      SDL_JoystickDetachVirtual(index);
      break;
    }
  }
  impl_->joysticks.erase(found);
}

void VirtualPads::SetAxis(int handle, int axis, int value) {
  if (impl_->joysticks.count(handle)) SDL_JoystickSetVirtualAxis(impl_->joysticks[handle], axis, static_cast<Sint16>(value));
}

void VirtualPads::SetButton(int handle, int button, bool down) {
  if (impl_->joysticks.count(handle)) SDL_JoystickSetVirtualButton(impl_->joysticks[handle], button, down ? 1 : 0);
}

void VirtualPads::SetHat(int handle, int hat, int bits) {
  if (impl_->joysticks.count(handle)) SDL_JoystickSetVirtualHat(impl_->joysticks[handle], hat, static_cast<Uint8>(bits));
}

void VirtualPads::Pump() {
  SDL_JoystickUpdate();
  SDL_Event event;
  while (SDL_PollEvent(&event)) impl_->pads.OnEvent(event);
  impl_->pads.Publish();
}

}  // namespace platform
