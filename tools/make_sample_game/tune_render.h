#pragma once

#include <vector>

#include "make_sample_game/tunes.h"

namespace sample {

// Plays a tune once through the small synthesiser: mono samples at kSampleRate, exactly one
// pass long so that the file loops seamlessly.
std::vector<float> RenderTune(const Tune& tune);

}  // namespace sample
