#include "platform/clipboard.h"

#include <SDL.h>

namespace platform {

std::string ClipboardText() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return {};
  char* text = SDL_GetClipboardText();
  if (text == nullptr) return {};
  std::string result = text;
  SDL_free(text);
  return result;
}

}  // namespace platform
