#include "platform/files/path_resolver.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"
#include "support/utf8.h"

namespace {

using platform::PathError;
using platform::PathResolver;
using testsupport::TempFolder;
using testsupport::Utf8;

class PathResolverTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("Data/Stg4/Stage1.stg4_750", "s");
    folder_.Write(Utf8(u8"data2/ソース/表.txt"), "t");   // ソ is 83 5C and 表 95 5C in CP932
    folder_.Write(Utf8(u8"ＡＢＣ.txt"), "w");
    folder_.Write("\x83\x5C\x83\x74\x83\x67.bin", "r");  // ソフト.bin unpacked with its CP932 bytes
    folder_.Write("\x83\x61.raw", "y");                  // ャ.raw, raw; its trail byte is 'a'
  }

  std::string Root() const { return folder_.path().string(); }
  std::string Host(const std::string& relative) const { return Root() + "/" + relative; }

  TempFolder folder_;
};

TEST_F(PathResolverTest, FindsExistingFilesWhateverTheirCaseAndSeparators) {
  PathResolver resolver(Root());
  struct Case {
    std::string project;
    std::string host;
  };
  const Case cases[] = {
      {"data\\stg4\\STAGE1.STG4_750", "Data/Stg4/Stage1.stg4_750"},
      {"DATA/stg4/stage1.stg4_750", "Data/Stg4/Stage1.stg4_750"},
      {"data\\\\stg4\\.\\Stage1.stg4_750", "Data/Stg4/Stage1.stg4_750"},
      {"data\\stg4\\Stage1.stg4_750. .", "Data/Stg4/Stage1.stg4_750"},
      {"data\\..\\data\\stg4\\Stage1.stg4_750", "Data/Stg4/Stage1.stg4_750"},
      {"data2\\ソース\\表.txt", Utf8(u8"data2/ソース/表.txt")},
      {"ａｂｃ.TXT", Utf8(u8"ＡＢＣ.txt")},
      {"ソフト.BIN", "\x83\x5C\x83\x74\x83\x67.bin"},
      {"data", "Data"},
  };
  for (const Case& c : cases) {
    const platform::ResolvedPath resolved = resolver.Resolve(c.project);
    EXPECT_EQ(resolved.error, PathError::None) << c.project;
    EXPECT_EQ(resolved.hostPath, Host(c.host)) << c.project;
  }
}

TEST_F(PathResolverTest, RefusesPathsThatLeaveOrMisnameTheGameFolder) {
  PathResolver resolver(Root());
  struct Case {
    std::string project;
    PathError error;
  };
  const Case cases[] = {
      {"", PathError::Empty},
      {".", PathError::Empty},
      {"data\\..", PathError::Empty},
      {"..\\x", PathError::EscapesRoot},
      {"data\\..\\..\\x", PathError::EscapesRoot},
      {"\\data", PathError::Absolute},
      {"/data", PathError::Absolute},
      {"\\\\server\\share\\x", PathError::Absolute},
      {"C:\\data", PathError::DriveLetter},
      {"data\\a?b", PathError::InvalidCharacter},
      {"data\\a:b", PathError::InvalidCharacter},
      {std::string("data\\a\0b", 8), PathError::InvalidCharacter},
      {"data\\missing.txt", PathError::NotFound},
      {"data\\stg4\\Stage1.stg4_750\\deeper", PathError::NotFound},
      {"\x83\x41.raw", PathError::NotFound},  // ア must not match ャ by folding a trail byte
      {"\x81\x20x", PathError::BadEncoding},
  };
  for (const Case& c : cases) {
    const platform::ResolvedPath resolved = resolver.Resolve(c.project);
    EXPECT_EQ(resolved.error, c.error) << c.project;
    EXPECT_TRUE(resolved.hostPath.empty()) << c.project;
  }
}

TEST_F(PathResolverTest, RefusesPathsLongerThanAWindowsPathBufferRatherThanCuttingThem) {
  PathResolver resolver(Root());
  const std::string fits = "data\\" + std::string(PathResolver::kMaxPathBytes - 5, 'x');
  EXPECT_EQ(resolver.Resolve(fits).error, PathError::NotFound);
  EXPECT_EQ(resolver.Resolve(fits + "x").error, PathError::TooLong);
  EXPECT_EQ(resolver.ResolveForCreate(fits + "x").error, PathError::TooLong);
}

TEST_F(PathResolverTest, NewFilesKeepExistingFoldersAndGetUtf8Names) {
  PathResolver resolver(Root());
  EXPECT_EQ(resolver.ResolveForCreate("DATA\\stg4\\新規.stg4_750").hostPath, Host(Utf8(u8"Data/Stg4/新規.stg4_750")));
  EXPECT_EQ(resolver.ResolveForCreate("user_data\\rpl4\\x.rpl4_750").hostPath, Host("user_data/rpl4/x.rpl4_750"));
  EXPECT_EQ(resolver.ResolveForCreate("data\\stg4\\STAGE1.stg4_750").hostPath, Host("Data/Stg4/Stage1.stg4_750"));
  EXPECT_EQ(resolver.ResolveForCreate("\x81\x20x").error, PathError::BadEncoding);
}

TEST_F(PathResolverTest, SeesFilesMadeAfterItsFolderWasListed) {
  PathResolver resolver(Root());
  ASSERT_EQ(resolver.Resolve("data\\stg4\\later.stg4_751").error, PathError::NotFound);
  folder_.Write("Data/Stg4/Later.stg4_751", "n");
  EXPECT_EQ(resolver.Resolve("data\\stg4\\later.stg4_751").hostPath, Host("Data/Stg4/Later.stg4_751"));
}

TEST_F(PathResolverTest, TheCurrentFolderRootGivesRelativeHostPaths) {
  testsupport::ScopedCurrentFolder current(folder_.path());
  PathResolver resolver;
  EXPECT_EQ(resolver.Resolve("data\\STG4").hostPath, "Data/Stg4");
}

}  // namespace
