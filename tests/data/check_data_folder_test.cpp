#include "data/check_data_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/diagnostics.h"
#include "platform/files/folder_tree.h"
#include "platform/files/path_resolver.h"
#include "support/temp_folder.h"
#include "support/utf8.h"

namespace {

namespace fs = std::filesystem;

class CheckDataFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    current_.emplace(folder_.path());
    platform::GameFolder().Forget();
    platform::SetDiagnosticSink([this](std::string_view text) { messages_.emplace_back(text); });
    Answer("yes");
  }
  void TearDown() override {
    platform::SetCopyFaultAfter(std::nullopt);
    platform::SetDiagnosticSink(nullptr);
    unsetenv("KESTREL_BOX_ANSWER");
    current_.reset();
    platform::GameFolder().Forget();
  }
  static void Answer(const char* answer) { setenv("KESTREL_BOX_ANSWER", answer, 1); }

  // A default folder with nested folders, an empty one, binary bytes and a Japanese name.
  void MakeDefault() {
    folder_.Write("default/System.dat", std::string("\x01\x00\xFF\r\n", 5));
    folder_.Write("default/database/Anime.dat", std::string(70000, '\x5C'));
    folder_.Write(testsupport::Utf8(u8"default/stg4/ステージ.stg4_001"), "stage");
    folder_.MakeFolder("default/empty");
    platform::GameFolder().Forget();
  }
  bool Asked() const {
    for (const std::string& m : messages_) {
      if (m.find("データが存在しません！") != std::string::npos) return true;
    }
    return false;
  }
  // Every entry below a folder, relative, with the bytes of files.
  static std::vector<std::pair<std::string, std::string>> Tree(const fs::path& root) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      const std::string bytes = entry.is_regular_file() ? testsupport::ReadFileBytes(entry.path()) : "<folder>";
      entries.emplace_back(fs::relative(entry.path(), root).string(), bytes);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
  }
  // Names in the game folder, so that a temporary copy left behind shows.
  std::vector<std::string> TopLevel() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  testsupport::TempFolder folder_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
  std::vector<std::string> messages_;
};

TEST_F(CheckDataFolderTest, AnExistingDataFolderIsEnoughWithoutAsking) {
  folder_.MakeFolder("Data");
  EXPECT_EQ(CheckDataFolder(), 1);
  EXPECT_FALSE(Asked());
}

TEST_F(CheckDataFolderTest, WithNeitherFolderItStopsWithoutAsking) {
  EXPECT_EQ(CheckDataFolder(), 0);
  EXPECT_FALSE(Asked());
  EXPECT_TRUE(TopLevel().empty());
}

TEST_F(CheckDataFolderTest, DecliningTheQuestionMakesNothing) {
  MakeDefault();
  Answer("no");
  EXPECT_EQ(CheckDataFolder(), 0);
  EXPECT_TRUE(Asked());
  EXPECT_EQ(TopLevel(), std::vector<std::string>{"default"});
}

TEST_F(CheckDataFolderTest, AgreeingCopiesTheDefaultsByteForByte) {
  MakeDefault();
  EXPECT_EQ(CheckDataFolder(), 1);
  EXPECT_TRUE(Asked());
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "[デフォルトデータ作成の確認] データが存在しません！デフォルトデータを作成しますか？\n");
  EXPECT_EQ(TopLevel(), (std::vector<std::string>{"data", "default"}));
  EXPECT_EQ(Tree(folder_.path() / "data"), Tree(folder_.path() / "default"));
  EXPECT_EQ(Tree(folder_.path() / "data").size(), 6u);

  // The next start finds it.
  messages_.clear();
  EXPECT_EQ(CheckDataFolder(), 1);
  EXPECT_FALSE(Asked());
}

TEST_F(CheckDataFolderTest, AFailedCopyLeavesNoDataFolderBehind) {
  MakeDefault();
  for (std::size_t files : {0u, 1u, 2u}) {
    platform::SetCopyFaultAfter(files);
    EXPECT_EQ(CheckDataFolder(), 0) << files;
    EXPECT_EQ(TopLevel(), std::vector<std::string>{"default"}) << files;
  }
  platform::SetCopyFaultAfter(3);
  EXPECT_EQ(CheckDataFolder(), 1);
}

TEST_F(CheckDataFolderTest, AFileNamedDataIsRefusedAndKept) {
  MakeDefault();
  folder_.Write("data", "the player's own file");
  EXPECT_EQ(CheckDataFolder(), 0);
  EXPECT_FALSE(Asked());
  EXPECT_EQ(folder_.Read("data"), "the player's own file");
}

TEST_F(CheckDataFolderTest, ACopyNeverReplacesWhatAppearedMeanwhile) {
  folder_.MakeFolder("src/a");
  folder_.Write("src/a/f", "x");
  folder_.Write("dst/keep", "mine");
  const std::string src = (folder_.path() / "src").string();
  const std::string dst = (folder_.path() / "dst").string();
  EXPECT_FALSE(platform::CopyFolderTree(src, dst));
  EXPECT_EQ(folder_.Read("dst/keep"), "mine");
  folder_.MakeFolder("empty");
  EXPECT_FALSE(platform::CopyFolderTree(src, (folder_.path() / "empty").string()));
  EXPECT_FALSE(platform::RenameNoReplace(src, dst));
  EXPECT_TRUE(platform::CopyFolderTree(src, (folder_.path() / "new").string()));
  EXPECT_EQ(folder_.Read("new/a/f"), "x");
}

}  // namespace
