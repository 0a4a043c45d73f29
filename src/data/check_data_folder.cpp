#include "data/check_data_folder.h"

#include "core/host_path.h"
#include "core/message_boxes.h"
#include "core/report_log.h"
#include "data/project_paths.h"
#include "platform/files/folder_tree.h"
#include "platform/files/path_resolver.h"

namespace {

constexpr const char* kCreateQuestion = "データが存在しません！デフォルトデータを作成しますか？\n";
constexpr const char* kCreateCaption = "デフォルトデータ作成の確認";

}  // namespace

int CheckDataFolder() {
  const char* data = ProjectPaths[kPathDataFolder];
  const std::string existing = HostPathForRead(data);
  if (platform::IsFolder(existing)) return 1;
  if (platform::IsFile(existing)) {
    // Copying over it would destroy whatever the player keeps there.
    Log("%s is a file, not a folder: the default data is not copied", data);
    return 0;
  }
  const std::string source = HostPathForRead(ProjectPaths[kPathDefaultFolder]);
  if (!platform::IsFolder(source)) return 0;
  if (AppMessageBox(kCreateQuestion, kCreateCaption, BoxButtons::YesNo) != BoxAnswer::Yes) return 0;

  const std::string target = HostPathForWrite(data);
  // The copy appears under its name only when complete; a failed one leaves nothing.
  const bool copied = !target.empty() && platform::CopyFolderTree(source, target);
  platform::GameFolder().Forget();
  if (!copied) Log("%s could not be copied to %s", ProjectPaths[kPathDefaultFolder], data);
  return copied ? 1 : 0;
}
