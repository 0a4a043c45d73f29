#include "data/ed_stage_string.h"

cEdStageString::cEdStageString() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cEdStageString::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddStrings(&strText);
}

bool ReadStageStringList(cVector<cEdStageString>& list, RecordReader& in) { return ReadRecordList(list, in); }
