#include "platform/input/joystick.h"

#include <array>
#include <mutex>

namespace platform {
namespace {

struct PadSlot {
  bool plugged = false;
  JoyReading reading;
};

std::mutex g_mutex;
std::array<PadSlot, kMaxJoysticks> g_pads;

bool ValidId(int id) { return id >= 0 && id < kMaxJoysticks; }

}  // namespace

int JoyGetPosEx(int id, JoyReading& reading) {
  if (!ValidId(id)) return kJoyUnplugged;
  std::lock_guard lock(g_mutex);
  const PadSlot& slot = g_pads[static_cast<std::size_t>(id)];
  if (!slot.plugged) return kJoyUnplugged;
  reading = slot.reading;
  return 0;
}

int PlugPad() {
  std::lock_guard lock(g_mutex);
  for (std::size_t id = 0; id < g_pads.size(); ++id) {
    if (g_pads[id].plugged) continue;
    g_pads[id] = PadSlot{true, JoyReading{}};
    return static_cast<int>(id);
  }
  return -1;
}

void PublishPad(int id, const JoyReading& reading) {
  if (!ValidId(id)) return;
  std::lock_guard lock(g_mutex);
  g_pads[static_cast<std::size_t>(id)] = PadSlot{true, reading};
}

void UnplugPad(int id) {
  if (!ValidId(id)) return;
  std::lock_guard lock(g_mutex);
  g_pads[static_cast<std::size_t>(id)] = PadSlot{};
}

void UnplugAllPads() {
  std::lock_guard lock(g_mutex);
  g_pads.fill(PadSlot{});
}

}  // namespace platform
