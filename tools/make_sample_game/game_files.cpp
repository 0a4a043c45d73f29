#include "make_sample_game/game_files.h"

#include <filesystem>
#include <system_error>

#include "core/host_path.h"
#include "platform/files/file_replace.h"

namespace sample {

bool GameFiles::MakeFolderFor(std::string_view gamePath) {
  const std::string host = HostPathForWrite(gamePath);
  if (host.empty()) return Fail(gamePath);
  const std::filesystem::path folder = std::filesystem::path(host).parent_path();
  if (folder.empty()) return true;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return !error || Fail(gamePath);
}

bool GameFiles::Fail(std::string_view gamePath) {
  if (error_.empty()) error_ = std::string(gamePath) + " could not be written";
  return false;
}

bool GameFiles::Problem(std::string_view what) {
  if (error_.empty()) error_ = what;
  return false;
}

bool GameFiles::Write(std::string_view gamePath, std::string_view bytes) {
  if (!MakeFolderFor(gamePath)) return false;
  if (!platform::ReplaceFileContents(HostPathForWrite(gamePath), bytes)) return Fail(gamePath);
  ++count_;
  return true;
}

bool GameFiles::SaveRecord(cData& record, std::string_view gamePath) {
  if (!MakeFolderFor(gamePath)) return false;
  if (record.Save(gamePath) == 0) return Fail(gamePath);
  ++count_;
  return true;
}

bool GameFiles::OpenList(std::string_view gamePath) {
  if (!MakeFolderFor(gamePath)) return false;
  list_ = DataFileOpenWrite(gamePath);
  return list_ != nullptr || Fail(gamePath);
}

bool GameFiles::CloseList() {
  const std::string path = list_->HostPath();
  if (!DataFileClose(list_)) return Fail(path);
  ++count_;
  return true;
}

}  // namespace sample
