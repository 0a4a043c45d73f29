#pragma once

#include <memory>

namespace platform {

// Joysticks made by SDL itself, plugged into the same path as real pads (hot-plug events,
// the per-pass readings), so that the joystick path is tried without hardware.
class VirtualPads {
 public:
  VirtualPads();
  ~VirtualPads();
  bool Ready() const;
  // A plain joystick, or one SDL knows as a game controller; its handle, or -1.
  int Attach(bool controller);
  void Detach(int handle);
  void SetAxis(int handle, int axis, int value);  // -32768..32767
  void SetButton(int handle, int button, bool down);
  void SetHat(int handle, int hat, int bits);  // 1 up, 2 right, 4 down, 8 left
  // One pass of the main thread: SDL's events taken, the readings published.
  void Pump();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
