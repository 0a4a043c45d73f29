#include "core/timing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/clock.h"

namespace {

class FakeClock : public platform::ClockSource {
 public:
  std::uint32_t NowMs() override { return now; }
  void Sleep(std::uint32_t milliseconds) override { now += milliseconds; }
  std::uint32_t now = 0;
};

class TimingTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetTiming();
    platform::SetClockSource(&clock_);
  }
  void TearDown() override {
    platform::SetClockSource(nullptr);
    ResetTiming();
  }
  // How many calls at this very moment the limiter lets through before it holds a frame.
  int LimiterPassesNow(int fps) {
    int passed = 0;
    while (FpsLimiter(fps) && passed < 1000) ++passed;
    return passed;
  }

  FakeClock clock_;
};

TEST_F(TimingTest, StopwatchMeasuresFromTheFrameStart) {
  clock_.now = 1000;
  EXPECT_EQ(TimerStart(), 1000u);
  clock_.now = 1037;
  EXPECT_EQ(TimerElapsed(0), 0u);  // nothing measured yet
  EXPECT_EQ(TimerElapsed(1), 37u);
  clock_.now = 1100;
  EXPECT_EQ(TimerElapsed(0), 37u);
  EXPECT_EQ(TimerElapsed(1), 100u);
}

TEST_F(TimingTest, FrameCounterModes) {
  const struct {
    const char* what;
    std::vector<std::pair<int, int>> calls;  // mode, n
    std::vector<int> results;
  } cases[] = {
      {"every third frame", {{1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3}}, {0, 0, 1, 0, 0, 1}},
      {"mode 2 is 1 right after a 1", {{1, 2}, {1, 2}, {2, 2}, {1, 2}, {2, 2}}, {0, 1, 1, 0, 0}},
      {"mode 0 starts again", {{1, 3}, {1, 3}, {0, 3}, {2, 3}, {1, 3}, {1, 3}, {1, 3}}, {0, 0, 0, 1, 0, 0, 1}},
      {"any mode but 0 and 2 counts", {{7, 2}, {-1, 2}}, {0, 1}},
      {"n = 1 is every frame", {{1, 1}, {1, 1}}, {1, 1}},
      {"a negative n is a huge unsigned one", {{1, -1}, {1, -1}, {1, -1}}, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetTiming();
    std::vector<int> results;
    for (const auto& [mode, n] : c.calls) results.push_back(FrameCounter(mode, n));
    EXPECT_EQ(results, c.results);
  }
}

TEST_F(TimingTest, FpsCounterPublishesWholeSeconds) {
  clock_.now = 5000;
  EXPECT_EQ(FpsCounter(1), 0);  // the first call starts the second, and counts
  for (clock_.now = 5010; clock_.now < 6000; clock_.now += 10) EXPECT_EQ(FpsCounter(1), 0);
  EXPECT_EQ(FpsCounter(0), 0);  // not counted
  clock_.now = 6000;
  EXPECT_EQ(FpsCounter(1), 100);  // the 100 frames before it; this one closes the second
  EXPECT_EQ(FpsCounter(0), 100);
  for (clock_.now = 6010; clock_.now < 7000; clock_.now += 10) FpsCounter(1);
  clock_.now = 7005;
  EXPECT_EQ(FpsCounter(1), 99);  // the frame that closed the last second is in neither
}

TEST_F(TimingTest, FrameGateOpensEverySixteenMsWithoutCatchingUp) {
  clock_.now = 100;
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(FrameGate(0));
  EXPECT_TRUE(FrameGate(60));
  const struct {
    std::uint32_t at;
    bool open;
  } steps[] = {
      {101, false}, {115, false}, {116, true},  // 1000 / 60 is 16 whole ms
      {131, false}, {132, true},  {172, true},  // 24 ms late...
      {180, false}, {187, false}, {188, true},  // ...and the next period counts from 172
  };
  for (const auto& step : steps) {
    clock_.now = step.at;
    EXPECT_EQ(FrameGate(60), step.open) << "at " << step.at;
  }
  EXPECT_TRUE(FrameGate(0));  // 0 never holds a frame back, even mid-period
}

TEST_F(TimingTest, FpsLimiterPacesOnlyTheDirect3DBackend) {
  clock_.now = 0;
  EXPECT_EQ(LimiterPassesNow(60), 1000);  // backend not running
  SetFpsLimiterActive(true);
  EXPECT_EQ(LimiterPassesNow(0), 1000);
  EXPECT_EQ(LimiterPassesNow(60), 1);  // frame 0 of the group
  const struct {
    std::uint32_t at;
    int passes;
  } steps[] = {{16, 0}, {17, 1}, {33, 0}, {34, 1}};  // frame k at k * 16.67 ms
  for (const auto& step : steps) {
    clock_.now = step.at;
    EXPECT_EQ(LimiterPassesNow(60), step.passes) << "at " << step.at;
  }
}

TEST_F(TimingTest, FpsLimiterLetsAStalledGroupFinishThenRestartsFromThatMoment) {
  SetFpsLimiterActive(true);
  // Frames 0 to 49 on time (each just after the ms it falls due in), then a stall of 300 ms.
  for (int frame = 0; frame < 50; ++frame) {
    clock_.now = frame == 0 ? 0 : static_cast<std::uint32_t>(frame * 1000 / 60 + 1);
    ASSERT_TRUE(FpsLimiter(60)) << "frame " << frame;
  }
  clock_.now += 300;
  const std::uint32_t resumed = clock_.now;
  // Frames 50 to 59 are overdue and go at once; the group then restarts now, and its frame 0
  // is due at once as well.
  EXPECT_EQ(LimiterPassesNow(60), 11);
  clock_.now = resumed + 16;
  EXPECT_FALSE(FpsLimiter(60));
  clock_.now = resumed + 17;
  EXPECT_TRUE(FpsLimiter(60));
}

// The clock wraps after 49.7 days; no pacing may stall for another 49.7 days there.
TEST_F(TimingTest, NothingStallsAcrossTheWrapOfTheClock) {
  SetFpsLimiterActive(true);
  clock_.now = 0xFFFFFFE0u;
  TimerStart();
  EXPECT_EQ(FpsCounter(1), 0);
  EXPECT_TRUE(FrameGate(60));
  EXPECT_EQ(LimiterPassesNow(60), 1);

  clock_.now = 0xFFFFFFEFu;  // 15 ms on: the gate still holds
  EXPECT_FALSE(FrameGate(60));
  clock_.now = 0x00000003u;  // 35 ms on, past the wrap and the gate's time
  EXPECT_EQ(TimerElapsed(1), 35u);
  EXPECT_TRUE(FrameGate(60));
  EXPECT_EQ(LimiterPassesNow(60), 2);  // frames 1 and 2 were due at 16.7 and 33.3 ms
  clock_.now = 0x00000012u;            // 50 ms on
  EXPECT_FALSE(FrameGate(60));
  clock_.now = 0x00000013u;
  EXPECT_TRUE(FrameGate(60));
  EXPECT_EQ(LimiterPassesNow(60), 1);  // frame 3, due at 50 ms

  clock_.now = 0xFFFFFFE0u + 1000;
  EXPECT_EQ(FpsCounter(1), 1);
}

}  // namespace
