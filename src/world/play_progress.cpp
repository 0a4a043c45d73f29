#include "world/play_progress.h"

#include "core/game_requests.h"
#include "core/scene_manager.h"
#include "data/system_data.h"
#include "input/input_source.h"
#include "input/replay.h"
#include "platform/input/virtual_keys.h"
#include "world/world_sound.h"

namespace {

constexpr int kKeyReplay0 = platform::vk::kF1;
constexpr int kKeyReplay1 = platform::vk::kF1 + 1;  // F2
constexpr int kSoundReplaySave = 1;
constexpr int kSoundReplayEmpty = 3;
// Frames the empty buffer's sound waits before it may sound again with the key still down.
constexpr std::int32_t kReplayKeyGuardFrames = 60;

}  // namespace

bool StageCleared(const cSaveData& save) {
  const int stage = save.m_nStage;
  return stage >= 0 && stage < static_cast<int>(save.m_StageCleared.size()) && save.m_StageCleared[stage] != 0;
}

bool ChallengeStageCleared(const cSaveData& save) {
  const int index = save.m_nStage - 1;
  return index >= 0 && index < static_cast<int>(save.m_Challenge.size()) && save.m_Challenge[index].m_nFirst != 0;
}

int ReplayHotKeys() {
  if (SceneMgr.TitleChoice == kTitleChoiceReplay || SystemData.bRecordReplay == 0) return 0;
  if (ReplayKeyGuard > 0) --ReplayKeyGuard;
  // F1 wins when both are down.
  int buffer = 0;
  if (InputSource().KeyDown(kKeyReplay0)) {
    buffer = 0;
  } else if (InputSource().KeyDown(kKeyReplay1)) {
    buffer = 1;
  } else {
    return 0;
  }
  const cReplay& replay = buffer == 0 ? Replay0 : Replay1;
  if (replay.m_Dirs.empty()) {
    if (ReplayKeyGuard == 0) {
      WorldSound().PlaySE(kSoundReplayEmpty);
      ReplayKeyGuard = kReplayKeyGuardFrames;
    }
    return 0;
  }
  WorldSound().PlaySE(kSoundReplaySave);
  // The main thread asks for the file name and writes the file; no frame passes meanwhile.
  RequestFileDialog(kRequestSaveReplay, static_cast<std::uintptr_t>(buffer));
  return 1;
}
