#include "data/play_stage_file.h"

#include "core/path_helpers.h"
#include "core/program_state.h"
#include "data/save_data.h"
#include "data/stage_data.h"
#include "data/stage_loader.h"

std::string StageFilePath;

namespace {

constexpr std::size_t kMaxPath = 259;
constexpr int kFreeMode = 2;

}  // namespace

int PlayStageFile(const std::string& path, int newest) {
  StageFilePath = path.substr(0, kMaxPath);
  cSaveData& save = SaveDataCur;
  save.Reset();
  if (LoadStageThreaded(StageFilePath, newest, &StageStart) == 0) return 0;
  save.m_nStage = 1;
  save.m_nPart = 1;
  // A stage named at start-up is played with lives without end.
  save.SetStartLives(kFreeMode, DirectPlayFlag.load() != 0);
  std::string key = StageFilePath;
  PathMakeRelative(key);
  save.SetStageName(key.c_str());
  return 1;
}
