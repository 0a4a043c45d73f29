#include "data/system_data.h"

#include <algorithm>

#include "core/strings.h"
#include "data/database.h"

cSystemData SystemData;

namespace {

// Lists that files gained at a version; older files keep the list they had in memory.
constexpr std::int32_t kInfiniteLivesFrom = 191;
constexpr std::int32_t kModeRankingFrom = 186;
constexpr std::int32_t kMenuMusicLoopFrom = 202;
constexpr std::int32_t kForgetFlagsFrom = 501;
constexpr std::int32_t kEntryModeNamesFrom = 674;

constexpr int kTextBoxCell = 16;

// Strings of a list keep their CRs, unlike the strings of a record.
bool ReadTexts(cVector<std::string>& list, RecordReader& in) {
  std::int32_t count = 0;
  if (!in.ReadCount(count, 4)) return false;
  list.assign(static_cast<std::size_t>(count), std::string());
  for (std::string& text : list) {
    if (!in.ReadString(text)) return false;
  }
  return true;
}

void WriteTexts(cVector<std::string>& list, RecordWriter& out) {
  out.WriteU32(static_cast<std::uint32_t>(list.size()));
  for (std::string& text : list) {
    // A text is what stands before its first NUL, in the file and in memory alike.
    StrSyncLength(text);
    out.WriteString(text);
  }
}

constexpr std::int32_t kAlways = 0;
constexpr std::int32_t kStill = 0x7FFFFFFF;

}  // namespace

struct cSystemData::FieldGate {
  std::int32_t cSystemData::*intMember;
  std::uint8_t cSystemData::*byteMember;
  std::int32_t from;   // registered from this version on
  std::int32_t until;  // ... up to this one
};

// The scalar fields in file order, with the versions that store them.
const cSystemData::FieldGate cSystemData::kFieldGates[] = {
    {&cSystemData::bExtraLife, nullptr, 185, kStill},
    {&cSystemData::nExtraLifeScore, nullptr, kAlways, kStill},
    {&cSystemData::bPauseHidesField, nullptr, kAlways, kStill},
    {&cSystemData::nMenuFontFlag, nullptr, kAlways, kStill},
    {&cSystemData::nFontFace, nullptr, 205, kStill},
    {&cSystemData::nMenuFontParam, nullptr, 170, kStill},
    {&cSystemData::bKeepTestFlows, nullptr, 113, kStill},
    {&cSystemData::bRecordReplay, nullptr, 184, kStill},
    {&cSystemData::bTitleMenuBitmap, nullptr, 157, kStill},
    {&cSystemData::bCarryLives, nullptr, kAlways, kStill},
    {&cSystemData::bStoryRetryMenu, nullptr, 191, kStill},
    {&cSystemData::bMapShowLives, nullptr, 191, kStill},
    {&cSystemData::nChallengeStages, nullptr, kAlways, kStill},
    {&cSystemData::bChallengeAllOpen, nullptr, kAlways, kStill},
    {&cSystemData::bMapShowScore, nullptr, 167, kStill},
    {&cSystemData::bMenuShowTotal, nullptr, 167, kStill},
    {&cSystemData::bRestoreStory, nullptr, 188, kStill},
    {&cSystemData::bStoryPauseRetry, nullptr, 224, kStill},
    {&cSystemData::bSelectShowHigh, nullptr, 167, kStill},
    {&cSystemData::bSelectShowTotal, nullptr, 167, kStill},
    {&cSystemData::bRestoreChallenge, nullptr, 188, kStill},
    {&cSystemData::bChallengePauseRetry, nullptr, 224, kStill},
    {&cSystemData::bRestoreFree, nullptr, 188, kStill},
    {&cSystemData::bRestoreDirect, nullptr, 192, kStill},
    {&cSystemData::bFixedKeyColor, nullptr, 187, kStill},
    {nullptr, &cSystemData::cKeyRed, 187, kStill},
    {nullptr, &cSystemData::cKeyGreen, 187, kStill},
    {nullptr, &cSystemData::cKeyBlue, 187, kStill},
    {&cSystemData::bLegacy214, nullptr, 214, kStill},
    {&cSystemData::discarded_, nullptr, 221, 259},
    {&cSystemData::bLegacy261, nullptr, 261, kStill},
    {&cSystemData::bDefeatSound, nullptr, 272, kStill},
    {&cSystemData::bOption287, nullptr, 287, kStill},
    {&cSystemData::nPulseStep, nullptr, 515, kStill},
    {&cSystemData::bPaletteCycle, nullptr, 289, kStill},
    {&cSystemData::bLegacy525, nullptr, 525, kStill},
    {&cSystemData::bLegacy555, nullptr, 555, kStill},
    {&cSystemData::bLegacy637, nullptr, 637, kStill},
    {&cSystemData::bLegacy669, nullptr, 669, kStill},
    {&cSystemData::bLegacy677, nullptr, 677, kStill},
    {&cSystemData::bLegacy695, nullptr, 695, kStill},
    {&cSystemData::bLegacy696, nullptr, 696, kStill},
    {&cSystemData::bLegacy697, nullptr, 697, kStill},
    {&cSystemData::bLegacy721, nullptr, 721, kStill},
    {&cSystemData::bLegacy728, nullptr, 728, kStill},
    {&cSystemData::bLegacy733, nullptr, 733, kStill},
    {&cSystemData::bLegacy744, nullptr, 744, kStill},
    {&cSystemData::bLegacy749, nullptr, 749, kStill},
    {&cSystemData::nDepthD3D, nullptr, 670, kStill},
    {&cSystemData::nDepthDD, nullptr, 670, kStill},
};

cSystemData::cSystemData() {
  RegisterFields(CurrentVersion);
  SetDefaults();
}

void cSystemData::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  for (const FieldGate& gate : kFieldGates) {
    if (version < gate.from || version > gate.until) continue;
    if (gate.intMember) {
      AddInt(&(this->*gate.intMember));
    } else {
      AddByte(&(this->*gate.byteMember));
    }
  }
  AddStrings(&strTitle);
}

bool cSystemData::Read(RecordReader& in) {
  const std::int32_t version = in.Version();
  if (!cData::Read(in) || !ReadValueList(CarryFlags, in)) return false;
  if (version >= kForgetFlagsFrom && !ReadValueList(ForgetFlags, in)) return false;
  if (!ReadRecordList(HudItems, in) || !ReadValueList(StartLives, in)) return false;
  if (version >= kInfiniteLivesFrom && !ReadValueList(InfiniteLives, in)) return false;
  if (version >= kModeRankingFrom && !ReadRecordList(ModeRanking, in)) return false;
  if (!ReadTexts(Texts, in) || !ReadTexts(SystemSounds, in) || !ReadValueList(MenuMusic, in)) return false;
  if (version >= kMenuMusicLoopFrom && !ReadValueList(MenuMusicLoop, in)) return false;
  if (!ReadRecordList(TitleMenu, in) || !ReadRecordList(MapMenu, in) || !ReadRecordList(OptionMenu, in)) return false;
  if (version >= kEntryModeNamesFrom && !ReadTexts(EntryModeNames, in)) return false;
  if (!ReadRecordList(IniKeys, in)) return false;
  discarded_ = 0;
  if (version < kRecordVersion) ApplyFixUps(version);
  ClampMusic();
  PadToDefaults();
  return true;
}

void cSystemData::Write(RecordWriter& out) {
  ClampMusic();
  cData::Write(out);
  WriteValueList(CarryFlags, out);
  WriteValueList(ForgetFlags, out);
  WriteRecordList(HudItems, out);
  WriteValueList(StartLives, out);
  WriteValueList(InfiniteLives, out);
  WriteRecordList(ModeRanking, out);
  WriteTexts(Texts, out);
  WriteTexts(SystemSounds, out);
  WriteValueList(MenuMusic, out);
  WriteValueList(MenuMusicLoop, out);
  WriteRecordList(TitleMenu, out);
  WriteRecordList(MapMenu, out);
  WriteRecordList(OptionMenu, out);
  WriteTexts(EntryModeNames, out);
  WriteRecordList(IniKeys, out);
}

void cSystemData::ClampMusic() {
  const auto records = static_cast<std::uint32_t>(Database.Bgms.size());
  for (std::int32_t& music : MenuMusic) {
    if (static_cast<std::uint32_t>(music) >= records) music = 0;
  }
}

int cSystemData::CountFlags(int mode) const {
  const cSysModeEntry& entry = ModeRanking[mode];
  if (entry.bRanking == 0) return 0;
  return static_cast<int>(std::count_if(entry.RankKinds.begin(), entry.RankKinds.end(), [](std::uint8_t f) { return f != 0; }));
}

bool cSystemData::KeepsRankKind(int mode, int kind) const {
  if (mode < 0 || mode >= static_cast<int>(ModeRanking.size()) || kind < 0) return false;
  const cVector<std::uint8_t>& kept = ModeRanking[mode].RankKinds;
  return kind < static_cast<int>(kept.size()) && kept[kind] != 0;
}

int cSystemData::IsStatusLow(int item, std::int32_t value, std::int32_t maximum) const {
  const cSysHudItem& hud = HudItems[item];
  if (!hud.bLowPercent) return value <= hud.nLowLimit ? 1 : 0;
  // An empty bar: a share of nothing is infinite (or undefined for 0), which no limit reaches;
  // only a negative value lies below every limit.
  if (maximum == 0) return value < 0 ? 1 : 0;
  return hud.nLowLimit >= value * 100.0 / maximum ? 1 : 0;
}

void cSystemData::InsertByte(cVector<std::uint8_t>& list, int k, std::uint8_t value) {
  InsertKeepingCount(list, k, [value](std::uint8_t& at) { at = value; });
}

void cSystemData::InsertText(cVector<std::string>& list, int k, const char* text) {
  InsertKeepingCount(list, k, [text](std::string& at) { at = text; });
}

void cSystemData::InsertIniKey(int k, const char* key, std::int32_t number) {
  InsertKeepingCount(IniKeys, k, [key, number](cSysOption& at) { at.Set(key, number); });
}

int TextBoxLeft(int x, int first, int count, int cursor) {
  int widest = 0;
  for (int i = 0; i < count; ++i) widest = std::max(widest, StrCharCount(SystemData.Texts[first + i]));
  const int cells = widest + (cursor ? 1 : 0);
  return x - (cells * kTextBoxCell) / 2;
}

std::string TextBoxText(int first, int count, int cursor) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (cursor) text += ' ';
    text += SystemData.Texts[first + i];
    text += '\n';
  }
  return text;
}
