#include "data/sys_named_entry.h"

cSysNamedEntry::cSysNamedEntry() : cSysNamedEntry(1, "") {}

cSysNamedEntry::cSysNamedEntry(std::int32_t enabled, const char* name) {
  RegisterFields(CurrentVersion);
  Clear();
  bEnabled = enabled;
  strName = name;
}

void cSysNamedEntry::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&bEnabled);
  AddStrings(&strName);
}
