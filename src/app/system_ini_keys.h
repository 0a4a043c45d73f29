#pragma once

#include "core/system_ini.h"
#include "data/sys_option.h"

// The System.ini key rows of the project's system data, as the settings reader takes them.
SystemIniKeys SystemIniKeyRows(const cVector<cSysOption>& options);
