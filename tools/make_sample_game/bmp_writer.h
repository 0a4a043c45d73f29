#pragma once

#include <string>

#include "make_sample_game/pixel_canvas.h"
#include "make_sample_game/sample_palette.h"

namespace sample {

// The bytes of an uncompressed 8-bit Windows bitmap: 40-byte information header, the full
// 256-colour table, rows bottom-up, each padded to four bytes.
std::string EncodeBmp8(const Canvas& canvas, const PaletteColors& palette);

}  // namespace sample
