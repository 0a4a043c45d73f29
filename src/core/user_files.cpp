#include "core/user_files.h"

#include <string>

#include "core/message_boxes.h"
#include "core/report_log.h"
#include "platform/files/file_replace.h"

bool SetAsideUnreadable(std::string_view gamePath) {
  const std::string aside = std::string(gamePath) + ".bad";
  const bool moved = platform::RenameFile(HostPathForRead(gamePath), HostPathForWrite(aside));
  Log(moved ? "%s could not be read; kept as %s" : "%s could not be read nor kept as %s", std::string(gamePath).c_str(),
      aside.c_str());
  return moved;
}

void ReportSaveFailure(std::string_view path) {
  const std::string text(path);
  ErrLogf("%s の保存に失敗！", text.c_str());
  ErrorBoxF("%s の保存に失敗！", text.c_str());
}
