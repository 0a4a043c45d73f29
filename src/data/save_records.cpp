#include "data/save_records.h"

#include <array>

cStageClearRec::cStageClearRec() {
  RegisterFields(CurrentVersion);
  Clear();
}

cStageClearRec::cStageClearRec(std::string name, std::int32_t value) : cStageClearRec() {
  m_strName = std::move(name);
  m_nValue = value;
}

void cStageClearRec::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&m_nValue);
  AddStrings(&m_strName);
}

cData2Int::cData2Int() {
  RegisterFields(CurrentVersion);
  Clear();
}

cData2Int::cData2Int(std::int32_t first, std::int32_t second) : cData2Int() {
  m_nFirst = first;
  m_nSecond = second;
}

void cData2Int::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&m_nFirst);
  AddInt(&m_nSecond);
}

namespace {

std::array<std::uint16_t*, 8> TimeFields(SaveTime& t) {
  return {&t.year, &t.month, &t.dayOfWeek, &t.day, &t.hour, &t.minute, &t.second, &t.milliseconds};
}

}  // namespace

bool ReadSaveTime(SaveTime& time, RecordReader& in) {
  SaveTime read;
  for (std::uint16_t* field : TimeFields(read)) {
    if (!in.ReadU16(*field)) return false;
  }
  time = read;
  return true;
}

void WriteSaveTime(const SaveTime& time, RecordWriter& out) {
  SaveTime copy = time;
  for (std::uint16_t* field : TimeFields(copy)) out.WriteElements(field, 2, 1);
}
