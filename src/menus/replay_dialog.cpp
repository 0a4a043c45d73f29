#include "menus/replay_dialog.h"

#include "core/game_requests.h"
#include "core/host_path.h"
#include "core/path_helpers.h"
#include "core/record_version.h"
#include "core/system_ini.h"
#include "gfx/pixel_draw.h"
#include "input/dialogs/file_chooser.h"

namespace {

constexpr const char* kReplayFolder = "user_data\\rpl4\\";
constexpr int kLastDigit = 8;

std::string ReplayExtension() { return "rpl4_" + std::to_string(kRecordVersion); }

}  // namespace

std::string ProposeReplayName(const std::string& stageKey) {
  if (stageKey.empty()) return "";
  std::string name;
  PathChangeExt(name, stageKey, ReplayExtension().c_str());
  PathStripDir(name);
  const std::string base = kReplayFolder + name;
  std::string candidate;
  for (int i = 0; i <= kLastDigit; ++i) {
    for (int j = 0; j <= kLastDigit; ++j) {
      PathInsertNumber(candidate, base, i, j);
      if (!GamePathExists(candidate)) {
        PathStripDir(candidate);
        return candidate;
      }
    }
  }
  PathStripDir(candidate);
  return candidate;
}

bool ReplaySaveDialog(std::string& path, const std::string& stageKey) {
  const std::string extension = ReplayExtension();
  FileChooserRequest request;
  request.title = SystemIni.English != 0 ? "Save replay file" : "リプレイファイルの保存";
  request.initialFolder = kReplayFolder;
  request.filterName = "ReplayFile ( *." + extension + " )";
  request.filterPattern = "*." + extension;
  request.defaultExtension = extension;
  path = ProposeReplayName(stageKey);
  DDSetDialogBoxMode(1);
  const int chosen = DDGetSaveFileName(path, request, true);
  DDSetDialogBoxMode(0);
  return chosen == 1;
}

bool RequestReplayLoad() { return RequestFileDialog(kRequestOpenReplay) != 0; }
