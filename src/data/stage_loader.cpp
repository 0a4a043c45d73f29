#include "data/stage_loader.h"

#include <cstring>
#include <memory>
#include <string>

#include "core/close_request.h"
#include "core/message_boxes.h"
#include "core/message_pump.h"
#include "core/path_helpers.h"
#include "core/record_file.h"
#include "core/thread.h"
#include "data/data_read_context.h"
#include "data/project_paths.h"
#include "data/stage_data.h"

namespace {

// On LoaderThread: the stage is read into a record of its own and becomes StageCur only once
// it has read whole, so a broken file never leaves the live stage half overwritten.
unsigned StageLoaderProc(void* /*argument*/) {
  auto loaded = std::make_unique<cStageData>();
  if (loaded->Load(StageCur.strLoadPath) == 0) return 0;
  loaded->strLoadPath = StageCur.strLoadPath;
  loaded->bFindNewest = StageCur.bFindNewest;
  StageCur = std::move(*loaded);
  StageCur.bLoadDone = 1;
  return 1;
}

}  // namespace

int CheckStageTrailer(std::string_view path) {
  std::unique_ptr<RecordReader> file = DataFileOpenRead(path);
  if (!file || file->Version() < kStageTrailerChecked) return 1;
  const std::string& bytes = file->Bytes();
  std::uint32_t last = 0;
  const bool whole =
      bytes.size() >= 4 && (std::memcpy(&last, bytes.data() + bytes.size() - 4, 4), last == kStageTrailer);
  DataFileClose(file);
  if (whole) return 1;
  ErrorBoxF("ステージファイル %s が破損しています！", std::string(path).c_str());
  PostCloseRequest();
  return 0;
}

int LoadStageThreaded(std::string_view path, int findNewest, cStageData* out) {
  StageCur.bFindNewest = findNewest;
  std::string file(path);
  if (findNewest == 1 && FindLastNumberedFile(file, path, ProjectExts[kExtStage]) == 0) return 0;
  PathMakeRelativeStr(file);
  StageCur.strLoadPath = file;
  if (CheckStageTrailer(file) == 0) return 0;

  StageCur.bLoadDone = 0;
  if (LoaderThread.Start(StageLoaderProc, nullptr) == 1 && !WaitServingMessages(LoaderThread)) return 0;
  LoaderThread.Exit();
  if (StageCur.bLoadDone == 0) {
    ErrorBoxF("ステージファイル %s の読み込みに失敗しました！", StageCur.strLoadPath.c_str());
    return 0;
  }
  ProjectDataContext().stagePalette = StageCur.PaletteView();
  if (!StageCur.HasHero()) {
    ErrorBox("主人公が配置されていないのでプレイできません！");
    PostCloseRequest();
    return 0;
  }
  if (out == nullptr) return 1;
  out->AssignStartState(StageCur);
  out->ClearPalettesAndPlacements();
  return 1;
}
