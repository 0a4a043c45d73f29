#include "data/option_data.h"

#include <algorithm>

#include "core/user_files.h"

cOptionData OptionData;

cOptionData::cOptionData() {
  RegisterFields(CurrentVersion);
  Clear();
  m_nPalette = 0;
  m_bBgm = 1;
  m_nSeVolume = 7;
  m_nRankMode = kRankModeKeyTyped;
  m_strFixedName = "aaa";
}

void cOptionData::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&m_nPalette);
  AddInt(&m_bBgm);
  AddInt(&m_nSeVolume);
  AddInt(&m_nRankMode);
  AddStrings(&m_strFixedName);
}

bool cOptionData::Read(RecordReader& in) {
  if (!cData::Read(in)) return false;
  m_nPalette = std::clamp(m_nPalette, 0, 23);
  m_bBgm = std::clamp(m_bBgm, 0, 1);
  m_nSeVolume = std::clamp(m_nSeVolume, 0, 10);
  m_nRankMode = std::clamp(m_nRankMode, static_cast<std::int32_t>(kRankModeKeyTyped),
                           static_cast<std::int32_t>(kRankModeLeaveFixed));
  return true;
}

bool LoadOptionData(cOptionData& options, std::string_view path) {
  return LoadUserRecord(options, path) != 0;
}
