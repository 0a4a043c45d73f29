#pragma once

// The sample game made once per test program into a temporary folder, and a scope that makes
// its folder the game folder, as the runtime sees it after its first start.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "core/close_request.h"
#include "core/record_version.h"
#include "data/check_data_folder.h"
#include "make_sample_game/sample_game.h"
#include "platform/files/path_resolver.h"
#include "support/temp_folder.h"

namespace sampletest {

namespace fs = std::filesystem;

// Every file below a folder, by its path relative to the folder, with its bytes.
inline std::map<std::string, std::string> FolderContents(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = testsupport::ReadFileBytes(entry.path());
  }
  return files;
}

// The game, made on first use.
class SampleGame {
 public:
  static const fs::path& Folder() {
    static SampleGame game;
    return game.folder_.path();
  }

 private:
  SampleGame() {
    const sample::MakeResult made = sample::MakeSampleGame(folder_.path());
    if (!made.ok) ADD_FAILURE() << "the sample game was not made: " << made.error;
  }
  testsupport::TempFolder folder_;
};

// The game folder as the current folder, with data\ made from default\ by the first start,
// the current record layout, and no close request expected.
class GameFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::current_path(SampleGame::Folder());
    platform::GameFolder().Forget();
    savedVersion_ = CurrentVersion;
    CurrentVersion = kRecordVersion;
    SetCloseRequestSink([this] { ++closeRequests_; });
    // The runtime's own first-start copy (headless, its question is answered yes).
    if (!fs::exists("data")) {
      ASSERT_EQ(CheckDataFolder(), 1);
    }
  }
  void TearDown() override {
    SetCloseRequestSink(nullptr);
    CurrentVersion = savedVersion_;
    fs::current_path(previous_);
    platform::GameFolder().Forget();
    EXPECT_EQ(closeRequests_, 0) << "a read asked the program to close";
  }

 private:
  fs::path previous_;
  std::int32_t savedVersion_ = 0;
  int closeRequests_ = 0;
};

}  // namespace sampletest
