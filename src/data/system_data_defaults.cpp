#include <array>

#include "data/system_data.h"

namespace {

constexpr std::array<std::uint8_t, kCarryFlagCount> kCarryFlags = {
    1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 0, 1, 1, 1, 0, 0, 0,
};

struct HudDefault {
  std::int32_t valueCells;
  const char* label;
};
// Total score, stage score, HP bar, SP bar, lives.
constexpr std::array<HudDefault, kHudItemCount> kHudItems = {{
    {4, "スコア"},
    {3, "スコア"},
    {0, "HP"},
    {0, "SP"},
    {2, "人"},
}};

constexpr std::array<const char*, kTitleMenuCount> kTitleMenu = {
    "はじめから", "つづきから", "チャレンジ", "フリー", "リプレイ", "オプション", "しゅうりょう",
};
constexpr std::array<const char*, kMapMenuCount> kMapMenu = {"セーブ", "オートセーブ", "もどる", "タイトルへ"};
// Entry 0 (the palette) is labelled by the options screen itself.
constexpr std::array<const char*, kOptionMenuCount> kOptionMenu = {
    "", "BGM", "SE", "ランキング登録", "ランキング登録名", "もどる",
};
constexpr std::array<const char*, kEntryModeCount> kEntryModeNames = {
    "手動登録（登録名入力）",
    "手動登録（登録名固定）",
    "自動登録（登録名入力）",
    "自動登録（登録名固定）",
};

constexpr std::array<const char*, kTextCount> kTexts = {
    "ワールド",                                        // 0 stage select: challenge stage label
    "ステージ",                                        // 1
    "スコア",                                          // 2 world map score
    "ハイスコア",                                      // 3 stage select high score
    "トータルスコア",                                  // 4 total score
    "スコア",                                          // 5 ranking kind: score
    "残り時間",                                        // 6 ranking kind: time left
    "クリア時間",                                      // 7 ranking kind: clear time
    "残りHP",                                          // 8 ranking kind: HP left
    "残りSP",                                          // 9 ranking kind: SP left
    "ステージに挑む",                                  // 10 stage-entry prompt: yes
    "やっぱりやめる",                                  // 11 stage-entry prompt: no
    "セーブする",                                      // 12 save prompt: yes
    "やっぱりやめる",                                  // 13 save prompt: no
    "オートセーブＯＮ",                                // 14 auto-save choice
    "オートセーブＯＦＦ",                              // 15 auto-save choice
    "保存先が不明です！一度は「セーブ」して下さい！",  // 16 auto-save before any save
    "タイトルへ戻る",                                  // 17 back-to-title prompt: yes
    "やっぱりやめる",                                  // 18 back-to-title prompt: no
    "しゅうりょう",                                    // 19 pause menu: quit
    "つづける",                                        // 20 pause menu: continue
    "リトライ",                                        // 21 pause menu: retry
    "リトライ",                                        // 22 retry menu: retry
    "マップへ戻る",                                    // 23 retry menu: give up
    "Vキーでジャンルの切り替え",                       // 24 ranking panel hint
    "スペースキーでタイトルへ戻る",                    // 25 end-of-play hint
    "スペースキーで終了",                              // 26 the same after a direct play
    "F3キーでランキングへ登録",                        // 27 stage-clear ranking hint
};

struct IniKeyDefault {
  const char* key;
  std::int32_t number;
};
// Row 8 holds a text instead and is set apart.
constexpr std::array<IniKeyDefault, kIniKeyCount> kIniKeys = {{
    {"Direct3D", 2},
    {"WindowMode", 0},
    {"Bpp", 0},
    {"VSync", 2},
    {"D3D_FontCache", 0},
    {"DD_FontCache", 1},
    {"DD_VideoStretch", 0},
    {"ShowFps", 1},
    {"FreeStage", 0},
    {"English", 0},
}};
constexpr int kFreeStageRow = 8;

template <typename T, typename Source, std::size_t N, typename Make>
void Fill(cVector<T>& list, const std::array<Source, N>& source, Make make) {
  list.clear();
  for (const Source& item : source) list.push_back(make(item));
}

void FillNamed(cVector<cSysNamedEntry>& list, const auto& names) {
  Fill(list, names, [](const char* name) { return cSysNamedEntry(1, name); });
}

// Elements from the list's own count on are taken from the defaults.
template <typename T>
void PadFrom(cVector<T>& list, const cVector<T>& defaults) {
  for (std::size_t i = list.size(); i < defaults.size(); ++i) list.push_back(defaults[static_cast<int>(i)]);
}

}  // namespace

void cSystemData::SetDefaults() {
  Clear();
  nExtraLifeScore = 100;
  bPauseHidesField = 1;
  nMenuFontFlag = 0;
  nFontFace = 60;
  bRecordReplay = 1;
  bTitleMenuBitmap = 1;
  bRestoreStory = 1;
  bRestoreChallenge = 1;
  bRestoreFree = 1;
  bStoryPauseRetry = 1;
  bChallengePauseRetry = 1;
  nPulseStep = 16;

  CarryFlags.assign(kCarryFlags.begin(), kCarryFlags.end());
  ForgetFlags.assign(kCarryFlagCount, 0);
  ForgetFlags[11] = 1;
  ForgetFlags[12] = 1;
  Fill(HudItems, kHudItems, [](const HudDefault& item) {
    cSysHudItem hud;
    hud.bShow = 1;
    hud.bIcon = 1;
    hud.nValueCells = item.valueCells;
    hud.strLabel = item.label;
    return hud;
  });
  ModeRanking.assign(kPlayModeCount, cSysModeEntry());
  for (int mode = 0; mode < kPlayModeCount - 1; ++mode) {
    ModeRanking[mode].bRanking = 1;
    ModeRanking[mode].RankKinds.Fill(1);
  }
  FillNamed(TitleMenu, kTitleMenu);
  FillNamed(MapMenu, kMapMenu);
  FillNamed(OptionMenu, kOptionMenu);
  EntryModeNames.assign(kEntryModeNames.begin(), kEntryModeNames.end());

  bCarryLives = 1;
  bStoryRetryMenu = 1;
  bMapShowLives = 1;
  nChallengeStages = 40;
  bChallengeAllOpen = 1;
  StartLives = {5, 5, 5, 99};
  InfiniteLives = {1, 1, 1, 1};
  bMapShowScore = 1;
  bMenuShowTotal = 1;
  bSelectShowHigh = 1;
  bSelectShowTotal = 1;

  Texts.assign(kTexts.begin(), kTexts.end());
  SystemSounds.assign(kSystemSoundCount, std::string());
  MenuMusic.assign(kMenuMusicCount, 0);
  MenuMusicLoop.assign(kMenuMusicCount, 1);
  Fill(IniKeys, kIniKeys, [](const IniKeyDefault& row) {
    cSysOption option;
    option.Set(row.key, row.number);
    return option;
  });
  IniKeys[kFreeStageRow].SetText(kIniKeys[kFreeStageRow].key, "");

  nDepthD3D = 0;
  nDepthDD = 2;
}

void cSystemData::PadToDefaults() {
  static const cSystemData defaults;
  PadFrom(CarryFlags, defaults.CarryFlags);
  PadFrom(ForgetFlags, defaults.ForgetFlags);
  PadFrom(HudItems, defaults.HudItems);
  PadFrom(StartLives, defaults.StartLives);
  PadFrom(InfiniteLives, defaults.InfiniteLives);
  PadFrom(ModeRanking, defaults.ModeRanking);
  // A mode's missing ranking kinds are not kept, as the kinds added after a file's time.
  for (cSysModeEntry& mode : ModeRanking) {
    if (mode.RankKinds.size() < kRankKindCount) mode.RankKinds.resize(kRankKindCount, 0);
  }
  PadFrom(Texts, defaults.Texts);
  PadFrom(SystemSounds, defaults.SystemSounds);
  PadFrom(MenuMusic, defaults.MenuMusic);
  PadFrom(MenuMusicLoop, defaults.MenuMusicLoop);
  PadFrom(TitleMenu, defaults.TitleMenu);
  PadFrom(MapMenu, defaults.MapMenu);
  PadFrom(OptionMenu, defaults.OptionMenu);
  PadFrom(EntryModeNames, defaults.EntryModeNames);
  PadFrom(IniKeys, defaults.IniKeys);
}
