#include "platform/worker_thread.h"

#include <atomic>
#include <deque>
#include <system_error>

#include "platform/clock.h"
#include "platform/diagnostics.h"

namespace platform {

struct WorkerThread::Control {
  std::mutex mutex;
  std::condition_variable_any changed;
  std::deque<Message> queue;
  int suspensions = 0;
  bool finished = false;
  std::stop_source stop;
  std::uint32_t id = 0;
};

namespace {

thread_local WorkerThread::Control* t_control = nullptr;
std::atomic<std::uint32_t> g_nextId{1};
std::atomic<bool> g_failNextStart{false};

void RunBody(const std::shared_ptr<WorkerThread::Control>& control, const WorkerThread::Body& body) {
  t_control = control.get();
  try {
    body();
  } catch (...) {
    // The body's owner reports its own failures; this is the net under it.
    ReportDiagnostic("a worker thread ended by an exception");
  }
  t_control = nullptr;
  std::lock_guard lock(control->mutex);
  control->finished = true;
  control->changed.notify_all();
}

}  // namespace

WorkerThread::~WorkerThread() {
  if (!Running()) return;
  RequestStop();
  if (JoinWithin(200)) return;
  std::lock_guard lock(mutex_);
  if (thread_.joinable()) thread_.detach();
}

bool WorkerThread::Start(Body body) {
  std::lock_guard lock(mutex_);
  if (state_ != State::Idle) return false;
  if (g_failNextStart.exchange(false)) return false;
  auto control = std::make_shared<Control>();
  control->id = g_nextId.fetch_add(1);
  try {
    thread_ = std::thread([control, body = std::move(body)] { RunBody(control, body); });
  } catch (const std::system_error&) {
    return false;
  }
  control_ = std::move(control);
  state_ = State::Running;
  return true;
}

bool WorkerThread::Running() const {
  std::lock_guard lock(mutex_);
  return state_ != State::Idle;
}

bool WorkerThread::Finished() const {
  std::lock_guard lock(mutex_);
  if (!control_) return true;
  std::lock_guard controlLock(control_->mutex);
  return control_->finished;
}

std::uint32_t WorkerThread::Id() const {
  std::lock_guard lock(mutex_);
  return control_ ? control_->id : 0;
}

bool WorkerThread::Post(const Message& message) {
  std::lock_guard lock(mutex_);
  if (!control_) return false;
  std::lock_guard queueLock(control_->mutex);
  control_->queue.push_back(message);
  control_->changed.notify_all();
  return true;
}

void WorkerThread::Suspend() {
  std::lock_guard lock(mutex_);
  if (!control_) return;
  std::lock_guard controlLock(control_->mutex);
  ++control_->suspensions;
}

void WorkerThread::Resume() {
  std::lock_guard lock(mutex_);
  if (!control_) return;
  std::lock_guard controlLock(control_->mutex);
  if (control_->suspensions > 0) --control_->suspensions;
  control_->changed.notify_all();
}

void WorkerThread::ResumeFully() {
  std::lock_guard lock(mutex_);
  if (!control_) return;
  std::lock_guard controlLock(control_->mutex);
  control_->suspensions = 0;
  control_->changed.notify_all();
}

void WorkerThread::RequestStop() {
  std::lock_guard lock(mutex_);
  if (!control_) return;
  // Waits registered with the stop token wake by themselves; a plain queue wait is woken here.
  control_->stop.request_stop();
  std::lock_guard controlLock(control_->mutex);
  control_->changed.notify_all();
}

template <typename WaitFinished>
bool WorkerThread::JoinWith(WaitFinished waitFinished) {
  std::unique_lock lock(mutex_);
  while (state_ == State::Joining) {
    // Another caller is joining: its join is ours.
    if (!waitFinished(stateChanged_, lock, [this] { return state_ != State::Joining; })) return false;
  }
  if (state_ == State::Idle) return true;

  state_ = State::Joining;
  const std::shared_ptr<Control> control = control_;
  lock.unlock();
  bool ended = false;
  {
    std::unique_lock controlLock(control->mutex);
    ended = waitFinished(control->changed, controlLock, [&] { return control->finished; });
  }
  lock.lock();
  if (ended) {
    thread_.join();
    control_.reset();
    state_ = State::Idle;
  } else {
    state_ = State::Running;
  }
  stateChanged_.notify_all();
  return ended;
}

bool WorkerThread::Join() {
  const std::stop_token stop = ThisThreadStopToken();
  return JoinWith([&](std::condition_variable_any& cv, auto& lock, auto done) { return cv.wait(lock, stop, done); });
}

bool WorkerThread::JoinWithin(std::uint32_t limitMs) {
  // Real time, not the program's clock: the limit guards the process, and a test's fake clock
  // must not stretch or shrink it.
  // The caller's own stop does not cut this wait short: it is bounded anyway, and a stopping
  // thread that ends a helper of its own must still see it end.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  return JoinWith(
      [&](std::condition_variable_any& cv, auto& lock, auto done) { return cv.wait_until(lock, deadline, done); });
}

void WorkerThread::FailNextStartForTests() { g_failNextStart.store(true); }

PeekResult PeekThreadMessage(Message& out) {
  WorkerThread::Control* control = t_control;
  if (control == nullptr) return PeekResult::Empty;
  std::unique_lock lock(control->mutex);
  const std::stop_token stop = control->stop.get_token();
  control->changed.wait(lock, stop, [control] { return control->suspensions == 0; });
  if (stop.stop_requested()) return PeekResult::Quit;
  if (control->queue.empty()) return PeekResult::Empty;
  out = control->queue.front();
  control->queue.pop_front();
  return PeekResult::Message;
}

bool ThisThreadStopRequested() {
  WorkerThread::Control* control = t_control;
  return control != nullptr && control->stop.stop_requested();
}

std::stop_token ThisThreadStopToken() {
  WorkerThread::Control* control = t_control;
  return control != nullptr ? control->stop.get_token() : std::stop_token();
}

bool SleepOrStop(std::uint32_t milliseconds) {
  if (ThisThreadStopRequested()) return false;
  SleepMs(milliseconds);
  return !ThisThreadStopRequested();
}

}  // namespace platform
