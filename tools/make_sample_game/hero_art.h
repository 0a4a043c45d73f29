#pragma once

#include "make_sample_game/sprite_stamp.h"

namespace sample {

// The hero's 16 x 16 pixel templates (facing left), shared by the character sheet, the
// world-map walker and the icons.
const Legend& HeroLegend();
// One of the hero poses of charapic (the standing pose for any other value).
PixelRows HeroPoseRows(int pose);

}  // namespace sample
