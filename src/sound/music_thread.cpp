#include "sound/music_thread.h"

#include <condition_variable>
#include <deque>
#include <mutex>

#include "core/thread.h"
#include "platform/worker_thread.h"

namespace {

struct MusicQueue {
  std::mutex mutex;
  std::condition_variable_any changed;
  std::deque<std::function<void()>> jobs;
  bool busy = false;
  bool running = false;
};

MusicQueue g_queue;
cThread g_thread;

unsigned MusicThreadProc(void* /*argument*/) {
  const std::stop_token stop = platform::ThisThreadStopToken();
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock lock(g_queue.mutex);
      // Asked to end, the thread still runs what was queued before.
      if (!g_queue.changed.wait(lock, stop, [] { return !g_queue.jobs.empty(); })) return 0;
      job = std::move(g_queue.jobs.front());
      g_queue.jobs.pop_front();
      g_queue.busy = true;
    }
    job();
    {
      std::lock_guard lock(g_queue.mutex);
      g_queue.busy = false;
    }
    g_queue.changed.notify_all();
  }
}

}  // namespace

bool StartMusicThread() {
  {
    std::lock_guard lock(g_queue.mutex);
    if (g_queue.running) return true;
  }
  if (g_thread.Start(MusicThreadProc, nullptr) == 0) return false;
  std::lock_guard lock(g_queue.mutex);
  g_queue.running = true;
  return true;
}

bool MusicThreadRunning() {
  std::lock_guard lock(g_queue.mutex);
  return g_queue.running;
}

void PostMusic(std::function<void()> job) {
  {
    std::lock_guard lock(g_queue.mutex);
    if (!g_queue.running) return;
    g_queue.jobs.push_back(std::move(job));
  }
  g_queue.changed.notify_all();
}

void WaitForMusicIdle() {
  std::unique_lock lock(g_queue.mutex);
  g_queue.changed.wait(lock, [] { return !g_queue.running || (g_queue.jobs.empty() && !g_queue.busy); });
}

void FinishMusicThread(std::function<void()> last) {
  if (last) PostMusic(std::move(last));
  WaitForMusicIdle();
  {
    std::lock_guard lock(g_queue.mutex);
    if (!g_queue.running) return;
    g_queue.running = false;
  }
  g_thread.PostQuit();
  g_thread.Wait();
  g_queue.changed.notify_all();
}
