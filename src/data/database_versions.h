#pragma once

#include <cstdint>

// Most database records carry a field for the authoring tool from 151 on; a value stored by a
// file before 153 is not taken, the field reads as 0 there.
constexpr std::int32_t kEditorFieldFrom = 151;
constexpr std::int32_t kEditorFieldKeptFrom = 153;
