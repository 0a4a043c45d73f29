#include "data/ed_flow.h"

#include "data/data_read_context.h"

cEdFlow::cEdFlow() {
  RegisterFields(CurrentVersion);
  Clear();
  nKeyGap = 3;
}

void cEdFlow::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  if (version >= 676) AddStrings(&strMemo);
  AddByte(&nFlowId);
  AddByte(&nSwitch);
  AddByte(&bTestPlayOnly);
  AddByte(&nRule);
  AddByte(&bLatch);
  AddByte(&nTrigger);
  AddByte(&nKeyGap);
  AddByte(&bKeyContinuous);
}

bool cEdFlow::Read(RecordReader& in) {
  if (!cData::Read(in) || !ReadRecordList(conditions, in) || !ReadKeyConditionList(keyConditions, in) ||
      !ReadCommandList(commands, in)) {
    return false;
  }
  if (in.Version() < kRecordVersion) MigrateTrigger(in.Version());
  strMemo.clear();
  Validate(DataContextOf(in));
  return true;
}

void cEdFlow::Write(RecordWriter& out) {
  Validate(ProjectDataContext());
  cData::Write(out);
  WriteRecordList(conditions, out);
  WriteRecordList(keyConditions, out);
  WriteRecordList(commands, out);
}

void cEdFlow::MigrateTrigger(std::int32_t v) {
  if (v <= 131 && nTrigger >= 11) ++nTrigger;
  // Only the always-running trigger uses a switch.
  if (v < 163 && nTrigger != 0) nSwitch = 0;
  if (v < 164 && nTrigger >= 5) nTrigger = static_cast<std::uint8_t>(nTrigger + 2);
}

void cEdFlow::Validate(const DataReadContext& context) {
  for (cEdCommand& command : commands) command.Validate(context);
}

void cEdFlow::ValidateSummons(const DataReadContext& context) {
  for (cEdCommand& command : commands) command.ValidateSummon(context);
}

bool ReadFlowList(cVector<cEdFlow>& list, RecordReader& in) { return ReadRecordList(list, in); }

void DropTestPlayFlows(cVector<cEdFlow>& list) {
  std::erase_if(static_cast<std::vector<cEdFlow>&>(list), [](const cEdFlow& flow) { return flow.bTestPlayOnly != 0; });
}
