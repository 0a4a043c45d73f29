#include "core/log_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/host_path.h"
#include "core/report_log.h"

void StartLogFiles() {
  ErrLogInit(false, HostPathInCurrentFolder("EC_Game.txt"));
  // The path is fixed now, absolute, so that the report stays in the game folder whatever the
  // current folder becomes later.
  const std::string reportPath = HostPathInCurrentFolder("Report_Game.txt");
  if (LogInit(reportPath)) return;
  const int error = errno;  // left by the failed open
  std::fprintf(stderr, "kestrel: the report log %s cannot be written (%s); starting without it\n",
               reportPath.c_str(), std::strerror(error));
}
