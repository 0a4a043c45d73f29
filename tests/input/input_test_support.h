#pragma once

#include <array>
#include <set>

#include "input/input.h"
#include "input/input_source.h"
#include "input/key_config.h"

namespace inputtest {

// Keys and pads the test sets frame by frame; counts the pad reads it was asked for.
class FakeSource : public cInputSource {
 public:
  bool KeyDown(int virtualKey) override { return keys.count(virtualKey) != 0; }
  int ReadJoystick(int id, platform::JoyReading& reading) override {
    ++reads[static_cast<std::size_t>(id)];
    if (!plugged[static_cast<std::size_t>(id)]) return platform::kJoyUnplugged;
    reading = pads[static_cast<std::size_t>(id)];
    return 0;
  }
  void Pad(int id, std::uint32_t x, std::uint32_t y, std::uint32_t buttons) {
    plugged[static_cast<std::size_t>(id)] = true;
    pads[static_cast<std::size_t>(id)] = platform::JoyReading{x, y, buttons};
  }

  std::set<int> keys;
  std::array<bool, platform::kMaxJoysticks> plugged{};
  std::array<platform::JoyReading, platform::kMaxJoysticks> pads{};
  std::array<int, platform::kMaxJoysticks> reads{};
};

// Installs the fake source and a key configuration for the test's length, and puts the
// platform and the start-up's empty configuration back after it.
class InputFixture {
 public:
  InputFixture() {
    SetInputSource(&source);
    PlayerKeyConfig = KeyConfig{};
  }
  ~InputFixture() {
    SetInputSource(nullptr);
    PlayerKeyConfig = KeyConfig{};
  }
  // A started input as the start-up leaves it.
  static cInput Started() {
    cInput input;
    input.SetRepeat(18, 6);
    input.InitButtonMasks();
    return input;
  }
  FakeSource source;
};

}  // namespace inputtest
