#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"
#include "data/sys_mode_entry.h"

// A stage's rankings: five tables of twenty rows, one per running total of the progress
// record (score, time left, clear time, HP left, SP left), kept per stage and play type under
// user_data. Clear time ranks a smaller value higher, the others a larger one.

class cRankEntry : public cData {
 public:
  cRankEntry();
  cRankEntry(const cRankEntry&) = default;
  cRankEntry& operator=(const cRankEntry&) = default;
  void RegisterFields(std::int32_t version) override;

  std::int32_t m_bUsed = 0;  // an empty row is beaten by any value and draws nothing
  std::string m_strName;
  std::int32_t m_nValue = 0;
};

class cRankTable : public cData {
 public:
  cRankTable();
  cRankTable(const cRankTable&) = default;
  cRankTable& operator=(const cRankTable&) = default;
  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  // The row a new value would take, below the rows holding the same value; -1 when it beats
  // none.
  int FindSlot(std::int32_t value) const;
  // A new row at the value's place; the last row falls off, so the table keeps its length.
  void Insert(const std::string& name, std::int32_t value);
  // Lower better and twenty empty rows.
  void Reset();

  cVector<cRankEntry> m_Entries;
  std::int32_t m_bHigherBetter = 0;
};

class cRankSet : public cData {
 public:
  cRankSet();
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;
  // Five tables, larger better but for clear time.
  void Reset();

  cVector<cRankTable> m_Tables;
};

inline constexpr int kRankRows = 20;

// The set of the stage at hand.
extern cRankSet RankSet;

// user_data\<story|challenge|free>\<the key's file name>rkg; false for another play type.
bool MakeRankingPath(std::string& out, int playType, const std::string& stageKey);
// Reads the stage's file into a fresh set and takes it when the whole file read; otherwise
// the set is reset. True when the file was read.
bool LoadRankingFile(cRankSet& set, int playType, const std::string& stageKey);
bool SaveRankingFile(cRankSet& set, int playType, const std::string& stageKey);
// Hundredths of a second as mm:ss.hh (minutes as many digits as they take).
void FormatTime(std::string& out, std::int32_t hundredths);
