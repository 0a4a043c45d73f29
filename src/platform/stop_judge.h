#pragma once

#include <cstdint>

namespace platform {

// How long a thread that was asked to stop is waited for, in real milliseconds. A thread is
// judged by its own heartbeat, not by the wall clock alone: on a loaded machine one frame may
// take many times its usual time, and a thread that still beats is still on its way to its
// quit. Only silence means it is stuck.
struct StopPatience {
  std::uint32_t noticeMs;   // a wait this long is worth one line in the log
  std::uint32_t silenceMs;  // no beat for this long: the thread is hung
  std::uint32_t boundMs;    // beating or not, no thread is waited for longer
};

// The program's own patience.
// - Notice at 200 ms: an idle machine stops every thread within a few milliseconds, so a
//   longer stop is unusual enough to be told, and rare enough that the line is no flood.
// - Silence of 5 s: a thread that heard its quit beats at least once per frame or per record
//   it reads; even a sanitizer build on a machine with every core busy goes a few hundred
//   milliseconds between beats at worst, so seconds without one mean the thread waits on
//   something that will not come.
// - Bound of 20 s: a thread that beats has been told at each beat that it is to stop, so it
//   ends within the piece of work it is in. One that still runs after twenty seconds ignores
//   its quit, and the close must not hang on it for ever; twenty seconds is far above any
//   stop a loaded machine needs, and still ends a broken program before its user would reach
//   for a kill.
inline constexpr StopPatience kStopPatience{200, 5000, 20000};

enum class StopVerdict {
  Ended,    // the thread has ended
  Wait,     // it has not, but is making progress: go on waiting
  Hung,     // no beat for the silence time
  TooLong,  // still beating at the bound
};

// The decision of a wait for a stopping thread, apart from the waiting itself: it is given
// the thread's beat count and the time at each look, and says whether to wait on. Time is
// whatever the caller measures it in, as long as it is milliseconds that do not go back.
class StopJudge {
 public:
  StopJudge(const StopPatience& patience, std::uint64_t beats, std::uint64_t nowMs);

  // Wait, Hung or TooLong (never Ended: that is for the waiter to see).
  StopVerdict Judge(std::uint64_t beats, std::uint64_t nowMs);
  // The last Judge saw beats the one before had not.
  bool Progressed() const { return progressed_; }
  // True once: the first time it is asked after the wait passed the notice time.
  bool TakeNotice(std::uint64_t nowMs);
  std::uint64_t WaitedMs(std::uint64_t nowMs) const { return nowMs - startMs_; }

 private:
  StopPatience patience_;
  std::uint64_t startMs_;
  std::uint64_t beats_;
  std::uint64_t lastBeatMs_;
  bool progressed_ = false;
  bool noticed_ = false;
};

}  // namespace platform
