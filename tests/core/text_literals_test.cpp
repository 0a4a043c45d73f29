#include <gtest/gtest.h>

#include <string>

#include "platform/text_codec.h"
#include "support/utf8.h"

namespace {

// The system's texts are written as UTF-8 in the sources and must be CP932 bytes at run time.
TEST(TextLiterals, AreCp932BytesAtRunTime) {
  struct Case {
    std::string literal;
    std::string utf8;
  };
  const Case cases[] = {
      {"エラー", testsupport::Utf8(u8"エラー")},
      {"メモリが不足しています！", testsupport::Utf8(u8"メモリが不足しています！")},
      {"二重起動", testsupport::Utf8(u8"二重起動")},
      {"ソ表能\\", testsupport::Utf8(u8"ソ表能\\")},  // trail bytes 5C, and a plain backslash
      {"①ⅰ髙", testsupport::Utf8(u8"①ⅰ髙")},          // NEC and IBM extension rows
      {"ｱｲｳ", testsupport::Utf8(u8"ｱｲｳ")},             // half-width katakana
  };
  for (const Case& c : cases) {
    std::string converted;
    ASSERT_TRUE(platform::Utf8ToCp932(c.utf8, converted)) << c.utf8;
    EXPECT_EQ(c.literal, converted) << c.utf8;
    std::string back;
    ASSERT_TRUE(platform::Cp932ToUtf8(c.literal, back));
    EXPECT_EQ(back, c.utf8);
  }
  EXPECT_EQ(std::string("エラー"), "\x83\x47\x83\x89\x81\x5B");
  EXPECT_EQ(std::string("\\"), "\x5C");  // never turned into a yen sign
}

TEST(TextCodec, RefusesTextThatIsNotInItsEncoding) {
  std::string out = "stale";
  EXPECT_FALSE(platform::Cp932ToUtf8("\x81", out));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(platform::Utf8ToCp932("\xC3\x28", out));
  EXPECT_FALSE(platform::Utf8ToCp932(std::string("\xF0\x9F\x98\x80"), out));
  EXPECT_EQ(platform::Cp932ToUtf8Lossy("a\x81"), "a?");
}

// Host text shown inside game text keeps what CP932 can hold and marks the rest.
TEST(TextCodec, LossyCp932MarksEachCharacterItCannotHoldWithOneQuestionMark) {
  using testsupport::Utf8;
  struct Case {
    std::string utf8;
    std::string cp932;
  };
  const Case cases[] = {
      {Utf8(u8"/home/josé/Téléchargements"), "/home/jos?/T?l?chargements"},
      {Utf8(u8"/tmp/中/ソ/ゲーム"), "/tmp/中/ソ/ゲーム"},  // whole: ソ keeps its 5C trail byte
      {Utf8(u8"ソü表ñ"), "ソ?表?"},                        // mixed: converted one by one
      {Utf8(u8"a😀b"), "a?b"},                             // four bytes, one mark
      {std::string("a\xC3(b"), "a?(b"},                   // a lead byte cut short
      {std::string("\x80x\xFF"), "?x?"},                 // stray bytes
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::Utf8ToCp932Lossy(c.utf8), c.cp932) << c.utf8;
  }
}

}  // namespace
