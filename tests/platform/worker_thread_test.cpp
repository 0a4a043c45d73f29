#include "platform/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using platform::Message;
using platform::PeekResult;
using platform::WorkerThread;

// A thread that counts its passes through the queue until it is told to quit.
struct CountingLoop {
  std::atomic<int> passes{0};
  std::atomic<int> messages{0};
  std::vector<std::uint32_t> received;  // read only after the thread has ended

  void operator()() {
    for (;;) {
      Message message;
      const PeekResult result = platform::PeekThreadMessage(message);
      if (result == PeekResult::Quit) return;
      if (result == PeekResult::Message) {
        received.push_back(message.message);
        ++messages;
      }
      ++passes;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  }
};

template <typename Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 2000 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return condition();
}

TEST(WorkerThread, MessagesArriveInOrderAndAStopIsTheQuit) {
  CountingLoop loop;
  WorkerThread worker;
  ASSERT_TRUE(worker.Start([&] { loop(); }));
  EXPECT_NE(worker.Id(), 0u);
  for (std::uint32_t n : {platform::WM_APP, 1u, 2u}) EXPECT_TRUE(worker.Post(Message{n, 0, 0}));
  ASSERT_TRUE(Eventually([&] { return loop.messages.load() == 3; }));
  worker.RequestStop();
  ASSERT_TRUE(worker.JoinWithin(200));
  EXPECT_EQ(loop.received, (std::vector<std::uint32_t>{platform::WM_APP, 1, 2}));
  EXPECT_FALSE(worker.Running());
  EXPECT_EQ(worker.Id(), 0u);
  EXPECT_FALSE(worker.Post(Message{1, 0, 0}));
}

TEST(WorkerThread, SuspensionIsTakenAtTheNextQueueCallAndAStopEndsIt) {
  CountingLoop loop;
  WorkerThread worker;
  ASSERT_TRUE(worker.Start([&] { loop(); }));
  ASSERT_TRUE(Eventually([&] { return loop.passes.load() > 0; }));

  worker.Suspend();
  worker.Suspend();
  std::this_thread::sleep_for(std::chrono::milliseconds(10));  // the pass under way finishes
  const int held = loop.passes.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(loop.passes.load(), held);

  worker.Resume();  // one of two suspensions: still held
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(loop.passes.load(), held);
  worker.Resume();
  ASSERT_TRUE(Eventually([&] { return loop.passes.load() > held; }));

  // A suspended thread asked to stop is not left hanging in its suspension.
  worker.Suspend();
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  worker.RequestStop();
  EXPECT_TRUE(worker.JoinWithin(200));
}

TEST(WorkerThread, OneCallerJoinsAndAnotherWaitsForThatJoin) {
  CountingLoop loop;
  WorkerThread target;
  ASSERT_TRUE(target.Start([&] { loop(); }));
  std::atomic<int> joined{0};
  std::thread first([&] { joined += target.Join() ? 1 : 0; });
  std::thread second([&] { joined += target.Join() ? 1 : 0; });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(joined.load(), 0);
  target.RequestStop();
  first.join();
  second.join();
  EXPECT_EQ(joined.load(), 2);
  EXPECT_FALSE(target.Running());
}

TEST(WorkerThread, AJoinEndsWhenTheJoiningThreadIsAskedToStop) {
  CountingLoop loop;
  WorkerThread target;
  ASSERT_TRUE(target.Start([&] { loop(); }));
  std::atomic<int> joinResult{-1};
  WorkerThread waiter;
  ASSERT_TRUE(waiter.Start([&] { joinResult = target.Join() ? 1 : 0; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  waiter.RequestStop();
  ASSERT_TRUE(waiter.JoinWithin(200));
  EXPECT_EQ(joinResult.load(), 0);
  EXPECT_TRUE(target.Running());  // left for another joiner
  target.RequestStop();
  EXPECT_TRUE(target.JoinWithin(200));
}

TEST(WorkerThread, AThreadThatIsNotJoinedYetCannotBeStartedAgainAndAFailedStartLeavesNothing) {
  WorkerThread worker;
  ASSERT_TRUE(worker.Start([] {}));
  EXPECT_FALSE(worker.Start([] {}));
  EXPECT_TRUE(worker.Join());
  EXPECT_TRUE(worker.Join());  // nothing left to join

  WorkerThread::FailNextStartForTests();
  bool ran = false;
  EXPECT_FALSE(worker.Start([&] { ran = true; }));
  EXPECT_FALSE(worker.Running());
  EXPECT_TRUE(worker.Start([&] { ran = true; }));
  EXPECT_TRUE(worker.Join());
  EXPECT_TRUE(ran);
}

// The time of a stop wait, which passes only as the test lets it: either by a fixed step at
// each of the waiter's looks, or by the stopping thread itself, one step per look, so that
// how fast either thread runs on the machine changes nothing.
class StepClock {
 public:
  explicit StepClock(std::uint64_t stepPerLookMs = 0) : stepPerLookMs_(stepPerLookMs) {}
  WorkerThread::MsClock Reader() {
    return [this] {
      // The time is read before the look is counted: a stopping thread that steps after this
      // look must not have its step seen by the look itself.
      const std::uint64_t at = now_.fetch_add(stepPerLookMs_) + stepPerLookMs_;
      ++looks_;
      return at;
    };
  }
  // On the stopping thread: after the waiter's next look, time passes and the thread beats.
  // False once released.
  bool StepAfterLook(std::uint64_t ms) {
    const int seen = looks_.load();
    while (looks_.load() == seen) {
      if (released_.load()) return false;
      std::this_thread::yield();
    }
    now_ += ms;
    platform::ThisThreadBeat();
    return true;
  }
  void Release() { released_ = true; }
  bool Released() const { return released_.load(); }

 private:
  std::uint64_t stepPerLookMs_;
  std::atomic<std::uint64_t> now_{0};
  std::atomic<int> looks_{0};
  std::atomic<bool> released_{false};
};

constexpr platform::StopPatience kShortPatience{200, 1000, 60000};

TEST(WorkerThread, AStoppingThreadThatKeepsBeatingIsWaitedForPastTheSilenceTimeAndItsWaiterBeatsAlong) {
  StepClock clock;
  WorkerThread slow;
  // Ten steps of 400 ms after the quit: four seconds in all, never a second without a beat.
  ASSERT_TRUE(slow.Start([&] {
    while (!platform::ThisThreadStopRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (int i = 0; i < 10; ++i) clock.StepAfterLook(400);
  }));
  slow.RequestStop();
  WorkerThread waiter;
  WorkerThread::StopWait result{};
  std::vector<std::uint64_t> notices;
  std::uint64_t waiterBeats = 0;
  ASSERT_TRUE(waiter.Start([&] {
    result = slow.JoinWhileBeating(kShortPatience, [&](std::uint64_t waited) { notices.push_back(waited); },
                                   clock.Reader());
    waiterBeats = waiter.Beats();
  }));
  ASSERT_TRUE(waiter.Join());
  EXPECT_EQ(result.verdict, platform::StopVerdict::Ended);
  EXPECT_GE(result.waitedMs, 4000u);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_GE(notices[0], kShortPatience.noticeMs);
  EXPECT_FALSE(slow.Running());
  EXPECT_GT(waiterBeats, 0u);
}

TEST(WorkerThread, AStoppingThreadThatStopsBeatingIsHungAndOneThatBeatsOnIsGivenUpAtTheBound) {
  struct Case {
    const char* name;
    std::uint64_t stepPerLookMs;  // time the waiter's looks let pass
    bool beats;                   // the thread steps time itself and beats each step
    platform::StopPatience patience;
    platform::StopVerdict expected;
  };
  const Case cases[] = {
      {"silent", 250, false, kShortPatience, platform::StopVerdict::Hung},
      {"beating for ever", 0, true, {200, 1000, 3000}, platform::StopVerdict::TooLong},
  };
  for (const Case& c : cases) {
    StepClock clock(c.stepPerLookMs);
    WorkerThread stuck;
    ASSERT_TRUE(stuck.Start([&] {
      // The quit is heard and ignored.
      while (!clock.Released()) {
        if (c.beats) {
          clock.StepAfterLook(400);
        } else {
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
      }
    }));
    stuck.RequestStop();
    const WorkerThread::StopWait result = stuck.JoinWhileBeating(c.patience, {}, clock.Reader());
    EXPECT_EQ(result.verdict, c.expected) << c.name;
    EXPECT_TRUE(stuck.Running()) << c.name;  // left unjoined
    clock.Release();
    EXPECT_TRUE(stuck.Join()) << c.name;
  }
}

TEST(WorkerThread, OffAWorkerThreadThereIsNoQueueAndNoStop) {
  Message message;
  EXPECT_EQ(platform::PeekThreadMessage(message), PeekResult::Empty);
  EXPECT_FALSE(platform::ThisThreadStopRequested());
  EXPECT_FALSE(platform::ThisThreadStopToken().stop_possible());
  EXPECT_TRUE(platform::SleepOrStop(1));
  platform::ThisThreadBeat();  // nothing to beat
}

}  // namespace
