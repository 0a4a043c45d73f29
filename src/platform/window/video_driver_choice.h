#pragma once

#include <string_view>

namespace platform {

// With no display to answer, SDL falls back by itself on drivers that show nothing
// ("offscreen", "dummy"), and the program would run unseen. Such a driver is taken only when
// it was asked for: `requested` is SDL_VIDEODRIVER (empty when unset), one name or a
// comma-separated list, matched without regard to case as SDL matches it.
bool VideoDriverAcceptable(std::string_view chosen, std::string_view requested);

}  // namespace platform
