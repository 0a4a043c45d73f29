#pragma once

#include <cstdint>

#include "platform/window_messages.h"
#include "platform/worker_thread.h"

// A thread procedure: its argument in, a result nobody reads out.
using ThreadProc = unsigned (*)(void* argument);

// The program's thread wrapper. Stopping is cooperative: Exit asks the thread to quit (its
// next queue call answers Quit and every wait it is in ends) and waits for it for as long as
// it makes progress (platform::kStopPatience): a slow frame on a loaded machine is no hung
// thread. A thread that has gone silent, or runs on far past its quit, cannot be ended from
// outside without leaving the objects it uses half-changed, so the process itself ends,
// after a line in the report log.
class cThread {
 public:
  cThread() = default;
  ~cThread();
  cThread(const cThread&) = delete;
  cThread& operator=(const cThread&) = delete;

  // 1 when the thread runs, 0 when it could not be started (or this object's thread has not
  // been waited for yet). An exception leaving the procedure is logged and closes the program.
  int Start(ThreadProc procedure, void* argument);
  // Until the thread has ended; ends early when the calling thread is itself stopped.
  void Wait();
  // Taken by the thread at its next queue call or frame step.
  bool Suspend();
  bool Resume();
  void Exit() { Exit(platform::kStopPatience); }
  void Exit(const platform::StopPatience& patience);

  // The thread's queue; false when there is no thread.
  bool PostThreadMessage(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  // The quit message: the thread is asked to stop, without waiting for it.
  void PostQuit();

  bool HasThread() const { return m_Worker.Running(); }
  // The procedure has returned (or never ran); the thread may still await its Wait or Exit.
  bool HasEnded() const { return m_Worker.Finished(); }
  std::uint32_t ThreadId() const { return m_Worker.Id(); }

 private:
  platform::WorkerThread m_Worker;
};

// The four threads of the program besides the main thread.
extern cThread thGame;         // the frame loop
extern cThread thPause;        // the play scene's modal displays
extern cThread RankingThread;  // the ranking display after a stage clear
extern cThread LoaderThread;   // reads a stage file

// Around the modal ranking-name dialog.
void SuspendAllThreads();
void ResumeAllThreads();
