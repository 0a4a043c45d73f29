// The player's options: their defaults, the 36-byte file they make, an empty name, the
// settings from elsewhere brought into range, and a broken file that leaves them alone.
#include <gtest/gtest.h>

#include <string>

#include "core/record_file.h"
#include "core/record_version.h"
#include "data/option_data.h"
#include "support/byte_builder.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ByteBuilder;

std::string OptionFile(std::int32_t palette, std::int32_t bgm, std::int32_t volume, std::int32_t mode,
                       const std::string& name) {
  return ByteBuilder().u32(750).fields(4).i32(palette).i32(bgm).i32(volume).i32(mode).strings(1).str(name).bytes();
}

TEST(OptionDataTest, TheDefaultsMakeTheThirtySixByteFile) {
  CurrentVersion = kRecordVersion;
  cOptionData options;
  EXPECT_EQ(options.m_nPalette, 0);
  EXPECT_EQ(options.m_bBgm, 1);
  EXPECT_EQ(options.m_nSeVolume, 7);
  EXPECT_EQ(options.m_nRankMode, kRankModeKeyTyped);
  EXPECT_EQ(options.m_strFixedName, "aaa");
  const std::string bytes = RecordFileBytes(options);
  EXPECT_EQ(bytes.size(), 36u);
  EXPECT_EQ(bytes, OptionFile(0, 1, 7, 0, "aaa"));
}

TEST(OptionDataTest, FilesReadWithTheirSettingsBroughtIntoRange) {
  struct Case {
    const char* what;
    std::string bytes;
    int palette, bgm, volume, mode;
    const char* name;
  };
  const Case cases[] = {
      {"as written", OptionFile(12, 0, 3, 2, "ABC"), 12, 0, 3, 2, "ABC"},
      {"an empty name", OptionFile(0, 1, 7, 1, ""), 0, 1, 7, 1, ""},
      {"too high", OptionFile(99, 5, 11, 4, "x"), 23, 1, 10, 3, "x"},
      {"too low", OptionFile(-1, -1, -5, -2, "x"), 0, 0, 0, 0, "x"},
  };
  for (const Case& c : cases) {
    cOptionData options;
    ASSERT_TRUE(ReadRecordBytes(c.bytes, options)) << c.what;
    EXPECT_EQ(options.m_nPalette, c.palette) << c.what;
    EXPECT_EQ(options.m_bBgm, c.bgm) << c.what;
    EXPECT_EQ(options.m_nSeVolume, c.volume) << c.what;
    EXPECT_EQ(options.m_nRankMode, c.mode) << c.what;
    EXPECT_EQ(options.m_strFixedName, c.name) << c.what;
  }
  // An empty name is written as a length of one and nothing after it.
  CurrentVersion = kRecordVersion;
  cOptionData empty;
  empty.m_strFixedName.clear();
  const std::string bytes = RecordFileBytes(empty);
  EXPECT_EQ(bytes.size(), 32u);
  EXPECT_EQ(bytes.substr(28), ByteBuilder().u32(1).bytes());
}

TEST(OptionDataTest, AMissingOrBrokenFileLeavesTheOptionsAsTheyWere) {
  testsupport::TempFolder folder;
  testsupport::ScopedCurrentFolder current(folder.path());
  cOptionData options;
  options.m_nSeVolume = 4;
  EXPECT_FALSE(LoadOptionData(options, "user_data\\Option.dat"));
  const std::string whole = OptionFile(5, 0, 9, 3, "ZZZ");
  folder.Write("user_data/Option.dat", whole.substr(0, 30));
  EXPECT_FALSE(LoadOptionData(options, "user_data\\Option.dat"));
  EXPECT_EQ(options.m_nSeVolume, 4);
  EXPECT_EQ(options.m_nPalette, 0);
  folder.Write("user_data/Option.dat", whole);
  EXPECT_TRUE(LoadOptionData(options, "user_data\\Option.dat"));
  EXPECT_EQ(options.m_nSeVolume, 9);
  EXPECT_EQ(options.m_strFixedName, "ZZZ");
}

}  // namespace
