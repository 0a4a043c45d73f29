#include "core/missing_display.h"

#include <cstdio>

#include "core/report_log.h"

int StopForMissingDisplay() {
  std::fprintf(stderr, "kestrel: %s\n", kNoDisplayMessage);
  LogText(kNoDisplayMessage);
  return kNoDisplayExitCode;
}
