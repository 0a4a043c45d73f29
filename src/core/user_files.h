#pragma once

#include <string_view>

#include "core/host_path.h"

// The player's own files (progress, replays, rankings, options) come from disks that fill up,
// crash mid-write and get copied between machines. A read goes into a copy of the live record,
// which is taken only once the whole file has read; a file that is there but does not read is
// moved aside as "<name>.bad" before anything could write over it.

// Renames the file to "<name>.bad" and logs it; false when that fails (the file then stays).
bool SetAsideUnreadable(std::string_view gamePath);

// 1 with the record read whole into `live`; 0 with `live` untouched when the file is missing
// or broken (a broken one is set aside). Members a file of an older version lacks keep the
// live record's values.
template <typename T>
int LoadUserRecord(T& live, std::string_view path) {
  T read = live;
  if (read.Load(path) != 0) {
    live = read;
    return 1;
  }
  if (GamePathExists(path)) SetAsideUnreadable(path);
  return 0;
}

// Writes a user record in one step. A file already there that does not read is set aside
// first, so the new file cannot take the place of one that might be mended. 1 when written.
template <typename T>
int SaveUserRecord(T& record, std::string_view path) {
  if (GamePathExists(path)) {
    T probe;
    if (probe.Load(path) == 0) SetAsideUnreadable(path);
  }
  return record.Save(path);
}

// A user file that could not be written: logged, and said to the player, who would otherwise
// believe it kept.
void ReportSaveFailure(std::string_view path);
