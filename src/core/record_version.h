#pragma once

#include <cstdint>

// The record version this program writes and registers; start-up sets it to 750.
extern std::int32_t CurrentVersion;
// The version in the header of the record file read last.
extern std::int32_t FileVersion;
// While set, strings read from record files lose their CR bytes.
extern std::int32_t StripCRFlag;

constexpr std::int32_t kRecordVersion = 750;
