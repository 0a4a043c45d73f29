#include "input/input_source.h"

#include "platform/input/key_flags.h"

namespace {

cInputSource g_platform;
cInputSource* g_source = &g_platform;

}  // namespace

bool cInputSource::KeyDown(int virtualKey) { return platform::IsKeyDown(virtualKey); }

int cInputSource::ReadJoystick(int id, platform::JoyReading& reading) { return platform::JoyGetPosEx(id, reading); }

void SetInputSource(cInputSource* source) { g_source = source != nullptr ? source : &g_platform; }

cInputSource& InputSource() { return *g_source; }
