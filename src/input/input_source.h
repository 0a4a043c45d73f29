#pragma once

#include "platform/input/joystick.h"

// Where the polls read the keyboard and the joysticks: the platform's key flags and pads,
// or, in tests, a source whose keys and pads the test sets frame by frame.
class cInputSource {
 public:
  virtual ~cInputSource() = default;
  virtual bool KeyDown(int virtualKey);
  // 0 and the reading, or non-zero when the pad cannot be read.
  virtual int ReadJoystick(int id, platform::JoyReading& reading);
};

// nullptr puts the platform back.
void SetInputSource(cInputSource* source);
cInputSource& InputSource();
