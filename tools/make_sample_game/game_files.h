#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/checked_sequence.h"
#include "core/record_base.h"
#include "core/record_file.h"

namespace sample {

// Writes the files of the project below the current folder, named by game paths (CP932,
// Windows form) and resolved as the runtime resolves them. Every write goes through the
// platform's one-step file replacement; the first failure is kept for the report.
class GameFiles {
 public:
  bool Write(std::string_view gamePath, std::string_view bytes);
  // A record file through the record's own Save.
  bool SaveRecord(cData& record, std::string_view gamePath);
  // A list file (version header, count, records) as the database files are laid out.
  template <typename T>
  bool SaveList(cVector<T>& list, std::string_view gamePath) {
    if (!OpenList(gamePath)) return false;
    WriteRecordList(list, list_->Out());
    return CloseList();
  }

  // Notes a file that could not be made at all; false.
  bool Problem(std::string_view what);

  bool Ok() const { return error_.empty(); }
  const std::string& Error() const { return error_; }
  // The number of files written.
  int Count() const { return count_; }

 private:
  bool MakeFolderFor(std::string_view gamePath);
  bool Fail(std::string_view gamePath);
  bool OpenList(std::string_view gamePath);
  bool CloseList();

  std::string error_;
  int count_ = 0;
  std::unique_ptr<RecordFileWriter> list_;
};

}  // namespace sample
