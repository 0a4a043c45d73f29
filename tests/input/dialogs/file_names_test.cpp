#include "input/dialogs/file_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "support/utf8.h"

namespace {

using testsupport::Utf8;

TEST(MatchesPatterns, ByCharactersWithAsciiCaseFolded) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"a.stg4_750", "*.stg4_*;*.rpl4_*", true},
      {"A.STG4_750", "*.stg4_*;*.rpl4_*", true},
      {"x.rpl4_010", "*.stg4_*;*.rpl4_*", true},
      {"notes.txt", "*.stg4_*;*.rpl4_*", false},
      {"a.stg4", "*.stg4_*", false},
      {"ステージ１.stg4_750", "*.stg4_*", true},
      {"ステージ.stg4_1", "ス?ージ.*", true},  // '?' takes one double-byte character
      {"ステージ.stg4_1", "ス??ージ.*", false},
      {"ソ", "?", true},  // its second byte is a backslash, still one character
      {"ａ", "Ａ", false},  // only ASCII letters fold
      {"abc", " abc ; x", true},
      {"", "*", true},
      {"", "", false},
      {"aaa", "a*a*a*a", false},
  };
  for (const auto& [name, patterns, matches] : cases) {
    EXPECT_EQ(MatchesPatterns(name, patterns), matches) << name << " / " << patterns;
  }
}

TEST(ChooserName, UnicodeConvertedRawShiftJisKeptOthersHidden) {
  // Outside the macros: their texts of the arguments are narrow strings.
  const std::string stage = Utf8(u8"ステージ１.stg4_750");
  const std::string accented = Utf8(u8"é.stg4_750");
  const std::string emoji = Utf8(u8"😀");
  EXPECT_EQ(ChooserName(stage), std::optional<std::string>("ステージ１.stg4_750"));
  EXPECT_EQ(ChooserName("\x83\x5C.stg4_750"), std::optional<std::string>("\x83\x5C.stg4_750"));
  EXPECT_EQ(ChooserName(accented), std::nullopt);
  EXPECT_EQ(ChooserName(emoji), std::nullopt);
  EXPECT_EQ(ChooserName("\xFF\xFE"), std::nullopt);
  EXPECT_EQ(ChooserName("\xC6\x86\xC6"), std::nullopt);  // well-formed, but 0x86C6 is unassigned
}

TEST(ListChooserFolder, GoldenListing) {
  testsupport::TempFolder folder;
  const std::string stage = Utf8(u8"ステージ１.stg4_750");
  const std::string accented = Utf8(u8"é.stg4_750");
  const std::vector<std::string> files = {stage, "MIXED.STG4_750", "mixed.Stg4_010", "\x83\x5C.stg4_750",
                                          "notes.txt", accented, "b.rpl4_750"};
  for (const std::string& name : files) std::ofstream(folder.path() / name) << "x";
  std::filesystem::create_directory(folder.path() / "sub");
  std::filesystem::create_directory(folder.path() / "Old");
  const std::vector<ChooserEntry> listing = ListChooserFolder(folder.path().string(), "*.stg4_*;*.rpl4_*", false);
  std::vector<std::string> shown;
  for (const ChooserEntry& entry : listing) shown.push_back((entry.folder ? "[" : "") + entry.name + (entry.folder ? "]" : ""));
  EXPECT_EQ(shown, (std::vector<std::string>{"[..]", "[Old]", "[sub]", "b.rpl4_750", "mixed.Stg4_010", "MIXED.STG4_750",
                                             "ステージ１.stg4_750", "\x83\x5C.stg4_750"}));
  EXPECT_EQ(listing[6].hostName, stage);
  EXPECT_EQ(ListChooserFolder(folder.path().string(), "*.rpl4_*", true).size(), 3u);  // at the root: no ".."
  EXPECT_TRUE(ListChooserFolder((folder.path() / "missing").string(), "*", true).empty());
}

TEST(WithDefaultExtension, AddedOnlyWithoutOne) {
  EXPECT_EQ(WithDefaultExtension("run", "rpl4_750"), "run.rpl4_750");
  EXPECT_EQ(WithDefaultExtension("run.x", "rpl4_750"), "run.x");
  EXPECT_EQ(WithDefaultExtension("a.b\\run", "stg4_*;rpl4_*"), "a.b\\run.stg4_");
  EXPECT_EQ(WithDefaultExtension("\x83\x5C", "rpl4_750"), "\x83\x5C.rpl4_750");
  EXPECT_EQ(WithDefaultExtension("run", ""), "run");
}

}  // namespace

TEST(QuotedNames, ListsOnlyWhenEveryNameIsQuoted) {
  using Names = std::optional<std::vector<std::string>>;
  struct Case {
    const char* text;
    Names names;
  };
  const Case cases[] = {
      {"\"a.stg4_000\" \"b c.stg4_000\"", std::vector<std::string>{"a.stg4_000", "b c.stg4_000"}},
      {"\"a\"\"b\"", std::vector<std::string>{"a", "b"}},
      {"  \"a\"  ", std::vector<std::string>{"a"}},
      {"\"\x83\x5C\"", std::vector<std::string>{"\x83\x5C"}},  // a trail byte that is a backslash
      {"plain.stg4_000", std::nullopt},
      {"\"a\" b", std::nullopt},
      {"\"a", std::nullopt},
      {"\"\"", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(QuotedNames(c.text), c.names) << c.text;
}
