#include "core/thread.h"

#include <cstdlib>
#include <exception>

#include "core/close_request.h"
#include "core/report_log.h"

cThread thGame;
cThread thPause;
cThread RankingThread;
cThread LoaderThread;

cThread::~cThread() { Exit(); }

int cThread::Start(ThreadProc procedure, void* argument) {
  const bool started = m_Worker.Start([procedure, argument] {
    // No exception crosses into the thread machinery: it is reported here, and the program
    // ends in order.
    try {
      procedure(argument);
    } catch (const std::exception& error) {
      LogMirror("thread ended by an exception: %s", error.what());
      PostCloseRequest();
    } catch (...) {
      LogMirror("thread ended by an exception");
      PostCloseRequest();
    }
  });
  return started ? 1 : 0;
}

void cThread::Wait() { m_Worker.Join(); }

bool cThread::Suspend() {
  m_Worker.Suspend();
  return true;
}

bool cThread::Resume() {
  m_Worker.Resume();
  return true;
}

void cThread::Exit(const platform::StopPatience& patience) {
  if (!m_Worker.Running()) return;
  // A suspended thread must run to see its quit.
  m_Worker.ResumeFully();
  ErrLog("Exit A");
  m_Worker.RequestStop();
  ErrLog("Exit B");
  ErrLog("Exit C");
  const std::uint32_t id = m_Worker.Id();
  bool told = false;
  const platform::WorkerThread::StopWait wait = m_Worker.JoinWhileBeating(patience, [&](std::uint64_t waitedMs) {
    told = true;
    Log("thread %u still stopping after %llu ms: waited for while it makes progress", id,
        static_cast<unsigned long long>(waitedMs));
  });
  const auto waited = static_cast<unsigned long long>(wait.waitedMs);
  switch (wait.verdict) {
    case platform::StopVerdict::Hung:
      LogMirror("thread %u made no progress for %u ms after its quit: the process ends", id, patience.silenceMs);
      std::_Exit(1);
    case platform::StopVerdict::TooLong:
      LogMirror("thread %u still ran %llu ms after its quit: the process ends", id, waited);
      std::_Exit(1);
    default:
      break;
  }
  if (told) Log("thread %u stopped after %llu ms", id, waited);
  ErrLog("Exit D");
  ErrLog("Exit E");
}

bool cThread::PostThreadMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return m_Worker.Post(platform::Message{message, wParam, lParam});
}

void cThread::PostQuit() { m_Worker.RequestStop(); }

void SuspendAllThreads() {
  thGame.Suspend();
  thPause.Suspend();
  RankingThread.Suspend();
  LoaderThread.Suspend();
}

void ResumeAllThreads() {
  thGame.Resume();
  thPause.Resume();
  RankingThread.Resume();
  LoaderThread.Resume();
}
