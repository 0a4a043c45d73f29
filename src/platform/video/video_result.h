#pragma once

#include <cstdint>

namespace platform {

// What a call of the video layer answers. Each failure has a 32-bit code with the top bit set,
// which is what the drawing library prints in its log lines; a device that was lost and one
// that may now be reset carry the codes the game's logs have always shown for them.
enum class VideoResult : std::uint32_t {
  Ok = 0,
  Failed = 0x8876F001,
  InvalidCall = 0x8876F002,
  InvalidRect = 0x8876F003,
  OutOfMemory = 0x8876F004,
  OutOfVideoMemory = 0x8876F005,
  SurfaceLost = 0x8876F006,
  SurfaceBusy = 0x8876F007,  // locked, or lent out as a device context
  NotLocked = 0x8876F008,
  RefreshRateRefused = 0x8876F009,
  DeviceLost = 0x88760868,
  DeviceNotReset = 0x88760869,
};

inline bool Succeeded(VideoResult result) { return result == VideoResult::Ok; }
inline std::uint32_t ResultCode(VideoResult result) { return static_cast<std::uint32_t>(result); }

}  // namespace platform
