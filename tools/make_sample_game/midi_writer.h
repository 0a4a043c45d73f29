#pragma once

#include <string>

#include "make_sample_game/tunes.h"

namespace sample {

// The bytes of a Standard MIDI File of format 1: a conductor track (name, time signature,
// tempo) and one track per part, each ending where the tune ends so that a loop restarts on
// the beat.
std::string EncodeMidi(const Tune& tune);

}  // namespace sample
