#pragma once

#include <SDL.h>

namespace platform {

// For the video layer (main thread only): the SDL window of the program's window; null while
// no SDL window exists. The window's presenter owns the one renderer of that window.
SDL_Window* MainSdlWindow();

}  // namespace platform
