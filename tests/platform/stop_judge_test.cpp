#include "platform/stop_judge.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::StopJudge;
using platform::StopVerdict;

constexpr platform::StopPatience kPatience{200, 1000, 5000};

struct Look {
  std::uint64_t beats;
  std::uint64_t atMs;
  StopVerdict expected;
};

struct Case {
  const char* name;
  std::vector<Look> looks;
};

TEST(StopJudge, ASlowThreadIsWaitedForWhileItBeatsAndJudgedBySilenceOrTheBound) {
  // Every case starts at 0 ms with the thread at 7 beats.
  const Case cases[] = {
      {"steady beats keep the wait going past the silence time",
       {{8, 400, StopVerdict::Wait}, {9, 800, StopVerdict::Wait}, {10, 1200, StopVerdict::Wait},
        {11, 1600, StopVerdict::Wait}, {12, 2400, StopVerdict::Wait}}},
      {"the count the wait began with is no beat", {{7, 999, StopVerdict::Wait}, {7, 1000, StopVerdict::Hung}}},
      {"silence counts from the last beat seen",
       {{8, 800, StopVerdict::Wait}, {8, 1700, StopVerdict::Wait}, {8, 1800, StopVerdict::Hung}}},
      {"a late look that finds new beats is no silence", {{7, 500, StopVerdict::Wait}, {9, 4000, StopVerdict::Wait}}},
      {"beating on to the bound is too long",
       {{8, 2000, StopVerdict::Wait}, {9, 4000, StopVerdict::Wait}, {10, 4999, StopVerdict::Wait},
        {11, 5000, StopVerdict::TooLong}}},
  };
  for (const Case& c : cases) {
    StopJudge judge(kPatience, 7, 0);
    for (const Look& look : c.looks) {
      EXPECT_EQ(judge.Judge(look.beats, look.atMs), look.expected) << c.name << " at " << look.atMs;
    }
  }
}

TEST(StopJudge, TheLongWaitIsToldOnceWhenItPassesTheNoticeTime) {
  StopJudge judge(kPatience, 0, 1000);
  EXPECT_FALSE(judge.TakeNotice(1199));
  EXPECT_TRUE(judge.TakeNotice(1200));
  EXPECT_FALSE(judge.TakeNotice(1300));
  EXPECT_FALSE(judge.TakeNotice(3000));
  EXPECT_EQ(judge.WaitedMs(3000), 2000u);
}

}  // namespace
