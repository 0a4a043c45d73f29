#include "world/play_progress.h"

bool StageCleared(const cSaveData& save) {
  const int stage = save.m_nStage;
  return stage >= 0 && stage < static_cast<int>(save.m_StageCleared.size()) && save.m_StageCleared[stage] != 0;
}

bool ChallengeStageCleared(const cSaveData& save) {
  const int index = save.m_nStage - 1;
  return index >= 0 && index < static_cast<int>(save.m_Challenge.size()) && save.m_Challenge[index].cleared != 0;
}

int ReplayHotKeys() { return 0; }
