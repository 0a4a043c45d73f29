#include "support/temp_folder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace testsupport {
namespace fs = std::filesystem;

namespace {

fs::path HostPath(std::string_view relative) {
  return fs::path(std::u8string(relative.begin(), relative.end()));
}

}  // namespace

TempFolder::TempFolder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("kestrel-test-" + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code error;
  fs::remove_all(path_, error);
}

fs::path TempFolder::Write(std::string_view relative, std::string_view bytes) const {
  const fs::path target = path_ / HostPath(relative);
  fs::create_directories(target.parent_path());
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return target;
}

fs::path TempFolder::MakeFolder(std::string_view relative) const {
  const fs::path target = path_ / HostPath(relative);
  fs::create_directories(target);
  return target;
}

std::string TempFolder::Read(std::string_view relative) const { return ReadFileBytes(path_ / HostPath(relative)); }

std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScopedCurrentFolder::ScopedCurrentFolder(const fs::path& folder) : previous_(fs::current_path()) {
  fs::current_path(folder);
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
  std::error_code error;
  fs::current_path(previous_, error);
}

}  // namespace testsupport
