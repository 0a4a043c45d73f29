#include "core/checked_sequence.h"

#include <string>

#include "core/close_request.h"
#include "core/format.h"
#include "core/report_log.h"

void ReportBadSequenceIndex(SequenceKind kind, int index, std::size_t size, std::size_t elementSize) {
  // The line names no sequence: its length and element size tell sequences apart in the log.
  const std::string text = Format(kind == SequenceKind::Vector ? "err V[%d] ( %d , %d )" : "err L[%d] ( %d , %d )",
                                  index, static_cast<int>(size), static_cast<int>(elementSize));
  ErrLog(text);
  LogText(text);
  PostCloseRequest();
}
