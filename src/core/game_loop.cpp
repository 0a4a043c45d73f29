#include "core/game_loop.h"

#include "core/close_request.h"
#include "core/program_state.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/thread.h"
#include "platform/worker_thread.h"

unsigned GameLoop(void* /*argument*/) {
  for (;;) {
    platform::Message message;
    switch (platform::PeekThreadMessage(message)) {
      case platform::PeekResult::Quit:
        ErrLog("GameLoop WM_QUIT!");
        return 1;
      case platform::PeekResult::Message:
        continue;  // the start handshake; every queued message goes before the next frame
      case platform::PeekResult::Empty:
        break;
    }
    if (ActiveFlag.load() == 0) {
      platform::SleepOrStop(1);
    } else if (SceneMgr.Frame() == 0) {
      PostCloseRequest();
      return 1;
    }
  }
}

bool StartGameThread() {
  if (thGame.Start(GameLoop, nullptr) == 0) return false;
  // The thread's queue exists from its start, so the first post is taken.
  while (!thGame.PostThreadMessage(platform::WM_APP)) {
    if (!thGame.HasThread()) return false;
  }
  return true;
}
