#include "app/request_services.h"

#include <atomic>

#include "data/data_read_context.h"
#include "data/play_stage_file.h"
#include "data/save_data.h"
#include "data/stage_data.h"
#include "gfx/dd_present.h"
#include "gfx/pixel_draw.h"
#include "input/dialogs/file_chooser.h"
#include "input/dialogs/name_dialog.h"
#include "input/replay.h"
#include "menus/replay_dialog.h"

void cRequestServices::SetDialogBoxMode(int on) { DDSetDialogBoxMode(on); }

void cRequestServices::RecoverDevice() { DDRestoreSurface(); }

void cRequestServices::RunNameDialog() { ::RunNameDialog(); }

bool cRequestServices::GetOpenFileName(const OpenFileRequest& request, std::string& path) {
  const FileChooserRequest chooser{request.title,         request.initialFolder,   request.filterName,
                                   request.filterPattern, request.defaultExtension, false, {}};
  return DDGetOpenFileName(path, chooser, nullptr) == 1;
}

bool cRequestServices::PlayStageFile(const std::string& path, int newest) { return ::PlayStageFile(path, newest) != 0; }

bool cRequestServices::ReadReplayFile(const std::string& path) {
  if (Replay0.ReadFile(path, StageCur, StageStart, SaveDataCur) == 0) return false;
  ProjectDataContext().stagePalette = StageCur.PaletteView();
  return true;
}

void cRequestServices::SetStageFilePath(const std::string& path) { StageFilePath = path; }

bool cRequestServices::ReplaySaveDialog(std::string& path) {
  return ::ReplaySaveDialog(path, SaveDataCur.m_strStageKey);
}

bool cRequestServices::WriteReplayFile(int buffer, const std::string& path) {
  cReplay& replay = buffer == 0 ? Replay0 : Replay1;
  return replay.WriteFile(path, StageCur, StageStart, buffer == 0 ? SaveDataRpl0 : SaveDataRpl1) != 0;
}

namespace {

cRequestServices g_ownServices;
std::atomic<cRequestServices*> g_services{nullptr};

}  // namespace

void SetRequestServices(cRequestServices* services) { g_services.store(services); }

cRequestServices& RequestServices() {
  cRequestServices* services = g_services.load();
  return services != nullptr ? *services : g_ownServices;
}
