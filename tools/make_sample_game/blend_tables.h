#pragma once

#include <string>
#include <vector>

#include "make_sample_game/sample_palette.h"

namespace sample {

// The options offer 24 palette choices; choice n loads bmp\hbt\hbtNN.dat and reshapes the
// palette: below 12 the ramps (entries 16 to 207) turn by n x 16 places, from 12 on every
// ramp becomes a copy of ramp n - 11.
constexpr int kPaletteChoices = 24;
constexpr int kBlendTableBytes = 256 * 256;

// The palette as choice n leaves it.
PaletteColors PaletteForChoice(const PaletteColors& palette, int choice);

// The translucency table of every choice, made from the palette that choice shows: entry
// (a, b) at a x 256 + b is the colour nearest to the even mix of colours a and b. A colour
// mixed with itself stays itself; the transparent colour leaves the other one as it is.
std::vector<std::string> BuildBlendTables(const PaletteColors& palette);

// The game path of choice n's table.
std::string BlendTablePath(int choice);

}  // namespace sample
