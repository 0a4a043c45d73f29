#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

#include "platform/stop_judge.h"
#include "platform/window_messages.h"

namespace platform {

// One thread of the program's own, with a small message queue. Nothing can be done to a
// thread from outside: suspension and stopping are requests that the thread honours at its
// next queue call (PeekThreadMessage), and every wait the program makes through this layer
// (sends to the main thread, SleepOrStop, Join) ends as soon as its thread is asked to stop.
// Each of the thread's own calls into the layer is also a beat of its heartbeat, by which a
// stop tells a slow thread from a stuck one.
class WorkerThread {
 public:
  using Body = std::function<void()>;
  // Milliseconds that never go back; real time unless a test supplies its own.
  using MsClock = std::function<std::uint64_t()>;
  using LongStopHandler = std::function<void(std::uint64_t waitedMs)>;
  struct StopWait {
    StopVerdict verdict;  // Ended, Hung or TooLong
    std::uint64_t waitedMs;
  };

  WorkerThread() = default;
  // A thread still running is asked to stop and waited for as a stop waits (JoinWhileBeating
  // with the program's patience); one that does not end is let go rather than taking the
  // process down with it.
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // False when a thread of this object has not been joined yet, or the system refuses one.
  bool Start(Body body);
  // A thread was started and has not been joined.
  bool Running() const;
  // No thread runs any more: none was started, it was joined, or its body has returned.
  bool Finished() const;
  // The running thread's number (unique within the process), 0 when none.
  std::uint32_t Id() const;

  // Queues a message for the thread; false when there is no thread.
  bool Post(const Message& message);

  // Suspensions count; the thread stops at its next queue call until every one is resumed.
  void Suspend();
  void Resume();
  void ResumeFully();

  // The thread's quit: its next queue call answers Quit, and its waits end.
  void RequestStop();

  // Waits until the thread has ended and joins it; true at once when there is none. Ends
  // early with false when the calling thread is itself asked to stop (the thread is then
  // left for another joiner). Only one caller joins; others wait for that one.
  bool Join();
  // As Join, but gives up after limitMs (whatever happens to the caller meanwhile): false
  // when the thread is still running.
  bool JoinWithin(std::uint32_t limitMs);
  // For a thread that was asked to stop: joins it once it ends, for as long as the patience
  // allows (see StopJudge). onLongStop hears once when the wait passes the notice time. A
  // caller that is itself a worker thread beats whenever the thread it waits for does, so
  // that a stop of its own sees it as busy as that thread. The thread is left unjoined unless
  // the verdict is Ended.
  StopWait JoinWhileBeating(const StopPatience& patience, const LongStopHandler& onLongStop = {},
                            const MsClock& clock = {});

  // How many beats the thread has made; 0 when there is none.
  std::uint64_t Beats() const;

  // Makes the next Start fail as if the system had no thread to give (tests).
  static void FailNextStartForTests();

  struct Control;

 private:
  enum class State { Idle, Running, Joining };
  // Becomes the joiner or waits for another one; false when the wait ended without a join.
  template <typename WaitFinished>
  bool JoinWith(WaitFinished waitFinished);

  mutable std::mutex mutex_;
  std::condition_variable_any stateChanged_;
  State state_ = State::Idle;
  std::thread thread_;
  std::shared_ptr<Control> control_;
};

// Asked by a thread about its own queue: a message is taken (Message), there is none
// (Empty), or the thread is to stop (Quit). A suspended thread waits here. On a thread this
// layer did not start there is no queue: always Empty.
PeekResult PeekThreadMessage(Message& out);

// Whether the calling thread has been asked to stop; never for threads not started here.
// Both count as a beat: a thread that checks for its stop is alive.
bool ThisThreadStopRequested();
std::stop_token ThisThreadStopToken();

// Sleeps on the program's clock; false, without finishing the sleep's purpose, when the
// calling thread is asked to stop.
bool SleepOrStop(std::uint32_t milliseconds);

// A beat of the calling thread, for long work that makes none of the calls above; nothing on
// threads not started here.
void ThisThreadBeat();

}  // namespace platform
