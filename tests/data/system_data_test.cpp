#include "data/system_data.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "data/database.h"
#include "project_file_fixture.h"
#include "support/byte_builder.h"

namespace {

using testsupport::ByteBuilder;

// The scalar fields of the system data as the file lays them out: name, width, the first and
// last version that store them, and the member (none for the integer that versions 221 to
// 259 carry and nothing keeps).
struct SysField {
  const char* name;
  int width;
  std::int32_t from;
  std::int32_t until;
  std::int32_t cSystemData::*i32;
  std::uint8_t cSystemData::*u8;
};

constexpr std::int32_t kNow = 1 << 30;
using S = cSystemData;

const SysField kSysFields[] = {
    {"bExtraLife", 4, 185, kNow, &S::bExtraLife, nullptr},
    {"nExtraLifeScore", 4, 0, kNow, &S::nExtraLifeScore, nullptr},
    {"bPauseHidesField", 4, 0, kNow, &S::bPauseHidesField, nullptr},
    {"nMenuFontFlag", 4, 0, kNow, &S::nMenuFontFlag, nullptr},
    {"nFontFace", 4, 205, kNow, &S::nFontFace, nullptr},
    {"nMenuFontParam", 4, 170, kNow, &S::nMenuFontParam, nullptr},
    {"bKeepTestFlows", 4, 113, kNow, &S::bKeepTestFlows, nullptr},
    {"bRecordReplay", 4, 184, kNow, &S::bRecordReplay, nullptr},
    {"bTitleMenuBitmap", 4, 157, kNow, &S::bTitleMenuBitmap, nullptr},
    {"bCarryLives", 4, 0, kNow, &S::bCarryLives, nullptr},
    {"bStoryRetryMenu", 4, 191, kNow, &S::bStoryRetryMenu, nullptr},
    {"bMapShowLives", 4, 191, kNow, &S::bMapShowLives, nullptr},
    {"nChallengeStages", 4, 0, kNow, &S::nChallengeStages, nullptr},
    {"bChallengeAllOpen", 4, 0, kNow, &S::bChallengeAllOpen, nullptr},
    {"bMapShowScore", 4, 167, kNow, &S::bMapShowScore, nullptr},
    {"bMenuShowTotal", 4, 167, kNow, &S::bMenuShowTotal, nullptr},
    {"bRestoreStory", 4, 188, kNow, &S::bRestoreStory, nullptr},
    {"bStoryPauseRetry", 4, 224, kNow, &S::bStoryPauseRetry, nullptr},
    {"bSelectShowHigh", 4, 167, kNow, &S::bSelectShowHigh, nullptr},
    {"bSelectShowTotal", 4, 167, kNow, &S::bSelectShowTotal, nullptr},
    {"bRestoreChallenge", 4, 188, kNow, &S::bRestoreChallenge, nullptr},
    {"bChallengePauseRetry", 4, 224, kNow, &S::bChallengePauseRetry, nullptr},
    {"bRestoreFree", 4, 188, kNow, &S::bRestoreFree, nullptr},
    {"bRestoreDirect", 4, 192, kNow, &S::bRestoreDirect, nullptr},
    {"bFixedKeyColor", 4, 187, kNow, &S::bFixedKeyColor, nullptr},
    {"cKeyRed", 1, 187, kNow, nullptr, &S::cKeyRed},
    {"cKeyGreen", 1, 187, kNow, nullptr, &S::cKeyGreen},
    {"cKeyBlue", 1, 187, kNow, nullptr, &S::cKeyBlue},
    {"bLegacy214", 4, 214, kNow, &S::bLegacy214, nullptr},
    {"(discarded)", 4, 221, 259, nullptr, nullptr},
    {"bLegacy261", 4, 261, kNow, &S::bLegacy261, nullptr},
    {"bDefeatSound", 4, 272, kNow, &S::bDefeatSound, nullptr},
    {"bOption287", 4, 287, kNow, &S::bOption287, nullptr},
    {"nPulseStep", 4, 515, kNow, &S::nPulseStep, nullptr},
    {"bPaletteCycle", 4, 289, kNow, &S::bPaletteCycle, nullptr},
    {"bLegacy525", 4, 525, kNow, &S::bLegacy525, nullptr},
    {"bLegacy555", 4, 555, kNow, &S::bLegacy555, nullptr},
    {"bLegacy637", 4, 637, kNow, &S::bLegacy637, nullptr},
    {"bLegacy669", 4, 669, kNow, &S::bLegacy669, nullptr},
    {"bLegacy677", 4, 677, kNow, &S::bLegacy677, nullptr},
    {"bLegacy695", 4, 695, kNow, &S::bLegacy695, nullptr},
    {"bLegacy696", 4, 696, kNow, &S::bLegacy696, nullptr},
    {"bLegacy697", 4, 697, kNow, &S::bLegacy697, nullptr},
    {"bLegacy721", 4, 721, kNow, &S::bLegacy721, nullptr},
    {"bLegacy728", 4, 728, kNow, &S::bLegacy728, nullptr},
    {"bLegacy733", 4, 733, kNow, &S::bLegacy733, nullptr},
    {"bLegacy744", 4, 744, kNow, &S::bLegacy744, nullptr},
    {"bLegacy749", 4, 749, kNow, &S::bLegacy749, nullptr},
    {"nDepthD3D", 4, 670, kNow, &S::nDepthD3D, nullptr},
    {"nDepthDD", 4, 670, kNow, &S::nDepthDD, nullptr},
};

bool Stored(const SysField& f, std::int32_t version) { return version >= f.from && version <= f.until; }

// A distinct value per field that no default or fix-up ever gives.
std::int32_t Marker(int index, int width) { return width == 1 ? 200 + index : 1000 + index; }

using IniRow = std::tuple<std::int32_t, std::int32_t, std::string, std::string>;  // bText, nValue, key, value
using Named = std::pair<std::int32_t, std::string>;

// A System.dat of any version, written by hand in that version's layout.
struct SysFile {
  std::int32_t version = 750;
  std::map<std::string, std::int32_t> values;  // overrides the markers
  std::string title = "T";
  std::vector<std::uint8_t> carry = std::vector<std::uint8_t>(25, 9);
  std::vector<std::uint8_t> forget = std::vector<std::uint8_t>(25, 8);
  int hudCount = 5;
  std::vector<std::int32_t> startLives = {3, 3, 3, 3};
  std::vector<std::int32_t> infiniteLives = {0, 0, 0, 0};
  std::vector<std::pair<std::int32_t, std::vector<std::uint8_t>>> modes = {
      {1, {1, 0, 1, 0, 1}}, {1, {1, 1, 1, 1, 1}}, {0, {0, 0, 0, 0, 0}}, {0, {0, 0, 0, 0, 0}}};
  std::vector<std::string> texts = std::vector<std::string>(28, "t");
  std::vector<std::string> sounds = std::vector<std::string>(17, "");
  std::vector<std::int32_t> music = {0, 1, 0, 1};
  std::vector<std::uint8_t> musicLoop = {0, 0, 0, 0};
  std::vector<Named> titleMenu = std::vector<Named>(7, {0, "m"});
  std::vector<Named> mapMenu = std::vector<Named>(4, {0, "m"});
  std::vector<Named> optionMenu = std::vector<Named>(6, {0, "m"});
  std::vector<std::string> entryModes = {"e0", "e1", "e2", "e3"};
  std::vector<IniRow> iniKeys = std::vector<IniRow>(10, IniRow{0, 5, "k", "v"});

  std::int32_t Value(int index) const {
    const auto found = values.find(kSysFields[index].name);
    return found != values.end() ? found->second : Marker(index, kSysFields[index].width);
  }

  std::string Bytes() const {
    ByteBuilder f;
    f.i32(version);
    int stored = 0;
    for (const SysField& field : kSysFields) stored += Stored(field, version);
    f.fields(static_cast<std::uint32_t>(stored));
    for (int i = 0; i < static_cast<int>(std::size(kSysFields)); ++i) {
      const SysField& field = kSysFields[i];
      if (!Stored(field, version)) continue;
      if (field.width == 1) {
        f.u8(static_cast<std::uint8_t>(Value(i)));
      } else {
        f.i32(Value(i));
      }
    }
    f.strings(1).str(title);
    Bytes8(f, carry);
    if (version >= 501) Bytes8(f, forget);
    f.list(static_cast<std::uint32_t>(hudCount));
    for (int i = 0; i < hudCount; ++i) {
      const int hudFields = 3 + (version >= 204 ? 1 : 0) + (version >= 587 ? 2 : 0);
      f.fields(static_cast<std::uint32_t>(hudFields));
      for (int k = 0; k < hudFields; ++k) f.i32(50 + 10 * i + k);
      f.strings(1).str("h" + std::to_string(i));
    }
    Ints(f, startLives);
    if (version >= 191) Ints(f, infiniteLives);
    if (version >= 186) {
      f.list(static_cast<std::uint32_t>(modes.size()));
      for (const auto& [ranking, kinds] : modes) {
        f.fields(1).i32(ranking).strings(0);
        Bytes8(f, kinds);
      }
    }
    Texts(f, texts);
    Texts(f, sounds);
    Ints(f, music);
    if (version >= 202) Bytes8(f, musicLoop);
    for (const auto* menu : {&titleMenu, &mapMenu, &optionMenu}) {
      f.list(static_cast<std::uint32_t>(menu->size()));
      for (const auto& [enabled, name] : *menu) f.fields(1).i32(enabled).strings(1).str(name);
    }
    if (version >= 674) Texts(f, entryModes);
    f.list(static_cast<std::uint32_t>(iniKeys.size()));
    for (const auto& [text, number, key, value] : iniKeys) f.fields(2).i32(text).i32(number).strings(2).str(key).str(value);
    return f.bytes();
  }

  static void Bytes8(ByteBuilder& f, const std::vector<std::uint8_t>& v) {
    f.list(static_cast<std::uint32_t>(v.size()));
    for (std::uint8_t b : v) f.u8(b);
  }
  static void Ints(ByteBuilder& f, const std::vector<std::int32_t>& v) {
    f.list(static_cast<std::uint32_t>(v.size()));
    for (std::int32_t i : v) f.i32(i);
  }
  static void Texts(ByteBuilder& f, const std::vector<std::string>& v) {
    f.list(static_cast<std::uint32_t>(v.size()));
    for (const std::string& s : v) f.str(s);
  }
};

// What a record holds in a scalar field of the table.
std::int32_t FieldOf(const cSystemData& r, const SysField& f) { return f.i32 ? r.*(f.i32) : r.*(f.u8); }

// A record whose every scalar is 7, so that a field that was neither read nor fixed shows.
cSystemData Sentinel() {
  cSystemData r;
  for (const SysField& f : kSysFields) {
    if (f.i32) r.*(f.i32) = 7;
    if (f.u8) r.*(f.u8) = 7;
  }
  return r;
}

// The defaults as the project writes them, byte for byte, from the layout and default tables.
std::string DefaultSystemFile() {
  ByteBuilder f;
  f.i32(750).fields(49);
  // bExtraLife .. bChallengeAllOpen
  for (std::int32_t v : {0, 100, 1, 0, 60, 0, 0, 1, 1, 1, 1, 1, 40, 1}) f.i32(v);
  // bMapShowScore .. bFixedKeyColor
  for (std::int32_t v : {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0}) f.i32(v);
  f.u8(0).u8(0).u8(0);
  // bLegacy214, bLegacy261, bDefeatSound, bOption287, nPulseStep, bPaletteCycle
  for (std::int32_t v : {0, 0, 0, 0, 16, 0}) f.i32(v);
  for (int legacy = 0; legacy < 13; ++legacy) f.i32(0);  // bLegacy525 .. bLegacy749
  f.i32(0).i32(2);                                        // nDepthD3D, nDepthDD
  f.strings(1).str("");

  f.list(25);
  for (int v : {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 0, 1, 1, 1, 0, 0, 0}) f.u8(static_cast<std::uint8_t>(v));
  f.list(25);
  for (int i = 0; i < 25; ++i) f.u8(i == 11 || i == 12 ? 1 : 0);
  f.list(5);
  const std::pair<int, const char*> hud[] = {{4, "スコア"}, {3, "スコア"}, {0, "HP"}, {0, "SP"}, {2, "人"}};
  for (const auto& [cells, label] : hud) f.fields(6).i32(1).i32(1).i32(cells).i32(0).i32(0).i32(0).strings(1).str(label);
  f.list(4).i32(5).i32(5).i32(5).i32(99);
  f.list(4).i32(1).i32(1).i32(1).i32(1);
  f.list(4);
  for (int mode = 0; mode < 4; ++mode) {
    const std::uint8_t on = mode < 3 ? 1 : 0;
    f.fields(1).i32(on).strings(0).list(5).u8(on).u8(on).u8(on).u8(on).u8(on);
  }
  f.list(28);
  for (const char* text : {"ワールド", "ステージ", "スコア", "ハイスコア", "トータルスコア", "スコア", "残り時間",
                           "クリア時間", "残りHP", "残りSP", "ステージに挑む", "やっぱりやめる", "セーブする",
                           "やっぱりやめる", "オートセーブＯＮ", "オートセーブＯＦＦ",
                           "保存先が不明です！一度は「セーブ」して下さい！", "タイトルへ戻る", "やっぱりやめる",
                           "しゅうりょう", "つづける", "リトライ", "リトライ", "マップへ戻る",
                           "Vキーでジャンルの切り替え", "スペースキーでタイトルへ戻る", "スペースキーで終了",
                           "F3キーでランキングへ登録"}) {
    f.str(text);
  }
  f.list(17);
  for (int i = 0; i < 17; ++i) f.str("");
  f.list(4).i32(0).i32(0).i32(0).i32(0);
  f.list(4).u8(1).u8(1).u8(1).u8(1);
  f.list(7);
  for (const char* name : {"はじめから", "つづきから", "チャレンジ", "フリー", "リプレイ", "オプション", "しゅうりょう"}) {
    f.fields(1).i32(1).strings(1).str(name);
  }
  f.list(4);
  for (const char* name : {"セーブ", "オートセーブ", "もどる", "タイトルへ"}) f.fields(1).i32(1).strings(1).str(name);
  f.list(6);
  for (const char* name : {"", "BGM", "SE", "ランキング登録", "ランキング登録名", "もどる"}) {
    f.fields(1).i32(1).strings(1).str(name);
  }
  f.list(4);
  for (const char* name : {"手動登録（登録名入力）", "手動登録（登録名固定）", "自動登録（登録名入力）", "自動登録（登録名固定）"}) {
    f.str(name);
  }
  f.list(10);
  const std::pair<const char*, int> keys[] = {{"Direct3D", 2},      {"WindowMode", 0},   {"Bpp", 0},
                                              {"VSync", 2},         {"D3D_FontCache", 0}, {"DD_FontCache", 1},
                                              {"DD_VideoStretch", 0}, {"ShowFps", 1},      {"FreeStage", 0},
                                              {"English", 0}};
  for (const auto& [key, number] : keys) {
    const bool text = std::string(key) == "FreeStage";
    f.fields(2).i32(text ? 1 : 0).i32(number).strings(2).str(key).str("");
  }
  return f.bytes();
}

class SystemDataTest : public projecttest::ProjectFileTest {
 protected:
  static cSystemData Read(const SysFile& file, cSystemData start = cSystemData()) {
    EXPECT_TRUE(ReadFile(start, file.Bytes())) << "version " << file.version;
    return start;
  }
};

TEST_F(SystemDataTest, ANewRecordWritesTheDefaultsByteForByte) {
  cSystemData fresh;
  EXPECT_EQ(WriteFile(fresh), DefaultSystemFile());
  EXPECT_EQ(fresh.FieldCount(), 49u);
  EXPECT_EQ(fresh.FieldBytes(), 187u);  // 46 integers and the three colour bytes

  // The texts are the system's own CP932 bytes, whatever the source's encoding.
  EXPECT_EQ(fresh.Texts[2], "\x83\x58\x83\x52\x83\x41");                  // スコア
  EXPECT_EQ(fresh.Texts[14], "\x83\x49\x81\x5B\x83\x67\x83\x5A\x81\x5B\x83\x75\x82\x6E\x82\x6D");  // オートセーブＯＮ
  EXPECT_EQ(fresh.HudItems[4].strLabel, "\x90\x6C");                     // 人

  // The global starts from the same defaults.
  EXPECT_EQ(WriteFile(SystemData), DefaultSystemFile());
}

TEST_F(SystemDataTest, TheDefaultFileReadsBackToTheSameBytes) {
  cSystemData changed;
  changed.strTitle = "x";
  changed.Texts.clear();
  ASSERT_TRUE(ReadFile(changed, DefaultSystemFile()));
  EXPECT_EQ(WriteFile(changed), DefaultSystemFile());
}

// Every version from before the oldest gate to past the newest: each field is read exactly
// when that version stores it, the lists that version stores are read in place, and the
// whole file is used.
TEST_F(SystemDataTest, EachVersionReadsTheFieldsAndListsItStores) {
  for (std::int32_t version = 100; version <= 760; ++version) {
    SysFile file;
    file.version = version;
    file.title = "title " + std::to_string(version);
    const cSystemData r = Read(file, Sentinel());
    ASSERT_EQ(r.strTitle, file.title) << "version " << version;
    for (int i = 0; i < static_cast<int>(std::size(kSysFields)); ++i) {
      const SysField& f = kSysFields[i];
      if (!f.i32 && !f.u8) continue;
      const bool marked = FieldOf(r, f) == static_cast<std::int32_t>(Marker(i, f.width));
      EXPECT_EQ(marked, Stored(f, version)) << f.name << " at version " << version;
    }
    ASSERT_EQ(r.IniKeys.size(), 10u) << version;
    EXPECT_EQ(r.IniKeys[9].strValue, "v") << version;
  }
}

TEST_F(SystemDataTest, FixUpsApplyBelowTheirVersionOnly) {
  using Check = std::function<void(const cSystemData& r, bool applied)>;
  // A scalar that the fix-up sets: the file of that version stores it (its marker shows).
  auto scalar = [](std::int32_t cSystemData::*member, std::int32_t fixed) -> Check {
    return [member, fixed](const cSystemData& r, bool applied) {
      if (applied) {
        EXPECT_EQ(r.*member, fixed);
      } else {
        EXPECT_GE(r.*member, 1000);
      }
    };
  };
  struct Case {
    std::int32_t below;
    Check check;
  };
  const Case cases[] = {
      {113, scalar(&S::bKeepTestFlows, 0)},
      {157, scalar(&S::bTitleMenuBitmap, 0)},
      {167, scalar(&S::bMapShowScore, 1)},
      {167, scalar(&S::bMenuShowTotal, 1)},
      {167, scalar(&S::bSelectShowHigh, 1)},
      {167, scalar(&S::bSelectShowTotal, 1)},
      {170, scalar(&S::nMenuFontParam, 0)},
      {181,
       [](const cSystemData& r, bool applied) {
         // Versions before 186 keep the modes they had in memory: every kind 1 here.
         for (int mode = 0; mode < 4; ++mode) {
           ASSERT_EQ(r.ModeRanking[mode].RankKinds.size(), 5u);
           EXPECT_EQ(r.ModeRanking[mode].RankKinds[2], 1);
           EXPECT_EQ(r.ModeRanking[mode].RankKinds[3], applied ? 0 : 1);
           EXPECT_EQ(r.ModeRanking[mode].RankKinds[4], applied ? 0 : 1);
         }
         EXPECT_EQ(r.Texts[8] == "残りHP" && r.Texts[9] == "残りSP", applied);
       }},
      {184, scalar(&S::bRecordReplay, 1)},
      {185, scalar(&S::bExtraLife, 1)},
      {187,
       [](const cSystemData& r, bool applied) {
         EXPECT_EQ(r.bFixedKeyColor == 0, applied);
         EXPECT_EQ(r.cKeyGreen == 177 && r.cKeyRed == 0 && r.cKeyBlue == 0, applied);
       }},
      {188, scalar(&S::bRestoreStory, 1)},
      {188, scalar(&S::bRestoreChallenge, 1)},
      {188, scalar(&S::bRestoreFree, 1)},
      {191,
       [](const cSystemData& r, bool applied) {
         EXPECT_EQ(r.InfiniteLives, (applied ? cVector<std::int32_t>{0, 0, 0, 1} : cVector<std::int32_t>{0, 0, 0, 0}));
         EXPECT_EQ(r.bStoryRetryMenu == 0 && r.bMapShowLives == 0, applied);
       }},
      {192, scalar(&S::bRestoreDirect, 1)},
      {193,
       [](const cSystemData& r, bool applied) {
         EXPECT_EQ(r.Texts[22] == "リトライ" && r.Texts[23] == "マップへ戻る", applied);
       }},
      {202,
       [](const cSystemData& r, bool applied) {
         EXPECT_EQ(r.MenuMusicLoop, cVector<std::uint8_t>(4, applied ? 1 : 0));
       }},
      {204,
       [](const cSystemData& r, bool applied) {
         // The file's status entries hold 50 + 10 × entry + field; the switch is field 3.
         EXPECT_EQ(r.HudItems[1].bShowNumber, applied ? 1 : 63);
       }},
      {205, scalar(&S::nFontFace, 60)},
      {214, scalar(&S::bLegacy214, 1)},
      {224, scalar(&S::bStoryPauseRetry, 0)},
      {224, scalar(&S::bChallengePauseRetry, 0)},
      {261, scalar(&S::bLegacy261, 1)},
      {272, scalar(&S::bDefeatSound, 0)},
      {286,
       [](const cSystemData& r, bool applied) {
         EXPECT_EQ(r.IniKeys[0].strKey == "Direct3D" && r.IniKeys[0].nValue == 1, applied);
       }},
      {287, scalar(&S::bOption287, 0)},
      {289, scalar(&S::bPaletteCycle, 0)},  // the file's bFixedKeyColor is set
      {501,
       [](const cSystemData& r, bool applied) {
         EXPECT_EQ(r.ForgetFlags, cVector<std::uint8_t>(25, applied ? 0 : 8));
       }},
      {515, scalar(&S::nPulseStep, 16)},
      {525, scalar(&S::bLegacy525, 1)},
      {555, scalar(&S::bLegacy555, 1)},
      {567,
       [](const cSystemData& r, bool applied) {
         // Below 568 two more rows go in at 4 and 5 afterwards.
         EXPECT_EQ(r.IniKeys[6].strKey == "DD_VideoStretch", applied);
       }},
      {568,
       [](const cSystemData& r, bool applied) {
         EXPECT_EQ(r.IniKeys[4].strKey == "D3D_FontCache" && r.IniKeys[5].strKey == "DD_FontCache", applied);
       }},
      {587,
       [](const cSystemData& r, bool applied) {
         for (int bar : {2, 3}) {
           EXPECT_EQ(r.HudItems[bar].nLowLimit == 33 && r.HudItems[bar].bLowPercent == 1, applied);
         }
         EXPECT_EQ(r.HudItems[1].nLowLimit, applied ? 0 : 64);
       }},
      {637, scalar(&S::bLegacy637, 0)},  // 636 is above 616
      {669, scalar(&S::bLegacy669, 1)},
      {670, scalar(&S::nDepthD3D, 0)},
      {670, scalar(&S::nDepthDD, 2)},
      {672,
       [](const cSystemData& r, bool applied) {
         EXPECT_EQ(r.IniKeys[9].strKey == "English" && r.IniKeys[9].nValue == 0, applied);
         EXPECT_EQ(r.IniKeys[9].strValue, "v");  // a set row keeps its text
       }},
      {677, scalar(&S::bLegacy677, 1)},
      {695, scalar(&S::bLegacy695, 1)},
      {696, scalar(&S::bLegacy696, 1)},
      {697, scalar(&S::bLegacy697, 1)},
      {721, scalar(&S::bLegacy721, 1)},
      {728, scalar(&S::bLegacy728, 1)},
      {733, scalar(&S::bLegacy733, 1)},
      {744, scalar(&S::bLegacy744, 1)},
      {749, scalar(&S::bLegacy749, 1)},
  };
  for (const Case& c : cases) {
    for (const bool applied : {true, false}) {
      SCOPED_TRACE(testing::Message() << "fix-up below " << c.below << (applied ? ", version below" : ", version at"));
      SysFile file;
      file.version = applied ? c.below - 1 : c.below;
      cSystemData start = Sentinel();
      start.MenuMusicLoop.assign(4, 0);
      start.InfiniteLives.assign(4, 0);
      for (cSysModeEntry& mode : start.ModeRanking) mode.RankKinds.Fill(1);
      c.check(Read(file, start), applied);
    }
  }
}

TEST_F(SystemDataTest, AVersion160FileRunsTheWholeCascadeOfListFixUps) {
  SysFile file;
  file.version = 160;
  file.carry.clear();
  for (int i = 0; i < 24; ++i) file.carry.push_back(static_cast<std::uint8_t>(10 + i));
  file.texts.clear();
  for (int i = 0; i < 23; ++i) file.texts.push_back("t" + std::to_string(i));
  file.mapMenu = {{0, "save"}, {0, "back"}, {0, "title"}};
  const cSystemData r = Read(file);

  // 168 puts 1 at 16, 201 a 0 at 14, 210 a 0 at 9; each drops the last entry.
  const cVector<std::uint8_t> carry = {10, 11, 12, 13, 14, 15, 16, 17, 18, 0,  19, 20, 21,
                                       22, 23, 0,  24, 25, 1,  26, 27, 28, 29, 30, 31};
  EXPECT_EQ(r.CarryFlags, carry);

  const cVector<std::string> texts = {
      "t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7", "残りHP", "残りSP", "t8", "t9", "t10", "t11",
      "オートセーブＯＮ", "オートセーブＯＦＦ", "保存先が不明です！一度は「セーブ」して下さい！", "t12", "t13",
      "t14", "t15", "t16", "リトライ", "マップへ戻る", "t17", "t18", "t19", "t20"};
  EXPECT_EQ(r.Texts, texts);

  ASSERT_EQ(r.MapMenu.size(), 4u);
  EXPECT_EQ(r.MapMenu[0].strName, "save");
  EXPECT_EQ(r.MapMenu[1].strName, "オートセーブ");
  EXPECT_EQ(r.MapMenu[1].bEnabled, 1);
  EXPECT_EQ(r.MapMenu[2].strName, "back");
  EXPECT_EQ(r.MapMenu[3].strName, "title");
}

TEST_F(SystemDataTest, AVersion280FileGetsTheIniRowsInTheirPlaces) {
  SysFile file;
  file.version = 280;
  file.iniKeys = {{0, 1, "WindowMode", ""}, {0, 0, "Bpp", ""},     {0, 4, "VSync", ""}, {0, 1, "ShowFps", ""},
                  {1, 0, "FreeStage", "a.stg4"}, {0, 0, "x", ""}, {0, 0, "y", ""},     {0, 0, "z", ""}};
  const cSystemData r = Read(file);
  const std::vector<std::string> keys = {"Direct3D",        "WindowMode", "Bpp",       "VSync",    "D3D_FontCache",
                                         "DD_FontCache", "DD_VideoStretch", "ShowFps", "FreeStage", "English"};
  ASSERT_EQ(r.IniKeys.size(), keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(r.IniKeys[static_cast<int>(i)].strKey, keys[i]) << i;
  EXPECT_EQ(r.IniKeys[3].nValue, 2);  // a VSync of 3 or more becomes 2
  EXPECT_EQ(r.IniKeys[8].strValue, "a.stg4");
  EXPECT_EQ(r.IniKeys[8].bText, 1);
}

TEST_F(SystemDataTest, SwitchOf637DependsOnTheFilesAge) {
  for (const auto& [version, expected] : {std::pair{616, 1}, {617, 0}, {620, 0}, {636, 0}}) {
    SysFile file;
    file.version = version;
    EXPECT_EQ(Read(file).bLegacy637, expected) << version;
  }
  SysFile file;
  file.version = 288;
  file.values["bFixedKeyColor"] = 0;
  EXPECT_EQ(Read(file).bPaletteCycle, 1);
}

TEST_F(SystemDataTest, ListsAnOldFileLacksKeepTheirDefaults) {
  SysFile old;
  old.version = 185;  // no ranking settings yet: the fix-up of 181 does not touch them
  const cSystemData a = Read(old);
  ASSERT_EQ(a.ModeRanking.size(), 4u);
  EXPECT_EQ(a.ModeRanking[0].RankKinds, cVector<std::uint8_t>(5, 1));
  EXPECT_EQ(a.ModeRanking[3].bRanking, 0);

  old.version = 673;
  const cSystemData b = Read(old);
  EXPECT_EQ(b.EntryModeNames[0], "手動登録（登録名入力）");
  EXPECT_EQ(b.EntryModeNames[3], "自動登録（登録名固定）");
}

TEST_F(SystemDataTest, MusicNumbersBeyondTheMusicListBecomeSilence) {
  ASSERT_EQ(Database.Bgms.size(), 2u);
  SysFile file;
  file.music = {1, 2, -1, 0};
  cSystemData r = Read(file);
  EXPECT_EQ(r.MenuMusic, (cVector<std::int32_t>{1, 0, 0, 0}));

  r.MenuMusic = {5, 1, 1, 1};
  const std::string written = WriteFile(r);
  EXPECT_EQ(r.MenuMusic[0], 0);  // writing clamps first
}

TEST_F(SystemDataTest, ShortListsAreFilledUpWithTheDefaults) {
  SysFile file;
  file.carry = {9, 9};
  file.hudCount = 1;
  file.startLives = {2};
  file.modes = {{1, {1}}};
  file.texts = {"a", "b"};
  file.sounds = {};
  file.music = {};
  file.titleMenu = {};
  file.entryModes = {"x"};
  file.iniKeys = {IniRow{0, 1, "Direct3D", ""}};
  const cSystemData r = Read(file);
  const cSystemData d;

  ASSERT_EQ(r.CarryFlags.size(), 25u);
  EXPECT_EQ(r.CarryFlags[1], 9);
  EXPECT_EQ(r.CarryFlags[13], d.CarryFlags[13]);
  ASSERT_EQ(r.HudItems.size(), 5u);
  EXPECT_EQ(r.HudItems[4].strLabel, "人");
  EXPECT_EQ(r.StartLives, (cVector<std::int32_t>{2, 5, 5, 99}));
  ASSERT_EQ(r.ModeRanking.size(), 4u);
  EXPECT_EQ(r.ModeRanking[0].RankKinds, (cVector<std::uint8_t>{1, 0, 0, 0, 0}));  // missing kinds are not kept
  EXPECT_EQ(r.ModeRanking[1].RankKinds, cVector<std::uint8_t>(5, 1));
  ASSERT_EQ(r.Texts.size(), 28u);
  EXPECT_EQ(r.Texts[1], "b");
  EXPECT_EQ(r.Texts[27], "F3キーでランキングへ登録");
  EXPECT_EQ(r.SystemSounds.size(), 17u);
  EXPECT_EQ(r.MenuMusic.size(), 4u);
  ASSERT_EQ(r.TitleMenu.size(), 7u);
  EXPECT_EQ(r.TitleMenu[6].strName, "しゅうりょう");
  EXPECT_EQ(r.EntryModeNames[0], "x");
  EXPECT_EQ(r.EntryModeNames[1], "手動登録（登録名固定）");
  ASSERT_EQ(r.IniKeys.size(), 10u);
  EXPECT_EQ(r.IniKeys[0].nValue, 1);
  EXPECT_EQ(r.IniKeys[8].strKey, "FreeStage");
  EXPECT_EQ(r.IniKeys[8].bText, 1);

  // Longer lists stay as long as the file had them.
  SysFile longer;
  longer.texts.assign(30, "z");
  EXPECT_EQ(Read(longer).Texts.size(), 30u);
}

TEST_F(SystemDataTest, ListStringsKeepTheirCarriageReturnsUnlikeTheTitle) {
  SysFile file;
  file.title = "a\r\nb";
  file.texts[0] = "c\r\nd";
  const cSystemData r = Read(file);
  EXPECT_EQ(r.strTitle, "a\nb");
  EXPECT_EQ(r.Texts[0], "c\r\nd");
}

TEST_F(SystemDataTest, BrokenFilesFailTheRead) {
  const std::string good = DefaultSystemFile();
  for (std::size_t length = 0; length < good.size(); ++length) {
    cSystemData r;
    EXPECT_FALSE(ReadFile(r, good.substr(0, length))) << "cut at " << length;
  }
  // A list count no file could hold.
  SysFile file;
  std::string bytes = file.Bytes();
  const std::size_t carryCount = 4 + 4 + 187 + 4 + (4 + 2);  // header, the fields, the title "T"
  ASSERT_EQ(bytes.substr(carryCount, 4), std::string("\x19\0\0\0", 4));
  bytes.replace(carryCount, 4, std::string("\xFF\xFF\xFF\x7F", 4));
  cSystemData r;
  EXPECT_FALSE(ReadFile(r, bytes));
}

TEST_F(SystemDataTest, LowBarsByLimitOrPercentage) {
  cSystemData r;
  r.HudItems[2].nLowLimit = 30;
  r.HudItems[2].bLowPercent = 0;
  r.HudItems[3].nLowLimit = 33;
  r.HudItems[3].bLowPercent = 1;
  struct Case {
    int item;
    std::int32_t value;
    std::int32_t maximum;
    int low;
  };
  const Case cases[] = {
      {2, 30, 100, 1}, {2, 31, 100, 0}, {2, -5, 0, 1},                                    // plain limit
      {3, 33, 100, 1}, {3, 34, 100, 0}, {3, 1, 3, 0},   {3, 1, 4, 1}, {3, 50, 150, 0},  // percentage
      {3, 0, 0, 0},    {3, 7, 0, 0},    {3, -1, 0, 1},                                    // empty bar
  };
  for (const Case& c : cases) {
    EXPECT_EQ(r.IsStatusLow(c.item, c.value, c.maximum), c.low) << c.item << " " << c.value << "/" << c.maximum;
  }
}

TEST_F(SystemDataTest, RankingKindsCountOnlyForModesThatRank) {
  cSystemData r;
  r.ModeRanking[0].RankKinds = {1, 0, 2, 0, 1};
  r.ModeRanking[1].bRanking = 0;
  EXPECT_EQ(r.CountFlags(0), 3);
  EXPECT_EQ(r.CountFlags(1), 0);
  EXPECT_EQ(r.CountFlags(2), 5);
  EXPECT_EQ(r.CountFlags(3), 0);
}

TEST_F(SystemDataTest, TextBoxesCentreTheirWidestText) {
  const cVector<std::string> saved = SystemData.Texts;
  SystemData.Texts[19] = "しゅうりょう";  // 6 characters
  SystemData.Texts[20] = "abc";
  SystemData.Texts[21] = "100%";
  EXPECT_EQ(TextBoxLeft(320, 19, 3, 1), 320 - 7 * 16 / 2);
  EXPECT_EQ(TextBoxLeft(320, 20, 1, 0), 320 - 3 * 16 / 2);
  EXPECT_EQ(TextBoxLeft(320, 20, 0, 1), 312);
  EXPECT_EQ(TextBoxLeft(0, 20, 1, 0), -24);
  EXPECT_EQ(TextBoxText(20, 2, 1), " abc\n 100%\n");
  EXPECT_EQ(TextBoxText(20, 2, 0), "abc\n100%\n");
  EXPECT_EQ(TextBoxText(20, 0, 1), "");
  SystemData.Texts = saved;
}

}  // namespace
