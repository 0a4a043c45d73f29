#include "data/rankings.h"

#include <array>
#include <cstdlib>

#include "core/path_helpers.h"
#include "core/record_version.h"
#include "core/strings.h"
#include "core/user_files.h"
#include "data/project_paths.h"

cRankSet RankSet;

namespace {

constexpr std::array<std::int32_t, kRankKindCount> kHigherBetter = {1, 1, 0, 1, 1};
// Files up to this version had three tables, the two last ranking lower values higher.
constexpr std::int32_t kThreeTableVersion = 180;

cRankTable TableOfKind(int kind) {
  cRankTable table;
  table.m_bHigherBetter = kind >= 0 && kind < kRankKindCount ? kHigherBetter[static_cast<std::size_t>(kind)] : 0;
  return table;
}

}  // namespace

cRankEntry::cRankEntry() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cRankEntry::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&m_bUsed);
  AddInt(&m_nValue);
  AddStrings(&m_strName);
}

cRankTable::cRankTable() {
  RegisterFields(CurrentVersion);
  Reset();
}

void cRankTable::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&m_bHigherBetter);
}

bool cRankTable::Read(RecordReader& in) { return cData::Read(in) && ReadRecordList(m_Entries, in); }

void cRankTable::Write(RecordWriter& out) {
  cData::Write(out);
  WriteRecordList(m_Entries, out);
}

int cRankTable::FindSlot(std::int32_t value) const {
  for (int i = 0; i < static_cast<int>(m_Entries.size()); ++i) {
    const cRankEntry& row = m_Entries[i];
    if (row.m_bUsed == 0) return i;
    if (m_bHigherBetter != 0 ? row.m_nValue < value : row.m_nValue > value) return i;
  }
  return -1;
}

void cRankTable::Insert(const std::string& name, std::int32_t value) {
  const int place = FindSlot(value);
  cRankEntry entry;
  entry.m_bUsed = 1;
  entry.m_strName = name;
  entry.m_nValue = value;
  if (place >= 0) {
    m_Entries.insert(m_Entries.begin() + place, entry);
  } else {
    m_Entries.push_back(entry);
  }
  m_Entries.pop_back();
}

void cRankTable::Reset() {
  Clear();
  m_Entries.assign(kRankRows, cRankEntry{});
}

cRankSet::cRankSet() { Reset(); }

bool cRankSet::Read(RecordReader& in) {
  if (!cData::Read(in) || !ReadRecordList(m_Tables, in)) return false;
  // Tables missing from the file are added with their kind's order, so that every kind has
  // one; those of the old three-table files rank higher values higher in tables 3 and 4.
  while (m_Tables.size() < kRankKindCount) m_Tables.push_back(TableOfKind(static_cast<int>(m_Tables.size())));
  // The kinds' short tables are padded, never cut. Tables beyond the kinds are kept as read:
  // padding them would let a small hostile file ask for rows without end.
  for (int kind = 0; kind < kRankKindCount; ++kind) {
    cVector<cRankEntry>& rows = m_Tables[kind].m_Entries;
    while (rows.size() < kRankRows) rows.push_back(cRankEntry{});
  }
  if (FileVersion <= kThreeTableVersion) {
    m_Tables[kRankHpLeft].m_bHigherBetter = 1;
    m_Tables[kRankSpLeft].m_bHigherBetter = 1;
  }
  return true;
}

void cRankSet::Write(RecordWriter& out) {
  cData::Write(out);
  WriteRecordList(m_Tables, out);
}

void cRankSet::Reset() {
  Clear();
  m_Tables.clear();
  for (int kind = 0; kind < kRankKindCount; ++kind) m_Tables.push_back(TableOfKind(kind));
}

bool MakeRankingPath(std::string& out, int playType, const std::string& stageKey) {
  static constexpr std::array<const char*, 3> kFolders = {"user_data\\story\\", "user_data\\challenge\\",
                                                          "user_data\\free\\"};
  if (playType < 0 || playType >= static_cast<int>(kFolders.size())) return false;
  std::string name = stageKey;
  PathStripDir(name);
  out = std::string(kFolders[static_cast<std::size_t>(playType)]) + name + ProjectExts[3];
  return true;
}

bool LoadRankingFile(cRankSet& set, int playType, const std::string& stageKey) {
  std::string path;
  if (MakeRankingPath(path, playType, stageKey) && LoadUserRecord(set, path) != 0) return true;
  set.Reset();
  return false;
}

bool SaveRankingFile(cRankSet& set, int playType, const std::string& stageKey) {
  std::string path;
  return MakeRankingPath(path, playType, stageKey) && SaveUserRecord(set, path) != 0;
}

void FormatTime(std::string& out, std::int32_t hundredths) {
  const std::int32_t seconds = hundredths / 100;
  const std::int32_t minutes = seconds / 60;
  const auto twoDigits = [](std::int32_t n) {
    std::string digits;
    NumberText(digits, std::abs(n), 2, true, false);
    return n < 0 ? "-" + digits : digits;
  };
  std::string rest;
  NumberText(rest, hundredths % 100, 2, true, false);
  out = twoDigits(minutes) + ":" + twoDigits(seconds % 60) + "." + rest;
}
