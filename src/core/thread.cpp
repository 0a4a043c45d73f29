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

void cThread::Exit() {
  if (!m_Worker.Running()) return;
  // A suspended thread must run to see its quit.
  m_Worker.ResumeFully();
  ErrLog("Exit A");
  m_Worker.RequestStop();
  ErrLog("Exit B");
  ErrLog("Exit C");
  if (!m_Worker.JoinWithin(kStopLimitMs)) {
    LogMirror("thread %u did not stop within %u ms: the process ends", m_Worker.Id(), kStopLimitMs);
    std::_Exit(1);
  }
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
