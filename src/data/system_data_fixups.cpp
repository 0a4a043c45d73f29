#include <algorithm>
#include <cstddef>

#include "data/system_data.h"

namespace {

// One step that brings a file older than `below` up to date. The steps run in this order;
// list positions inside them are those of the file's own time.
struct FixUp {
  std::int32_t below;
  void (*apply)(cSystemData& s, std::int32_t fileVersion);
};

template <typename T>
void Resize(cVector<T>& list, std::size_t count, const T& fill = T{}) {
  list.resize(count, fill);
}

void SetLegacy(std::int32_t& flag) { flag = 1; }

constexpr FixUp kFixUps[] = {
    {113, [](cSystemData& s, std::int32_t) { s.bKeepTestFlows = 0; }},
    {157, [](cSystemData& s, std::int32_t) { s.bTitleMenuBitmap = 0; }},
    {167,
     [](cSystemData& s, std::int32_t) {
       s.bMapShowScore = s.bMenuShowTotal = s.bSelectShowHigh = s.bSelectShowTotal = 1;
     }},
    {168,
     [](cSystemData& s, std::int32_t) {
       Resize(s.CarryFlags, kCarryFlagCount);
       cSystemData::InsertByte(s.CarryFlags, 16, 1);
     }},
    {169,
     [](cSystemData& s, std::int32_t) {
       Resize(s.MapMenu, kMapMenuCount);
       InsertKeepingCount(s.MapMenu, 1, [](cSysNamedEntry& at) { at = cSysNamedEntry(1, "オートセーブ"); });
       Resize(s.Texts, kTextCount);
       cSystemData::InsertText(s.Texts, 12, "保存先が不明です！一度は「セーブ」して下さい！");
       cSystemData::InsertText(s.Texts, 12, "オートセーブＯＦＦ");
       cSystemData::InsertText(s.Texts, 12, "オートセーブＯＮ");
     }},
    {170, [](cSystemData& s, std::int32_t) { s.nMenuFontParam = 0; }},
    {181,
     [](cSystemData& s, std::int32_t) {
       const int modes = std::min<int>(kPlayModeCount, static_cast<int>(s.ModeRanking.size()));
       for (int mode = 0; mode < modes; ++mode) {
         cVector<std::uint8_t>& kinds = s.ModeRanking[mode].RankKinds;
         Resize(kinds, kRankKindCount);
         kinds[kRankHpLeft] = 0;
         kinds[kRankSpLeft] = 0;
       }
       Resize(s.Texts, kTextCount);
       cSystemData::InsertText(s.Texts, 8, "残りHP");
       cSystemData::InsertText(s.Texts, 9, "残りSP");
     }},
    {184, [](cSystemData& s, std::int32_t) { s.bRecordReplay = 1; }},
    {185, [](cSystemData& s, std::int32_t) { s.bExtraLife = 1; }},
    {187,
     [](cSystemData& s, std::int32_t) {
       s.bFixedKeyColor = 0;
       s.cKeyRed = 0;
       s.cKeyGreen = 177;
       s.cKeyBlue = 0;
     }},
    {188, [](cSystemData& s, std::int32_t) { s.bRestoreStory = s.bRestoreChallenge = s.bRestoreFree = 1; }},
    {191,
     [](cSystemData& s, std::int32_t) {
       s.InfiniteLives = {0, 0, 0, 1};
       s.bStoryRetryMenu = 0;
       s.bMapShowLives = 0;
     }},
    {192, [](cSystemData& s, std::int32_t) { s.bRestoreDirect = 1; }},
    {193,
     [](cSystemData& s, std::int32_t) {
       Resize(s.Texts, kTextCount);
       cSystemData::InsertText(s.Texts, 22, "リトライ");
       cSystemData::InsertText(s.Texts, 23, "マップへ戻る");
     }},
    {201,
     [](cSystemData& s, std::int32_t) {
       Resize(s.CarryFlags, kCarryFlagCount);
       cSystemData::InsertByte(s.CarryFlags, 14, 0);
     }},
    {202, [](cSystemData& s, std::int32_t) { s.MenuMusicLoop.assign(kMenuMusicCount, 1); }},
    {205, [](cSystemData& s, std::int32_t) { s.nFontFace = 60; }},
    {210,
     [](cSystemData& s, std::int32_t) {
       Resize(s.CarryFlags, kCarryFlagCount);
       cSystemData::InsertByte(s.CarryFlags, 9, 0);
     }},
    {214, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy214); }},
    {224, [](cSystemData& s, std::int32_t) { s.bStoryPauseRetry = s.bChallengePauseRetry = 0; }},
    {261, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy261); }},
    {272, [](cSystemData& s, std::int32_t) { s.bDefeatSound = 0; }},
    {286,
     [](cSystemData& s, std::int32_t) {
       Resize(s.IniKeys, kIniKeyCount);
       s.InsertIniKey(0, "Direct3D", 1);
       if (s.IniKeys[3].nValue >= 3) s.IniKeys[3].nValue = 2;  // "VSync"
     }},
    {287, [](cSystemData& s, std::int32_t) { s.bOption287 = 0; }},
    {289, [](cSystemData& s, std::int32_t) { s.bPaletteCycle = s.bFixedKeyColor == 0 ? 1 : 0; }},
    {501, [](cSystemData& s, std::int32_t) { s.ForgetFlags.assign(kCarryFlagCount, 0); }},
    {515, [](cSystemData& s, std::int32_t) { s.nPulseStep = 16; }},
    {525, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy525); }},
    {555, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy555); }},
    {567,
     [](cSystemData& s, std::int32_t) {
       Resize(s.IniKeys, kIniKeyCount);
       s.InsertIniKey(4, "DD_VideoStretch", 0);
     }},
    {568,
     [](cSystemData& s, std::int32_t) {
       Resize(s.IniKeys, kIniKeyCount);
       s.InsertIniKey(4, "D3D_FontCache", 0);
       s.InsertIniKey(5, "DD_FontCache", 1);
     }},
    {587,
     [](cSystemData& s, std::int32_t) {
       Resize(s.HudItems, kHudItemCount);
       for (int bar : {2, 3}) {
         s.HudItems[bar].nLowLimit = 33;
         s.HudItems[bar].bLowPercent = 1;
       }
     }},
    {637, [](cSystemData& s, std::int32_t version) { s.bLegacy637 = version <= 616 ? 1 : 0; }},
    {669, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy669); }},
    {670,
     [](cSystemData& s, std::int32_t) {
       s.nDepthD3D = 0;
       s.nDepthDD = 2;
     }},
    {672,
     [](cSystemData& s, std::int32_t) {
       Resize(s.IniKeys, kIniKeyCount);
       s.IniKeys[9].Set("English", 0);
     }},
    {677, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy677); }},
    {695, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy695); }},
    {696, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy696); }},
    {697, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy697); }},
    {721, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy721); }},
    {728, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy728); }},
    {733, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy733); }},
    {744, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy744); }},
    {749, [](cSystemData& s, std::int32_t) { SetLegacy(s.bLegacy749); }},
};

}  // namespace

void cSystemData::ApplyFixUps(std::int32_t fileVersion) {
  for (const FixUp& fix : kFixUps) {
    if (fileVersion < fix.below) fix.apply(*this, fileVersion);
  }
}
