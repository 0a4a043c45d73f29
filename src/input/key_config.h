#pragma once

#include <cstdint>

// One control of the player: device 8 is the keyboard with a virtual-key code; any other
// device is a joystick id, whose code is an axis code (kAxis*) or a mask of button bits.
struct KeyBinding {
  std::int32_t device = 0;
  std::uint16_t code = 0;
  std::uint16_t padding = 0;
};

inline constexpr std::int32_t kKeyboardDevice = 8;
inline constexpr std::uint16_t kAxisXLow = 256;
inline constexpr std::uint16_t kAxisXHigh = 512;
inline constexpr std::uint16_t kAxisYLow = 1024;
inline constexpr std::uint16_t kAxisYHigh = 2048;

inline constexpr int kKeyBindingCount = 12;

// The player's controls: bindings 0 left, 1 right, 2 up, 3 down, 4.. buttons 1 to 8. With
// `inUse` clear the built-in map is played instead. Laid out as the 108-byte key
// configuration file.
struct KeyConfig {
  KeyBinding bindings[kKeyBindingCount];
  std::int32_t bindingCount = 0;
  std::int32_t joystickCount = 0;
  std::int32_t inUse = 0;
};
static_assert(sizeof(KeyConfig) == 108);

// Arrows and Z X C V A S D F, one joystick, the built-in map.
void DefaultKeyConfig(KeyConfig* config);

// The one configuration of the process: written at start-up, only read afterwards.
extern KeyConfig PlayerKeyConfig;
