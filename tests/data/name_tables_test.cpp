#include "data/name_tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Every entry before the last is a name; the last is the empty end mark.
template <std::size_t N>
void ExpectEndMarked(const std::array<const char*, N>& table, const char* what) {
  for (std::size_t i = 0; i + 1 < N; ++i) EXPECT_NE(std::strlen(table[i]), 0u) << what << " " << i;
  EXPECT_STREQ(table[N - 1], "") << what;
}

TEST(NameTablesTest, TheFontFaceComesFromTheStoredIndex) {
  ExpectEndMarked(FontNameList, "fonts");
  struct Case {
    std::int32_t index;
    const char* face;
  };
  const Case cases[] = {
      {0, "System"},
      {59, "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E"},          // ＭＳ ゴシック
      {60, "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E"},  // ＭＳ Ｐゴシック
      {86, "HG\xBA\xDE\xBC\xAF\xB8" "E"},                                  // half-width katakana kept
      {100, "メイリオ"},
      {121, "Sydnie"},
      {122, ""},
      {123, ""},
      {-1, ""},
      {0x7FFFFFFF, ""},
  };
  for (const Case& c : cases) EXPECT_STREQ(FontFaceName(c.index), c.face) << c.index;
}

TEST(NameTablesTest, EveryValueTableEndsAfterItsNames) {
  ExpectEndMarked(OnOffNames, "on/off");
  ExpectEndMarked(PaletteChoiceNames, "palette choice");
  ExpectEndMarked(InheritSourceNames, "inheritance");
  ExpectEndMarked(InheritSourceCommonNames, "inheritance, common");
  ExpectEndMarked(InheritSourceStageNames, "inheritance, stage");
  ExpectEndMarked(InheritSourceNoneNames, "inheritance, none");
  ExpectEndMarked(GraphicKindNames, "graphic kind");
  ExpectEndMarked(DisplayNames, "display");
  ExpectEndMarked(HitNames, "hit");
  ExpectEndMarked(NumberChoiceNames, "number choice");
  ExpectEndMarked(BlockEffectNames, "block effect");
  ExpectEndMarked(PaletteRefNames, "palette reference");
  ExpectEndMarked(PaletteRefCommonNames, "palette reference, common");
  ExpectEndMarked(ColorModeNames, "colour mode");
  ExpectEndMarked(DepthDDNames, "depth");
  ExpectEndMarked(DepthD3DNames, "depth 3D");
  ExpectEndMarked(CharaVarNames, "character variable");
  ExpectEndMarked(ArithOpNames, "arithmetic");
  ExpectEndMarked(CompareOpNames, "comparison");
  ExpectEndMarked(ConditionWordNames, "condition word");
  ExpectEndMarked(MapEventKindNames, "event kind");
  ExpectEndMarked(AfterClearNames, "after clear");

  // Index = stored value.
  EXPECT_STREQ(InheritSourceNames[2], "ステージパレット");
  EXPECT_STREQ(InheritSourceStageNames[1], "ステージパレット");
  EXPECT_STREQ(HitNames[2], "主人公が当たると即死");
  EXPECT_STREQ(NumberChoiceNames[8], "7");
  EXPECT_STREQ(DepthDDNames[2], "8bit(256色)");
  EXPECT_STREQ(CompareOpNames[7], "の倍数でない");
  EXPECT_STREQ(ArithOpNames[2], "\x81\x7C");  // －, the CP932 minus
  EXPECT_STREQ(AfterClearNames[1], "2周目へ突入");
}

}  // namespace
