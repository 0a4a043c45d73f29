#include "core/path_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files/path_resolver.h"
#include "platform/text_codec.h"
#include "support/temp_folder.h"
#include "support/utf8.h"

namespace {

TEST(PathStripDir, KeepsDoubleByteCharactersWhoseSecondByteIsABackslash) {
  struct Case {
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {"ソ\\x", "x"},                          // ソ = 83 5C: the first 5C is not a separator
      {"さくら\\x", "x"},                      // ら = 82 E7: a lead-byte value before the separator
      {"data\\stg4\\stage.stg4_750", "stage.stg4_750"},
      {"ソ", "ソ"},
      {"表示\\能力", "能力"},                  // 表 95 5C, 能 94 5C
      {"plain", "plain"},
      {"dir\\", ""},
  };
  for (const Case& c : cases) {
    std::string path = c.in;
    PathStripDir(path);
    EXPECT_EQ(path, c.out) << c.in;
  }
}

TEST(PathExtensions, LookOnlyAtTheLastComponent) {
  std::string out;
  EXPECT_EQ(PathChangeExt(out, "a.b.c", "x"), 1);
  EXPECT_EQ(out, "a.b.x");
  EXPECT_EQ(PathChangeExt(out, "a.b.c", nullptr), 1);
  EXPECT_EQ(out, "a.b");
  EXPECT_EQ(PathChangeExt(out, "my.dir\\stage", "stg4"), 0);
  EXPECT_EQ(out, "my.dir\\stage");
  EXPECT_EQ(PathChangeExt(out, "my.dir\\stage.old", "stg4"), 1);
  EXPECT_EQ(out, "my.dir\\stage.stg4");

  std::string path = "v1.0\\readme";
  EXPECT_EQ(PathStripExt(path), 0);
  EXPECT_EQ(path, "v1.0\\readme");
  path = "v1.0\\readme.txt";
  EXPECT_EQ(PathStripExtStr(path), 1);
  EXPECT_EQ(path, "v1.0\\readme");

  EXPECT_EQ(PathGetExt(out, "data\\stage.stg4_750"), 1);
  EXPECT_EQ(out, "stg4_750");
  EXPECT_EQ(PathGetExt(out, "v1.0\\readme"), 0);
  EXPECT_EQ(PathGetExt(out, "x." + std::string(32, 'e')), 0);
  EXPECT_EQ(PathGetExt(out, "x." + std::string(31, 'e')), 1);
}

TEST(PathInsertNumber, PutsTwoDigitsBeforeTheExtensionOfTheLastComponent) {
  std::string out;
  EXPECT_EQ(PathInsertNumber(out, "stage.rpl4_750", 0, 3), 1);
  EXPECT_EQ(out, "stage_03.rpl4_750");
  EXPECT_EQ(PathInsertNumber(out, "user.data\\rpl4\\stage.rpl4_750", 1, 2), 1);
  EXPECT_EQ(out, "user.data\\rpl4\\stage_12.rpl4_750");
  EXPECT_EQ(PathInsertNumber(out, "user.data\\rpl4\\stage", 1, 2), 0);
}

TEST(PathBuffers, RefuseResultsLongerThanAPathBuffer) {
  const std::string longName = std::string(kMaxPathChars - 4, 'n') + ".ext";
  std::string out = "previous";
  EXPECT_EQ(PathChangeExt(out, longName, "e"), 1);
  EXPECT_EQ(PathChangeExt(out, longName, "extension"), 0);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(PathInsertNumber(out, longName, 1, 2), 0);
  EXPECT_TRUE(out.empty());
}

TEST(PathMakeAbsoluteAndRelative, RoundTripThroughTheCurrentFolder) {
  testsupport::TempFolder folder;
  folder.MakeFolder(testsupport::Utf8(u8"ゲーム"));
  testsupport::ScopedCurrentFolder current(folder.path() / testsupport::Utf8(u8"ゲーム"));
  std::string base;
  ASSERT_TRUE(platform::Utf8ToCp932(std::filesystem::current_path().string(), base));
  for (char& c : base) c = c == '/' ? '\\' : c;

  std::string path = "data\\.\\stg4\\..\\stg4\\x.stg4_750";
  ASSERT_EQ(PathMakeAbsolute(path), 1);
  EXPECT_EQ(path, base + "\\data\\stg4\\x.stg4_750");
  ASSERT_EQ(PathMakeAbsolute(path), 1);  // already absolute: unchanged
  EXPECT_EQ(path, base + "\\data\\stg4\\x.stg4_750");

  ASSERT_EQ(PathMakeRelative(path), 1);
  EXPECT_EQ(path, ".\\data\\stg4\\x.stg4_750");
  ASSERT_EQ(PathMakeRelative(path), 1);  // already relative: unchanged
  EXPECT_EQ(path, ".\\data\\stg4\\x.stg4_750");

  std::string beside = base + "\\..\\other\\y.stg4_750";
  ASSERT_EQ(PathMakeRelativeStr(beside), 1);
  EXPECT_EQ(beside, "..\\other\\y.stg4_750");
}

TEST(FindLastNumberedFile, FindsTheNewestVersionWhateverTheSourceNumber) {
  testsupport::TempFolder folder;
  folder.Write("data/stg4/x.stg4_100", "a");
  folder.Write("data/stg4/X.STG4_750", "b");
  folder.Write("data/stg4/x.stg4_99", "c");
  testsupport::ScopedCurrentFolder current(folder.path());

  std::string found = "unchanged";
  ASSERT_EQ(FindLastNumberedFile(found, "data\\stg4\\x.stg4_100", "stg4"), 1);
  EXPECT_EQ(found, "data\\stg4\\x.stg4_750");
  ASSERT_EQ(FindLastNumberedFileStr(found, std::string("data\\stg4\\x.tmp"), "stg4"), 1);
  EXPECT_EQ(found, "data\\stg4\\x.stg4_750");

  found = "unchanged";
  EXPECT_EQ(FindLastNumberedFile(found, "data\\stg4\\y.stg4_100", "stg4"), 0);
  EXPECT_EQ(found, "unchanged");
}

}  // namespace
