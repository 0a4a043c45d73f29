#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"
#include "platform/clock.h"

// The best recorded total score of one stage key.
class cStageClearRec : public cData {
 public:
  cStageClearRec();
  cStageClearRec(std::string name, std::int32_t value);
  void RegisterFields(std::int32_t version) override;

  std::string m_strName;
  std::int32_t m_nValue = 0;
};

// A record of two integers; a challenge stage's entry holds its cleared flag and best total
// score.
class cData2Int : public cData {
 public:
  cData2Int();
  cData2Int(std::int32_t first, std::int32_t second);
  void RegisterFields(std::int32_t version) override;

  std::int32_t m_nFirst = 0;
  std::int32_t m_nSecond = 0;
};

// When a progress record was saved: the eight 16-bit fields of the file.
using SaveTime = platform::CalendarTime;

bool ReadSaveTime(SaveTime& time, RecordReader& in);
void WriteSaveTime(const SaveTime& time, RecordWriter& out);
