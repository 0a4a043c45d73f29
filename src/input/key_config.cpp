#include "input/key_config.h"

#include <array>

KeyConfig PlayerKeyConfig{};

void DefaultKeyConfig(KeyConfig* config) {
  static constexpr std::array<std::uint16_t, kKeyBindingCount> kCodes = {37, 39, 38, 40, 'Z', 'X',
                                                                        'C', 'V', 'A', 'S', 'D', 'F'};
  *config = KeyConfig{};
  for (int i = 0; i < kKeyBindingCount; ++i) {
    config->bindings[i] = KeyBinding{kKeyboardDevice, kCodes[static_cast<std::size_t>(i)], 0};
  }
  config->bindingCount = kKeyBindingCount;
  config->joystickCount = 1;
  config->inUse = 0;
}
