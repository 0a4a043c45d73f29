#pragma once

#include <cstdint>

namespace platform {

inline constexpr int kMaxJoysticks = 16;

// One reading of a joystick: axes 0..65535 with 32768 at rest, button i down is bit i.
struct JoyReading {
  std::uint32_t x = 32768;
  std::uint32_t y = 32768;
  std::uint32_t buttons = 0;
};

// The result the game knew for a joystick that is not there.
inline constexpr int kJoyUnplugged = 167;

// Stands for the multimedia joystick position: 0 and the newest reading of pad `id`, or
// kJoyUnplugged when no pad has that id. Any thread.
int JoyGetPosEx(int id, JoyReading& reading);

// The pads known now, published by the main thread (or the headless script) once per pass.
// A new pad takes the lowest free id; -1 when every id is taken.
int PlugPad();
// The pad keeps its id until unplugged; a reading for an id that is not plugged plugs it.
void PublishPad(int id, const JoyReading& reading);
void UnplugPad(int id);
void UnplugAllPads();

}  // namespace platform
