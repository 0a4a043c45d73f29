#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/record_base.h"
#include "data/sys_hud_item.h"
#include "data/sys_mode_entry.h"
#include "data/sys_named_entry.h"
#include "data/sys_option.h"

// The project-wide settings (data\System.dat): title, lives and rankings of the play modes,
// what the menus show and say, system sounds, menu music, transparent colour, font, colour
// depths, the System.ini key rows, and the switches that keep projects made with older
// versions behaving as they did (bLegacyNNN: 1 in files older than NNN, 0 in newer ones).
class cSystemData : public cData {
 public:
  cSystemData();
  cSystemData(const cSystemData&) = default;
  cSystemData& operator=(const cSystemData&) = default;

  void RegisterFields(std::int32_t version) override;
  // Reads, brings an old file up to date, zeroes music numbers beyond the music list, and
  // fills lists shorter than the positions the program reads with the defaults.
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  void SetDefaults();
  // Every menu music number that names no record of the music list becomes 0 (silence).
  void ClampMusic();
  // Ranking kinds the play mode keeps; 0 when it keeps no ranking.
  int CountFlags(int mode) const;
  // Whether the play mode's settings enable ranking kind `kind` (false for a mode or kind out
  // of range).
  bool KeepsRankKind(int mode, int kind) const;
  // Whether the bar of a status entry is in its low state.
  int IsStatusLow(int item, std::int32_t value, std::int32_t maximum) const;

  // Insert at k keeping the count: elements from k on move up one place, the last drops off.
  static void InsertByte(cVector<std::uint8_t>& list, int k, std::uint8_t value);
  static void InsertText(cVector<std::string>& list, int k, const char* text);
  void InsertIniKey(int k, const char* key, std::int32_t number);

  std::int32_t bExtraLife = 0;
  std::int32_t nExtraLifeScore = 0;
  std::int32_t bPauseHidesField = 0;
  std::int32_t nMenuFontFlag = 0;
  std::int32_t nFontFace = 0;  // index into FontNameList
  std::int32_t nMenuFontParam = 0;
  std::int32_t bKeepTestFlows = 0;
  std::int32_t bRecordReplay = 0;
  std::int32_t bTitleMenuBitmap = 0;
  std::int32_t bCarryLives = 0;
  std::int32_t bStoryRetryMenu = 0;
  std::int32_t bMapShowLives = 0;
  std::int32_t nChallengeStages = 0;
  std::int32_t bChallengeAllOpen = 0;
  std::int32_t bMapShowScore = 0;
  std::int32_t bMenuShowTotal = 0;
  std::int32_t bRestoreStory = 0;
  std::int32_t bStoryPauseRetry = 0;
  std::int32_t bSelectShowHigh = 0;
  std::int32_t bSelectShowTotal = 0;
  std::int32_t bRestoreChallenge = 0;
  std::int32_t bChallengePauseRetry = 0;
  std::int32_t bRestoreFree = 0;
  std::int32_t bRestoreDirect = 0;
  std::int32_t bFixedKeyColor = 0;
  std::uint8_t cKeyRed = 0;
  std::uint8_t cKeyGreen = 0;
  std::uint8_t cKeyBlue = 0;
  std::int32_t bLegacy214 = 0;
  std::int32_t bLegacy261 = 0;
  std::int32_t bDefeatSound = 0;
  std::int32_t bOption287 = 0;
  std::int32_t nPulseStep = 0;
  std::int32_t bPaletteCycle = 0;
  std::int32_t bLegacy525 = 0;
  std::int32_t bLegacy555 = 0;
  std::int32_t bLegacy637 = 0;
  std::int32_t bLegacy669 = 0;
  std::int32_t bLegacy677 = 0;
  std::int32_t bLegacy695 = 0;
  std::int32_t bLegacy696 = 0;
  std::int32_t bLegacy697 = 0;
  std::int32_t bLegacy721 = 0;
  std::int32_t bLegacy728 = 0;
  std::int32_t bLegacy733 = 0;
  std::int32_t bLegacy744 = 0;
  std::int32_t bLegacy749 = 0;
  std::int32_t nDepthD3D = 0;
  std::int32_t nDepthDD = 0;
  std::string strTitle;

  cVector<std::uint8_t> CarryFlags;   // per hero status group: kept from stage to stage
  cVector<std::uint8_t> ForgetFlags;  // per group: a lost life forgets the kept value
  cVector<cSysHudItem> HudItems;
  cVector<std::int32_t> StartLives;     // per play mode
  cVector<std::int32_t> InfiniteLives;  // per play mode
  cVector<cSysModeEntry> ModeRanking;   // per play mode
  cVector<std::string> Texts;           // interface texts by fixed index
  cVector<std::string> SystemSounds;
  cVector<std::int32_t> MenuMusic;  // per menu screen: a music number, 0 silence
  cVector<std::uint8_t> MenuMusicLoop;
  cVector<cSysNamedEntry> TitleMenu;
  cVector<cSysNamedEntry> MapMenu;
  cVector<cSysNamedEntry> OptionMenu;
  cVector<std::string> EntryModeNames;  // ranking registration modes
  cVector<cSysOption> IniKeys;          // System.ini keys, used by position

 private:
  struct FieldGate;
  static const FieldGate kFieldGates[];

  void ApplyFixUps(std::int32_t fileVersion);
  void PadToDefaults();

  // Files of versions 221 to 259 hold one more integer after bLegacy214; it is dropped.
  std::int32_t discarded_ = 0;
};

extern cSystemData SystemData;

// Inserts at k keeping the count: elements k .. size - 2 move up one place, the last drops
// off, and `set` fills element k. Nothing happens for a k outside the list.
template <typename T, typename Set>
void InsertKeepingCount(cVector<T>& list, int k, Set set) {
  if (k < 0 || static_cast<std::size_t>(k) >= list.size()) return;
  std::move_backward(list.begin() + k, list.end() - 1, list.end());
  set(list[k]);
}

// Left edge of a box that centres SystemData texts first .. first + count - 1 on x, with a
// column for the menu cursor when `cursor` is set.
int TextBoxLeft(int x, int first, int count, int cursor);
// The text such a box shows: one line per text, each after a blank cursor column when
// `cursor` is set. Empty for a count of 0.
std::string TextBoxText(int first, int count, int cursor);

// Fixed positions the program reads.
constexpr int kCarryFlagCount = 25;
constexpr int kHudItemCount = 5;
constexpr int kPlayModeCount = 4;
constexpr int kTextCount = 28;
constexpr int kSystemSoundCount = 17;
constexpr int kMenuMusicCount = 4;
constexpr int kTitleMenuCount = 7;
constexpr int kMapMenuCount = 4;
constexpr int kOptionMenuCount = 6;
constexpr int kEntryModeCount = 4;
constexpr int kIniKeyCount = 10;
