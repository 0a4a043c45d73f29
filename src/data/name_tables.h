#pragma once

#include <array>
#include <cstdint>

// Display names of the values that project records store, index = stored value. Each table
// ends with an empty name. Only the font faces are looked up while the game runs; the other
// tables fix what each stored value means.

// 122 font faces, then the empty name at 122.
extern const std::array<const char*, 123> FontNameList;

// The face for a stored font index: the empty face outside the list.
const char* FontFaceName(std::int32_t index);

extern const std::array<const char*, 3> OnOffNames;
extern const std::array<const char*, 3> PaletteChoiceNames;
// Palette source of a definition: 0 not inherited, 1 common palette, 2 stage palette; the
// shorter tables serve where fewer sources are possible.
extern const std::array<const char*, 4> InheritSourceNames;
extern const std::array<const char*, 3> InheritSourceCommonNames;
extern const std::array<const char*, 3> InheritSourceStageNames;
extern const std::array<const char*, 2> InheritSourceNoneNames;
extern const std::array<const char*, 6> GraphicKindNames;
extern const std::array<const char*, 4> DisplayNames;
extern const std::array<const char*, 4> HitNames;
extern const std::array<const char*, 10> NumberChoiceNames;
extern const std::array<const char*, 7> BlockEffectNames;
extern const std::array<const char*, 4> PaletteRefNames;
extern const std::array<const char*, 3> PaletteRefCommonNames;
extern const std::array<const char*, 3> ColorModeNames;
extern const std::array<const char*, 4> DepthDDNames;
extern const std::array<const char*, 3> DepthD3DNames;
extern const std::array<const char*, 9> CharaVarNames;
extern const std::array<const char*, 8> ArithOpNames;
extern const std::array<const char*, 9> CompareOpNames;
extern const std::array<const char*, 3> ConditionWordNames;
extern const std::array<const char*, 4> MapEventKindNames;
extern const std::array<const char*, 4> AfterClearNames;
