#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/window_messages.h"

namespace platform {

// The handler of a window's messages (its window procedure); its result goes back to a sender.
using MessageHandler = std::function<std::intptr_t(const Message&)>;
// Which messages a loop takes; an empty filter takes every one.
using MessageFilter = std::function<bool(const Message&)>;

// A message taken from a queue. One that was sent carries its sender's answer slot: the
// sender is answered by Dispatch, or with 0 when the message is dropped undispatched, so no
// sender ever waits for a message nobody will serve.
class QueuedMessage {
 public:
  QueuedMessage() = default;
  ~QueuedMessage();
  QueuedMessage(QueuedMessage&& other) noexcept = default;
  QueuedMessage& operator=(QueuedMessage&& other) noexcept;
  QueuedMessage(const QueuedMessage&) = delete;
  QueuedMessage& operator=(const QueuedMessage&) = delete;

  const Message& message() const { return message_; }
  bool IsSent() const { return slot_ != nullptr; }

  struct AnswerSlot;

 private:
  friend class MessageQueue;
  void Answer(std::intptr_t result);

  Message message_;
  std::shared_ptr<AnswerSlot> slot_;
};

// The queue of the thread that owns the window. Other threads post (no answer) or send (they
// wait until the owner has served the message and take its result); a send on the owner
// thread calls the handler directly. Sent messages are served before posted ones.
//
// Ending: once the close has begun, every send (waiting or new) is answered 0 at once, so a
// thread blocked on the closing window is free to stop; once the window is gone, posts are
// dropped. The quit is a state, not a message: every Peek reports it from then on, so a
// nested loop that sees it cannot swallow it from the loop that must end.
class MessageQueue {
 public:
  // Owned by the constructing thread until BindToCurrentThread says otherwise.
  MessageQueue();
  MessageQueue(const MessageQueue&) = delete;
  MessageQueue& operator=(const MessageQueue&) = delete;

  void BindToCurrentThread();
  bool OnOwnerThread() const;
  void SetHandler(MessageHandler handler);

  // False when the message was dropped (the window is gone).
  bool Post(const Message& message);
  // The handler's result; 0 when the close has begun, the window is gone, or the calling
  // thread is asked to stop while it waits.
  std::intptr_t Send(const Message& message);

  void PostQuit(int exitCode);
  std::optional<int> QuitCode() const;

  // Takes the first message the filter accepts, sent ones first; the others keep their
  // places. Quit is reported before any message once it is set, and stays set.
  PeekResult Peek(QueuedMessage& out, const MessageFilter& accept = {});
  // Runs the handler on the message and answers its sender.
  std::intptr_t Dispatch(QueuedMessage& message);
  // Blocks until a message or the quit is there, or limitMs have passed; true when one is.
  bool WaitFor(std::uint32_t limitMs);
  // Messages waiting, sent and posted.
  std::size_t Pending() const;

  void BeginClose();
  bool Closing() const;
  // The window is gone: queued messages are dropped (senders answered 0), later posts too.
  void CloseWindow();
  bool WindowClosed() const;
  // Back to a fresh queue: open, empty, no quit (tests that run a window more than once).
  void Reopen();

 private:
  bool HasMessageLocked() const;
  bool TakeLocked(std::deque<QueuedMessage>& from, QueuedMessage& out, const MessageFilter& accept);

  mutable std::mutex mutex_;
  std::condition_variable_any arrived_;
  std::thread::id owner_;
  MessageHandler handler_;
  std::deque<QueuedMessage> sent_;
  std::deque<QueuedMessage> posted_;
  std::optional<int> quitCode_;
  bool closing_ = false;
  bool windowClosed_ = false;
};

// The queue of the program's main thread.
MessageQueue& MainQueue();

}  // namespace platform
