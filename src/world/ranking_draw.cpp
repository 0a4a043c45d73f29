#include "world/ranking_draw.h"

#include <algorithm>
#include <string>

#include "core/format.h"
#include "core/program_state.h"
#include "core/scene_manager.h"
#include "core/strings.h"
#include "core/system_ini.h"
#include "data/save_data.h"
#include "data/stage_data.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "gfx/core_blit.h"
#include "gfx/game_fonts.h"
#include "gfx/surface_records.h"

namespace {

constexpr int kTextKindFirst = 5;  // the kinds' names, 5 to 9
constexpr int kTextKindHint = 24;
constexpr int kRowHeight = 16;

Font& PanelFont() { return GameFonts[1]; }

const std::string& Text(int index) {
  static const std::string none;
  return index >= 0 && index < static_cast<int>(SystemData.Texts.size()) ? SystemData.Texts[index] : none;
}

// The place mark: the accessory sheet's cell at (16, 48).
void DrawMark(DDSURFACEDATA* target, int x, int y) {
  DDBlt(target, x, y, 16, 16, &SurfaceRecords[play_rows::kAccessory], 16, 48, DDBLT_KEYED);
}

int KeptKinds() {
  const int mode = SceneMgr.PlayMode;
  if (mode < 0 || mode >= static_cast<int>(SystemData.ModeRanking.size())) return 0;
  return SystemData.CountFlags(mode);
}

}  // namespace

int DrawRankTable(const cRankTable& table, DDSURFACEDATA* target, int x, int y, int kind, int highlight) {
  Font& font = PanelFont();
  font.DrawFrame(target, x + 1, y + 1, 270, 350);
  // The English title and the names are drawn without picture letters.
  if (SystemIni.English != 0) {
    font.Draw(target, x, y, Format("Ranking     %s", Text(kTextKindFirst + kind).c_str()).c_str(), 1);
  } else {
    font.Draw(target, x, y, Format("ランキング    %s", Text(kTextKindFirst + kind).c_str()).c_str(), 0);
  }
  const bool clearTime = kind == kRankClearTime;
  const int width = clearTime || table.m_Entries.empty() ? 8 : std::min(DigitCount(table.m_Entries[0].m_nValue), 11);
  const int rows = static_cast<int>(table.m_Entries.size());
  for (int i = 0; i < rows; ++i) {
    const cRankEntry& entry = table.m_Entries[i];
    if (entry.m_bUsed == 0) continue;
    const int row = y + kRowHeight * (i + 1);
    font.Draw(target, x + 16, row, Format("%d", i + 1).c_str(), 0);
    font.Draw(target, x + 64, row, entry.m_strName.c_str(), 1);
    if (clearTime) {
      std::string time;
      FormatTime(time, entry.m_nValue);
      font.Draw(target, x + 144, row, time.c_str(), 0);
    } else {
      // Every value ends in the same column.
      font.Draw(target, x + 16 * (width - DigitCount(entry.m_nValue) + 9), row, Format("%d", entry.m_nValue).c_str(), 0);
    }
  }
  if (KeptKinds() > 1) {
    const std::string& hint = Text(kTextKindHint);
    font.Draw(target, x + 136 - 8 * StrCharCount(hint), y + kRowHeight * (rows + 1), hint.c_str(), 0);
  }
  if (highlight == -1) return -1;
  DrawMark(target, x, y + kRowHeight * (highlight + 1));
  return highlight;
}

void DrawRankSet(const cRankSet& set, DDSURFACEDATA* target, int x, int y, int kind, int highlight) {
  DrawRankTable(set.m_Tables[kind], target, x, y, kind, highlight);
}

void DrawResultTotals(DDSURFACEDATA* target, int x, int y, const cVector<std::int32_t>& positions,
                      const cStageData& stage) {
  const cSaveData& save = SaveDataCur;
  const std::int32_t totals[kRankKindCount] = {save.m_nTotalScore, save.m_nTotalTime, save.m_nTotalClearTime,
                                               save.m_nTotalHp, save.m_nTotalSp};
  int shown[kRankKindCount];
  int count = 0;
  int labelWidth = 1;
  int valueWidth = 1;
  for (int kind = 0; kind < kRankKindCount; ++kind) {
    const bool stageKeeps = kind < static_cast<int>(stage.RankFlags.size()) && stage.RankFlags[kind] != 0;
    if (!stageKeeps || !(DirectPlayFlag.load() != 0 || SystemData.KeepsRankKind(SceneMgr.PlayMode, kind))) continue;
    shown[count++] = kind;
    labelWidth = std::max(labelWidth, StrCharCount(Text(kTextKindFirst + kind)));
    valueWidth = std::max(valueWidth, kind == kRankClearTime ? 8 : DigitCount(totals[kind]));
  }
  if (count == 0) return;
  Font& font = PanelFont();
  font.DrawFrame(target, x, y, (valueWidth + labelWidth + 3) * 16, 16 * count);
  for (int i = 0; i < count; ++i) {
    const int kind = shown[i];
    const int row = y + kRowHeight * i;
    font.Draw(target, x + 16, row, Text(kTextKindFirst + kind).c_str(), 0);
    std::string value;
    if (kind == kRankClearTime) {
      FormatTime(value, save.m_nTotalClearTime);
    } else {
      value = Format("%d", totals[kind]);
    }
    font.Draw(target, x + 32 + 16 * labelWidth, row, value.c_str(), 0);
    if (kind < static_cast<int>(positions.size()) && positions[kind] != -1) DrawMark(target, x, row);
  }
}
