#include "platform/message_queue.h"

#include "platform/worker_thread.h"

namespace platform {

struct QueuedMessage::AnswerSlot {
  std::mutex mutex;
  std::condition_variable_any answered;
  bool done = false;
  std::intptr_t result = 0;
};

QueuedMessage::~QueuedMessage() { Answer(0); }

QueuedMessage& QueuedMessage::operator=(QueuedMessage&& other) noexcept {
  if (this != &other) {
    Answer(0);
    message_ = other.message_;
    slot_ = std::move(other.slot_);
  }
  return *this;
}

void QueuedMessage::Answer(std::intptr_t result) {
  if (!slot_) return;
  {
    std::lock_guard lock(slot_->mutex);
    if (!slot_->done) {
      slot_->done = true;
      slot_->result = result;
    }
  }
  slot_->answered.notify_all();
  slot_.reset();
}

MessageQueue::MessageQueue() : owner_(std::this_thread::get_id()) {}

void MessageQueue::BindToCurrentThread() {
  std::lock_guard lock(mutex_);
  owner_ = std::this_thread::get_id();
}

bool MessageQueue::OnOwnerThread() const {
  std::lock_guard lock(mutex_);
  return owner_ == std::this_thread::get_id();
}

void MessageQueue::SetHandler(MessageHandler handler) {
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

bool MessageQueue::Post(const Message& message) {
  std::lock_guard lock(mutex_);
  if (windowClosed_) return false;
  QueuedMessage queued;
  queued.message_ = message;
  posted_.push_back(std::move(queued));
  arrived_.notify_all();
  return true;
}

std::intptr_t MessageQueue::Send(const Message& message) {
  std::unique_lock lock(mutex_);
  if (windowClosed_) return 0;
  if (owner_ == std::this_thread::get_id()) {
    const MessageHandler handler = handler_;
    lock.unlock();
    return handler ? handler(message) : 0;
  }
  if (closing_) return 0;
  auto slot = std::make_shared<QueuedMessage::AnswerSlot>();
  QueuedMessage queued;
  queued.message_ = message;
  queued.slot_ = slot;
  sent_.push_back(std::move(queued));
  arrived_.notify_all();
  lock.unlock();

  std::unique_lock slotLock(slot->mutex);
  slot->answered.wait(slotLock, ThisThreadStopToken(), [&] { return slot->done; });
  return slot->done ? slot->result : 0;
}

void MessageQueue::PostQuit(int exitCode) {
  std::lock_guard lock(mutex_);
  if (!quitCode_) quitCode_ = exitCode;
  arrived_.notify_all();
}

std::optional<int> MessageQueue::QuitCode() const {
  std::lock_guard lock(mutex_);
  return quitCode_;
}

bool MessageQueue::TakeLocked(std::deque<QueuedMessage>& from, QueuedMessage& out, const MessageFilter& accept) {
  for (auto it = from.begin(); it != from.end(); ++it) {
    if (accept && !accept(it->message())) continue;
    out = std::move(*it);
    from.erase(it);
    return true;
  }
  return false;
}

PeekResult MessageQueue::Peek(QueuedMessage& out, const MessageFilter& accept) {
  std::lock_guard lock(mutex_);
  if (quitCode_) return PeekResult::Quit;
  if (TakeLocked(sent_, out, accept) || TakeLocked(posted_, out, accept)) return PeekResult::Message;
  return PeekResult::Empty;
}

std::intptr_t MessageQueue::Dispatch(QueuedMessage& message) {
  MessageHandler handler;
  {
    std::lock_guard lock(mutex_);
    handler = handler_;
  }
  const std::intptr_t result = handler ? handler(message.message()) : 0;
  message.Answer(result);
  return result;
}

bool MessageQueue::HasMessageLocked() const { return quitCode_ || !sent_.empty() || !posted_.empty(); }

bool MessageQueue::WaitFor(std::uint32_t limitMs) {
  std::unique_lock lock(mutex_);
  return arrived_.wait_for(lock, std::chrono::milliseconds(limitMs), [this] { return HasMessageLocked(); });
}

std::size_t MessageQueue::Pending() const {
  std::lock_guard lock(mutex_);
  return sent_.size() + posted_.size();
}

void MessageQueue::BeginClose() {
  std::deque<QueuedMessage> unanswered;
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
    unanswered.swap(sent_);
  }
  // Leaving this scope answers every waiting sender with 0.
}

bool MessageQueue::Closing() const {
  std::lock_guard lock(mutex_);
  return closing_;
}

void MessageQueue::CloseWindow() {
  std::deque<QueuedMessage> dropped;
  std::deque<QueuedMessage> droppedSent;
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
    windowClosed_ = true;
    dropped.swap(posted_);
    droppedSent.swap(sent_);
  }
}

bool MessageQueue::WindowClosed() const {
  std::lock_guard lock(mutex_);
  return windowClosed_;
}

void MessageQueue::Reopen() {
  std::deque<QueuedMessage> dropped;
  std::deque<QueuedMessage> droppedSent;
  std::lock_guard lock(mutex_);
  dropped.swap(posted_);
  droppedSent.swap(sent_);
  quitCode_.reset();
  closing_ = false;
  windowClosed_ = false;
}

MessageQueue& MainQueue() {
  static MessageQueue queue;
  return queue;
}

}  // namespace platform
