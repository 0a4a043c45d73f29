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
#include "data/rankings.h"
#include "data/save_data.h"
#include "data/system_data.h"
#include "gfx/dd_state.h"
#include "world/play_progress.h"
#include "world/ranking_draw.h"
#include "world/scene_play.h"
#include "world/world_sound.h"

namespace {

// The message the game thread hands the display with, retried until the thread takes it.
constexpr std::uint32_t kStartMessage = 0x8000;
// A closing program gives the display this long to end by itself.
constexpr std::uint32_t kQuitGraceMs = 2000;
enum : int { kSoundDecide = 1, kSoundRankingKind = 6, kSoundMessageKey = 12 };

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

// What a display's loop does in one pass before its frame.
enum class Pass { Frame, Wait, End };

// Messages are dropped, an inactive program waits, and once the program began to close
// nothing is drawn: the close ends the thread, or it ends itself after the grace.
class DisplayPasses {
 public:
  explicit DisplayPasses(cThread& thread) : thread_(thread) {}
  Pass Next() {
    platform::Message message;
    const platform::PeekResult peek = platform::PeekThreadMessage(message);
    if (peek == platform::PeekResult::Quit) return Pass::End;
    if (peek == platform::PeekResult::Message) return Pass::Wait;
    if (ActiveFlag.load() == 0 || PlaySceneQuit.load() != 0) {
      if (PlaySceneQuit.load() != 0) {
        if (!quitSeen_) {
          quitSeen_ = true;
          quitSince_ = ClockMs();
        } else if (ClockMs() - quitSince_ >= kQuitGraceMs) {
          thread_.PostQuit();
        }
      }
      return platform::SleepOrStop(1) ? Pass::Wait : Pass::End;
    }
    if (!SceneMgr.WaitFrame()) return Pass::End;
    if (!SceneMgr.RestoreSurfaces()) PostCloseRequest();
    return Pass::Frame;
  }

 private:
  cThread& thread_;
  bool quitSeen_ = false;
  std::uint32_t quitSince_ = 0;
};

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
  DisplayPasses passes(thPause);
  for (;;) {
    const Pass pass = passes.Next();
    if (pass == Pass::End) break;
    if (pass == Pass::Wait) continue;
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

unsigned RankingDisplayProc(void* argument) {
  cScenePlay& scene = *static_cast<cScenePlay*>(argument);
  const int mode = SceneMgr.PlayMode;
  SaveDataCur.CycleSelection(mode, 0);
  DisplayPasses passes(RankingThread);
  for (;;) {
    const Pass pass = passes.Next();
    if (pass == Pass::End) return 1;
    if (pass == Pass::Wait) continue;
    PollInputs(PlayerInputs);
    cInput& input = PlayerInputs[0];
    input.FilterButtonPress(0);
    input.ApplyKeyRepeat();
    if ((input.m_wButton & 1) != 0) {
      WorldSound().PlaySE(kSoundDecide);
      scene.bButtonLatch = 1;
      return 1;
    }
    if ((input.m_wButton & 8) != 0 && SystemData.CountFlags(mode) >= 2) {
      WorldSound().PlaySE(kSoundRankingKind);
      SaveDataCur.CycleSelection(mode, 1);
    }
    scene.Draw(0, 1, 0, 1);
    const int kind = SaveDataCur.m_nRankKind;
    if (DDInitialised != 0 && kind >= 0 && kind < kRankKindCount) {
      DrawRankSet(RankSet, &SDBackBuffer, 184, 64, kind, scene.RankPlaces[kind]);
    }
    SceneMgr.Present();
  }
}

void cScenePlay::SetModalDisplay(int kind, int value, int duration, int flag) { Modal.Set(kind, value, duration, flag); }

namespace {

// Start, hand the display its start message until it takes it, and wait for its end: the game
// thread draws nothing meanwhile.
void RunDisplay(cThread& thread, unsigned (*procedure)(void*), cScenePlay* scene, const char* name) {
  if (thread.Start(procedure, scene) == 0) {
    ErrLogf("%s could not start", name);
    return;
  }
  while (!thread.PostThreadMessage(kStartMessage)) {
    if (thread.HasEnded()) break;
    platform::SleepOrStop(0);
  }
  thread.Wait();
}

}  // namespace

void cScenePlay::RunModalDisplay() { RunDisplay(thPause, ModalDisplayProc, this, "thPause"); }

void cScenePlay::RunRankingDisplay() { RunDisplay(RankingThread, RankingDisplayProc, this, "RankingThread"); }
