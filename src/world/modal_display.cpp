// Displays that stop the game: the game thread waits while this thread draws.
#include "world/modal_display.h"

#include "core/close_request.h"
#include "core/program_state.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/thread.h"
#include "core/timing.h"
#include "input/input.h"
#include "platform/worker_thread.h"
#include "world/play_progress.h"
#include "world/scene_play.h"
#include "world/world_sound.h"

namespace {

// The message the game thread hands the display with, retried until the thread takes it.
constexpr std::uint32_t kStartMessage = 0x8000;
// A closing program gives the display this long to end by itself.
constexpr std::uint32_t kQuitGraceMs = 2000;
enum : int { kSoundDecide = 1, kSoundMessageKey = 12 };

// One frame of the display's record: true when the display is over.
bool StepRecord(cScenePlay& scene, const cInput& input) {
  cStateTimer& record = scene.Modal;
  if (record.m_nSubTimer > 0) {
    --record.m_nSubTimer;
    return false;
  }
  if (record.m_nValue != 0) {
    const bool pressedNow = (input.m_wButton & 1) != 0 && (input.HistoryAgo(1, 1) & 1) == 0;
    if (!pressedNow) return false;
    WorldSound().PlaySE(record.m_nKind == 1 ? kSoundMessageKey : kSoundDecide);
    scene.bButtonLatch = 1;
    return true;
  }
  return --record.m_nDuration < 0;
}

}  // namespace

unsigned ModalDisplayProc(void* argument) {
  cScenePlay& scene = *static_cast<cScenePlay*>(argument);
  if (PlaySceneQuit.load() != 0) return 0;
  // The display reads its own copy: the game's records are left as they were.
  cVector<cInput> inputs = PlayerInputs;
  if (inputs.empty()) inputs.resize(1);
  cInput& input = inputs[0];
  input.ClearHistory();
  input.ResetEvents();
  input.ClearDirections();
  input.ClearButtons();
  std::uint32_t quitSince = 0;
  bool quitSeen = false;
  for (;;) {
    platform::Message message;
    const platform::PeekResult peek = platform::PeekThreadMessage(message);
    if (peek == platform::PeekResult::Quit) break;
    if (peek == platform::PeekResult::Message) continue;
    if (ActiveFlag.load() == 0) {
      if (!platform::SleepOrStop(1)) break;
      continue;
    }
    if (PlaySceneQuit.load() != 0) {
      // Nothing is drawn while the program closes; the close ends this thread, or it ends
      // itself once the grace has passed.
      if (!quitSeen) {
        quitSeen = true;
        quitSince = ClockMs();
      } else if (ClockMs() - quitSince >= kQuitGraceMs) {
        thPause.PostQuit();
      }
      if (!platform::SleepOrStop(1)) break;
      continue;
    }
    if (!SceneMgr.WaitFrame()) break;
    if (!SceneMgr.RestoreSurfaces()) PostCloseRequest();
    PollInputs(inputs);
    input.PushHistory();
    input.FilterButtonPress(0);
    if (ReplayHotKeys() != 0) continue;
    if (StepRecord(scene, input)) break;
    scene.Draw(0, 1, 0, 1);
    SceneMgr.Present();
  }
  return 1;
}

void cScenePlay::SetModalDisplay(int kind, int value, int duration, int flag) { Modal.Set(kind, value, duration, flag); }

void cScenePlay::RunModalDisplay() {
  if (thPause.Start(ModalDisplayProc, this) == 0) {
    ErrLogf("thPause could not start");
    return;
  }
  while (!thPause.PostThreadMessage(kStartMessage)) {
    if (thPause.HasEnded()) break;
    platform::SleepOrStop(0);
  }
  thPause.Wait();
}
