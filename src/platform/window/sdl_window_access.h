#pragma once

#include <SDL.h>

namespace platform {

// For the presenter of the video layer (main thread only): the SDL window of the program's
// window, and the one renderer of that window, made on first use. Both null while no SDL
// window exists.
SDL_Window* MainSdlWindow();
SDL_Renderer* MainSdlRenderer();

}  // namespace platform
