#pragma once

#include <string>
#include <string_view>

namespace platform {

// The installed family that stands for a Windows face name (CP932 bytes): fixed-pitch gothics
// and fixed western faces take IPAGothic, proportional ones IPAPGothic, the Mincho faces IPAMincho
// or IPAPMincho, everything else IPAGothic.
const char* FamilyForFace(std::string_view cp932Face);

// The font file and face index fontconfig gives for a family with Japanese coverage; false when
// nothing installed is that family.
bool LocateFamily(const char* family, std::string& file, int& index);

}  // namespace platform
