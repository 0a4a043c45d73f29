#include "data/sys_option.h"

cSysOption::cSysOption() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cSysOption::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&bText);
  AddInt(&nValue);
  AddStrings(&strKey);
  AddStrings(&strValue);
}

void cSysOption::Set(std::string_view key, std::int32_t number) {
  strKey.assign(key);
  nValue = number;
  bText = 0;
}

void cSysOption::SetText(std::string_view key, std::string_view text) {
  strKey.assign(key);
  strValue.assign(text);
  bText = 1;
}
