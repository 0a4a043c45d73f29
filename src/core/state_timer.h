#pragma once

#include <cstdint>

// What a modal display of the play scene is to show and for how long; the play scene fills
// it before it starts the display thread, which reads it.
struct cStateTimer {
  std::int32_t m_nKind = 0;
  std::int32_t m_nSubTimer = 0;
  std::int32_t m_nValue = 0;  // the wait value
  std::int32_t m_nDuration = 0;
  std::int32_t m_nCount = 0;

  // A kind-1 display with a value gets a lead-in of 10 on its sub-timer unless flag says
  // otherwise; every call starts the counter again.
  void Set(std::int32_t kind, std::int32_t value, std::int32_t duration, std::int32_t flag);
};
