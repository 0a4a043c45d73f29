#include "core/program_entry.h"

#include <string>

#include "core/path_helpers.h"
#include "core/report_log.h"
#include "core/system_report.h"

int ProgramEntry(int /*argc*/, char** /*argv*/) {
  ErrLogInit(false, "EC_Game.txt");
  std::string logPath = "Report_Game.txt";
  if (!PathMakeAbsolute(logPath) || !LogInit(logPath)) return 0;
  Log("App : ver %s", "750");
  LogSystemInfo();
  return 0;
}
