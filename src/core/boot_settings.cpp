#include "core/boot_settings.h"

cBootSettings BootSettings;

cBootSettings::cBootSettings() {
  RegisterFields(CurrentVersion);
  Clear();
  choice = 1;
  doNotAsk = 0;
}

void cBootSettings::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&choice);
  AddInt(&doNotAsk);
}
