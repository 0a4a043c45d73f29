#include "platform/stop_judge.h"

namespace platform {

StopJudge::StopJudge(const StopPatience& patience, std::uint64_t beats, std::uint64_t nowMs)
    : patience_(patience), startMs_(nowMs), beats_(beats), lastBeatMs_(nowMs) {}

StopVerdict StopJudge::Judge(std::uint64_t beats, std::uint64_t nowMs) {
  // A beat is dated when it is seen: a waiter that was itself held up finds the beats made
  // meanwhile and does not count its own delay as the thread's silence.
  progressed_ = beats != beats_;
  if (progressed_) {
    beats_ = beats;
    lastBeatMs_ = nowMs;
  }
  if (nowMs - startMs_ >= patience_.boundMs) return StopVerdict::TooLong;
  if (nowMs - lastBeatMs_ >= patience_.silenceMs) return StopVerdict::Hung;
  return StopVerdict::Wait;
}

bool StopJudge::TakeNotice(std::uint64_t nowMs) {
  if (noticed_ || WaitedMs(nowMs) < patience_.noticeMs) return false;
  noticed_ = true;
  return true;
}

}  // namespace platform
