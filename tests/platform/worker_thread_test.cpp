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

TEST(WorkerThread, OffAWorkerThreadThereIsNoQueueAndNoStop) {
  Message message;
  EXPECT_EQ(platform::PeekThreadMessage(message), PeekResult::Empty);
  EXPECT_FALSE(platform::ThisThreadStopRequested());
  EXPECT_FALSE(platform::ThisThreadStopToken().stop_possible());
  EXPECT_TRUE(platform::SleepOrStop(1));
}

}  // namespace
