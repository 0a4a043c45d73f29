#include "core/state_timer.h"

#include <gtest/gtest.h>

namespace {

TEST(StateTimer, SetStoresTheRequestAndGivesAKindOneDisplayWithAValueItsLeadIn) {
  struct Case {
    int kind, value, duration, flag;
    int subTimer;
  };
  const Case cases[] = {
      {1, 5, 60, 0, 10},  // kind 1 with a value: the lead-in
      {1, 5, 60, 1, 0},   // the flag turns it off
      {2, 5, 60, 0, 0},   // other kinds have none
      {1, 0, 60, 0, 0},   // nor a kind-1 display without a value
      {0, -3, 0, 0, 0},
  };
  for (const Case& c : cases) {
    cStateTimer timer;
    timer.m_nCount = 99;
    timer.m_nSubTimer = 99;
    timer.Set(c.kind, c.value, c.duration, c.flag);
    EXPECT_EQ(timer.m_nSubTimer, c.subTimer) << c.kind << " " << c.value << " " << c.flag;
    EXPECT_EQ(timer.m_nKind, c.kind);
    EXPECT_EQ(timer.m_nValue, c.value);
    EXPECT_EQ(timer.m_nDuration, c.duration);
    EXPECT_EQ(timer.m_nCount, 0);
  }
}

}  // namespace
