#include "core/record_version.h"

std::int32_t CurrentVersion = 0;
std::int32_t FileVersion = 0;
std::int32_t StripCRFlag = 0;
