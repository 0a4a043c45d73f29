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
  std::atomic<std::uint64_t> beats{0};
};

namespace {

thread_local WorkerThread::Control* t_control = nullptr;
std::atomic<std::uint32_t> g_nextId{1};
std::atomic<bool> g_failNextStart{false};

// How often a stop wait looks at the thread's heartbeat; the thread's end itself is seen at
// once.
constexpr std::uint32_t kStopLookMs = 10;

void Beat(WorkerThread::Control* control) {
  if (control != nullptr) control->beats.fetch_add(1, std::memory_order_relaxed);
}

std::uint64_t RealMs() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

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
  if (JoinWhileBeating(kStopPatience).verdict == StopVerdict::Ended) return;
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

WorkerThread::StopWait WorkerThread::JoinWhileBeating(const StopPatience& patience, const LongStopHandler& onLongStop,
                                                     const MsClock& clock) {
  const MsClock now = clock ? clock : MsClock(RealMs);
  StopJudge judge(patience, Beats(), now());
  for (;;) {
    const bool ended = JoinWithin(kStopLookMs);
    const std::uint64_t at = now();
    if (ended) return {StopVerdict::Ended, judge.WaitedMs(at)};
    const StopVerdict verdict = judge.Judge(Beats(), at);
    if (judge.Progressed()) ThisThreadBeat();
    if (verdict != StopVerdict::Wait) return {verdict, judge.WaitedMs(at)};
    if (judge.TakeNotice(at) && onLongStop) onLongStop(judge.WaitedMs(at));
  }
}

std::uint64_t WorkerThread::Beats() const {
  std::lock_guard lock(mutex_);
  return control_ ? control_->beats.load(std::memory_order_relaxed) : 0;
}

void WorkerThread::FailNextStartForTests() { g_failNextStart.store(true); }

PeekResult PeekThreadMessage(Message& out) {
  WorkerThread::Control* control = t_control;
  if (control == nullptr) return PeekResult::Empty;
  Beat(control);
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
  Beat(control);
  return control != nullptr && control->stop.stop_requested();
}

std::stop_token ThisThreadStopToken() {
  WorkerThread::Control* control = t_control;
  Beat(control);
  return control != nullptr ? control->stop.get_token() : std::stop_token();
}

bool SleepOrStop(std::uint32_t milliseconds) {
  if (ThisThreadStopRequested()) return false;
  SleepMs(milliseconds);
  return !ThisThreadStopRequested();
}

void ThisThreadBeat() { Beat(t_control); }

}  // namespace platform
