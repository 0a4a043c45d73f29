#pragma once

#include <cstdint>

#include "core/scene.h"
#include "input/input.h"

namespace menutest {

// One frame of a scene with the first player's words down; nothing stays held after it.
inline void PressFrame(cScene& scene, std::uint16_t dir, std::uint16_t buttons) {
  PlayerInputs[0].m_wDir = dir;
  PlayerInputs[0].m_wButton = buttons;
  scene.Run();
  PlayerInputs[0].m_wDir = 0;
  PlayerInputs[0].m_wButton = 0;
}

// A press as a player makes one: the frame with the words down, then a frame with all let go.
inline void PressAndRelease(cScene& scene, std::uint16_t dir, std::uint16_t buttons) {
  PressFrame(scene, dir, buttons);
  scene.Run();
}

}  // namespace menutest
