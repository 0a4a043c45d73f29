#include "data/ed_key_condition.h"

cEdKeyCondition::cEdKeyCondition() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cEdKeyCondition::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddByte(&bMirror);
  AddShort(&nMinHold);
  AddShort(&nMaxHold);
  AddByte(&bAnyHold);
  AddByte(&nKeyRule);
}

void cEdKeyCondition::Clear() {
  cData::Clear();
  keyStates.assign(kKeyStates, 0);
}

bool cEdKeyCondition::Read(RecordReader& in) {
  std::int32_t count = 0;
  if (!cData::Read(in) || !in.ReadCount(count, 1)) return false;
  keyStates.resize(static_cast<std::size_t>(count));
  if (count > 0 && !in.ReadElements(keyStates.data(), 1, keyStates.size())) return false;
  // The flow engine looks at every one of the 19 slots; a shorter list leaves the rest
  // untested.
  if (keyStates.size() < static_cast<std::size_t>(kKeyStates)) keyStates.resize(kKeyStates, 0);
  return true;
}

void cEdKeyCondition::Write(RecordWriter& out) {
  cData::Write(out);
  out.WriteU32(static_cast<std::uint32_t>(keyStates.size()));
  if (!keyStates.empty()) out.WriteElements(keyStates.data(), 1, keyStates.size());
}

bool ReadKeyConditionList(cVector<cEdKeyCondition>& list, RecordReader& in) { return ReadRecordList(list, in); }
