#include "support/loaded_project.h"

#include "app/flow_engine_link.h"
#include "core/log_files.h"
#include "core/record_version.h"
#include "data/common_palette.h"
#include "data/data_read_context.h"
#include "data/database.h"
#include "data/project_paths.h"
#include "data/system_data.h"
#include "flow/arrange.h"
#include "flow/flow_world_seam.h"
#include "platform/files/path_resolver.h"
#include "world/flow_link.h"
#include "world/scene_play.h"

namespace fs = std::filesystem;

namespace testsupport {

LoadedProject::LoadedProject(const fs::path& game) : here_(game) {
  platform::GameFolder().Forget();
  CurrentVersion = kRecordVersion;  // as the start-up sets it
  LogInit((log_.path() / "Report_Game.txt").string());
  ok_ = Database.Load() == 1;
  Database.FillReadContext(ProjectDataContext());
  ok_ = ok_ && SystemData.Load(ProjectPaths[kPathSystemData]) != 0 && LoadCommonPalette() != 0;
  InitArrangeLimits();
  SetFlowLink(&FlowEngineLink());
  SetFlowWorld(&PlaySceneFlowWorld());
}

LoadedProject::~LoadedProject() {
  SetFlowWorld(nullptr);
  SetFlowLink(nullptr);
  LogInit("/dev/null");
  platform::GameFolder().Forget();
}

}  // namespace testsupport
