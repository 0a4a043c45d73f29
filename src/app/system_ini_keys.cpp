#include "app/system_ini_keys.h"

SystemIniKeys SystemIniKeyRows(const cVector<cSysOption>& options) {
  SystemIniKeys keys;
  for (const cSysOption& option : options) keys.push_back(SystemIniKey{option.strKey, option.nValue, option.strValue});
  return keys;
}
