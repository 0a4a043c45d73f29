// The status bar (scores, HP and SP bars, lives) and the time left.
#include "core/strings.h"
#include "core/timing.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "gfx/core_blit.h"
#include "gfx/frame_blit.h"
#include "gfx/game_fonts.h"
#include "gfx/surface_records.h"
#include "world/scene_play.h"
#include "world/world_sound.h"

namespace {

constexpr int kStatusBarRow = play_rows::kStatusBar;
constexpr int kAccessoryRow = play_rows::kAccessory;
constexpr int kWordRow = play_rows::kWord;
constexpr int kSoundTimeWarning = 13;
constexpr int kGaugeWidth = 50;

enum HudEntry : int { kTotalScore = 0, kStageScore = 1, kHp = 2, kSp = 3, kLives = 4 };

DDSURFACEDATA* Accessory() { return &SurfaceRecords[kAccessoryRow]; }

int EntryWidth(int entry, const cSysHudItem& item) {
  const int label = item.bIcon != 0 ? 16 : 16 * StrCharCount(item.strLabel);
  return label + (entry == kHp || entry == kSp ? kGaugeWidth : 16 * item.nValueCells);
}

}  // namespace

void cScenePlay::DrawStatus(DDSURFACEDATA* target) {
  if (bStatusOn == 0 || static_cast<int>(SystemData.HudItems.size()) < kHudItemCount) return;
  int shown = 0;
  int widths = 0;
  for (int i = 0; i < kHudItemCount; ++i) {
    const cSysHudItem& item = SystemData.HudItems[i];
    if (item.bShow == 0) continue;
    ++shown;
    widths += EntryWidth(i, item);
  }
  if (shown == 0) return;
  const int gap = (638 - widths) / (shown + 1);
  DDBlt(target, 0, 0, 640, 20, &SurfaceRecords[kStatusBarRow], 0, 0, DDBLT_KEYED);
  Font& font = GameFonts[1];
  const cSaveData& save = SaveDataCur;
  int x = gap;
  for (int i = 0; i < kHudItemCount; ++i) {
    const cSysHudItem& item = SystemData.HudItems[i];
    if (item.bShow == 0) continue;
    const char* label = item.strLabel.c_str();
    switch (i) {
      case kTotalScore:
      case kStageScore: {
        const int value = i == kTotalScore ? save.m_nTotalScore : save.m_nScore;
        if (item.bIcon != 0) {
          DDBlt(target, x, 3, 16, 16, Accessory(), i == kTotalScore ? 0 : 16, 32, DDBLT_KEYED);
          font.DrawF(target, x + 16, 3, "%d", value);
        } else {
          font.DrawF(target, x, 3, "%s%d", label, value);
        }
        break;
      }
      case kHp:
      case kSp: {
        const bool hp = i == kHp;
        const cPlayer& hero = Hero();
        const int value = hp ? hero.nHp : hero.nSp;
        const int maximum = hp ? hero.Def.nMaxHp : hero.Def.nMaxSp;
        int e = x + 16;
        if (item.bIcon != 0) {
          DDBlt(target, x, 3, 16, 16, Accessory(), hp ? 32 : 48, 32, DDBLT_KEYED);
        } else {
          font.DrawF(target, x, 3, "%s", label);
          e = x + 16 * StrCharCount(item.strLabel);
        }
        const int sx = hp ? 0 : 64;
        DDBlt(target, e, 3, kGaugeWidth, 16, Accessory(), sx, 128, DDBLT_KEYED);
        const int fill = maximum != 0 ? static_cast<int>(static_cast<std::int64_t>(value) * kGaugeWidth / maximum) : 0;
        const int sy = SystemData.IsStatusLow(i, value, maximum) != 0 ? 160 : 144;
        if (fill > 0) DDBlt(target, e, 3, std::min(fill, kGaugeWidth), 16, Accessory(), sx, sy, DDBLT_KEYED);
        if (item.bShowNumber != 0) GameFonts[0].DrawF(target, e, 6, "%d", value);
        break;
      }
      case kLives: {
        const bool unlimited = save.m_nLives == kUnlimitedLives;
        if (item.bIcon != 0) {
          DDBlt(target, x, 3, 16, 16, Accessory(), 64, 32, DDBLT_KEYED);
          if (unlimited) {
            font.DrawF(target, x + 16, 3, "-");
          } else {
            font.DrawF(target, x + 16, 3, "%d", save.m_nLives);
          }
        } else if (unlimited) {
          font.DrawF(target, x, 3, "%s-", label);
        } else {
          font.DrawF(target, x, 3, "%s%d", label, save.m_nLives);
        }
        break;
      }
      default:
        break;
    }
    x += EntryWidth(i, item) + gap;
  }
}

void cScenePlay::DrawTime(DDSURFACEDATA* target, int showStatus) {
  if (bNoTimeLimit != 0) return;
  DDDrawNumber(target, 272, 24, 32, 32, &SurfaceRecords[kWordRow], 0, 160, DDBLT_KEYED, nTimeLeft, 3, 0);
  if (nTimeLeft >= 1 && nTimeLeft <= Stage.nTimeWarning && FrameCounter(2, 0) != 0 && showStatus != 0) {
    WorldSound().PlaySE(kSoundTimeWarning);
  }
}
