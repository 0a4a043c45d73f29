#include "platform/message_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

#include "platform/worker_thread.h"

namespace {

using platform::Message;
using platform::MessageQueue;
using platform::PeekResult;
using platform::QueuedMessage;

constexpr std::uint32_t kRequest = 1029;

// Serves the queue on the test thread until `until` holds or the time runs out.
template <typename Until>
bool Serve(MessageQueue& queue, Until until, int limitMs = 2000) {
  for (int pass = 0; pass < limitMs && !until(); ++pass) {
    QueuedMessage queued;
    if (queue.Peek(queued) == PeekResult::Message) {
      queue.Dispatch(queued);
    } else {
      queue.WaitFor(1);
    }
  }
  return until();
}

std::vector<std::uint32_t> Drain(MessageQueue& queue, const platform::MessageFilter& accept = {}) {
  std::vector<std::uint32_t> numbers;
  QueuedMessage queued;
  while (queue.Peek(queued, accept) == PeekResult::Message) numbers.push_back(queued.message().message);
  return numbers;
}

TEST(MessageQueue, SendFromAnotherThreadWaitsUntilServedAndReturnsTheResult) {
  MessageQueue queue;
  std::vector<std::uintptr_t> served;
  queue.SetHandler([&](const Message& m) -> std::intptr_t {
    served.push_back(m.wParam);
    return static_cast<std::intptr_t>(m.wParam * 10);
  });
  std::atomic<bool> returned{false};
  auto sender = std::async(std::launch::async, [&] {
    const std::intptr_t result = queue.Send(Message{kRequest, 7, 0});
    returned = true;
    return result;
  });
  // Nobody serves the queue yet: the sender must still be waiting.
  ASSERT_TRUE(queue.WaitFor(2000));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(returned.load());
  EXPECT_TRUE(served.empty());

  ASSERT_TRUE(Serve(queue, [&] { return returned.load(); }));
  EXPECT_EQ(sender.get(), 70);
  EXPECT_EQ(served, std::vector<std::uintptr_t>{7});
}

TEST(MessageQueue, SendOnTheOwnerThreadCallsTheHandlerDirectly) {
  MessageQueue queue;
  int calls = 0;
  queue.SetHandler([&](const Message&) -> std::intptr_t { return ++calls; });
  EXPECT_EQ(queue.Send(Message{kRequest, 0, 0}), 1);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(Drain(queue).empty());
}

TEST(MessageQueue, SentMessagesComeBeforePostedOnesAndEachKeepsItsOrder) {
  MessageQueue queue;
  std::vector<std::uint32_t> order;
  queue.SetHandler([&](const Message& m) -> std::intptr_t {
    order.push_back(m.message);
    return 0;
  });
  queue.Post(Message{1, 0, 0});
  queue.Post(Message{2, 0, 0});
  std::thread sender([&] { queue.Send(Message{10, 0, 0}); });
  while (queue.Pending() < 3) queue.WaitFor(1);
  queue.Post(Message{3, 0, 0});
  ASSERT_TRUE(Serve(queue, [&] { return order.size() == 4; }));
  sender.join();
  EXPECT_EQ(order, (std::vector<std::uint32_t>{10, 1, 2, 3}));
}

TEST(MessageQueue, ADroppedSentMessageAnswersItsSenderWithZero) {
  MessageQueue queue;
  queue.SetHandler([](const Message&) -> std::intptr_t { return 5; });
  auto sender = std::async(std::launch::async, [&] { return queue.Send(Message{kRequest, 0, 0}); });
  ASSERT_TRUE(queue.WaitFor(2000));
  {
    QueuedMessage queued;
    ASSERT_EQ(queue.Peek(queued), PeekResult::Message);
    EXPECT_TRUE(queued.IsSent());
  }
  EXPECT_EQ(sender.get(), 0);
}

TEST(MessageQueue, OnceTheCloseHasBegunSendsAreAnsweredZeroAndAfterTheWindowPostsAreDropped) {
  MessageQueue queue;
  int handled = 0;
  queue.SetHandler([&](const Message&) -> std::intptr_t { return ++handled; });
  auto waiting = std::async(std::launch::async, [&] { return queue.Send(Message{kRequest, 0, 0}); });
  ASSERT_TRUE(queue.WaitFor(2000));

  queue.BeginClose();
  EXPECT_EQ(waiting.get(), 0);
  EXPECT_EQ(std::async(std::launch::async, [&] { return queue.Send(Message{kRequest, 0, 0}); }).get(), 0);
  // The window still exists: a close request posted now is kept, and the owner still serves
  // its own sends directly.
  EXPECT_TRUE(queue.Post(Message{platform::WM_CLOSE, 0, 0}));
  EXPECT_EQ(queue.Send(Message{kRequest, 0, 0}), 1);

  queue.CloseWindow();
  EXPECT_FALSE(queue.Post(Message{platform::WM_CLOSE, 0, 0}));
  EXPECT_EQ(queue.Send(Message{kRequest, 0, 0}), 0);
  EXPECT_TRUE(Drain(queue).empty());
  EXPECT_EQ(handled, 1);
}

TEST(MessageQueue, QuitIsAStateThatANestedLoopCannotSwallow) {
  MessageQueue queue;
  queue.Post(Message{platform::WM_CLOSE, 0, 0});
  queue.Post(Message{platform::WM_PAINT, 0, 0});
  const platform::MessageFilter requestsAndRepaints = [](const Message& m) {
    return m.message == platform::WM_PAINT || (m.message >= platform::WM_USER && m.message < platform::WM_APP);
  };
  // The nested loop takes the repaint and leaves the close where it was.
  EXPECT_EQ(Drain(queue, requestsAndRepaints), std::vector<std::uint32_t>{platform::WM_PAINT});

  queue.PostQuit(3);
  QueuedMessage queued;
  EXPECT_EQ(queue.Peek(queued, requestsAndRepaints), PeekResult::Quit);
  EXPECT_EQ(queue.Peek(queued), PeekResult::Quit);
  queue.PostQuit(9);  // the first exit code stands
  EXPECT_EQ(queue.QuitCode(), 3);
  EXPECT_TRUE(queue.WaitFor(0));
}

TEST(MessageQueue, ASenderThatIsAskedToStopStopsWaiting) {
  MessageQueue queue;
  platform::WorkerThread worker;
  std::atomic<bool> returned{false};
  std::atomic<std::intptr_t> result{-1};
  ASSERT_TRUE(worker.Start([&] {
    result = queue.Send(Message{kRequest, 0, 0});
    returned = true;
  }));
  ASSERT_TRUE(queue.WaitFor(2000));
  const auto asked = std::chrono::steady_clock::now();
  worker.RequestStop();
  ASSERT_TRUE(worker.JoinWithin(5000));
  EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(5000));
  EXPECT_TRUE(returned.load());
  EXPECT_EQ(result.load(), 0);
}

}  // namespace
