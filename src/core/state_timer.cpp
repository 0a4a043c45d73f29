#include "core/state_timer.h"

void cStateTimer::Set(std::int32_t kind, std::int32_t value, std::int32_t duration, std::int32_t flag) {
  m_nKind = kind;
  m_nValue = value;
  m_nDuration = duration;
  m_nCount = 0;
  m_nSubTimer = (value != 0 && kind == 1 && flag == 0) ? 10 : 0;
}
