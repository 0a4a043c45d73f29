#include "platform/video/display.h"

#include <SDL.h>

#include <mutex>

#include "platform/backend_choice.h"
#include "platform/video/video_settings.h"

namespace platform {
namespace {

std::mutex g_mutex;
DisplayRequest g_request;
int g_cursorCount = 0;

// The display's own refresh rate, when a display is up; 0 when it cannot tell.
int NativeRefreshRate() {
  if (VideoBackend() == Backend::Null || SDL_WasInit(SDL_INIT_VIDEO) == 0) return 0;
  SDL_DisplayMode mode;
  if (SDL_GetCurrentDisplayMode(0, &mode) != 0) return 0;
  return mode.refresh_rate;
}

}  // namespace

DisplayMode CurrentDisplayMode() {
  const VideoSettings& settings = CurrentVideoSettings();
  DisplayMode mode;
  mode.bitsPerPixel = settings.desktopBitsPerPixel;
  if (settings.refreshRateHz > 0) {
    mode.refreshRate = settings.refreshRateHz;
  } else if (const int native = NativeRefreshRate(); native > 0) {
    mode.refreshRate = native;
  }
  return mode;
}

DisplayRequest CurrentDisplayRequest() {
  std::lock_guard lock(g_mutex);
  return g_request;
}

void RequestFullScreen(bool on) {
  std::lock_guard lock(g_mutex);
  g_request.fullScreen = on;
}

void RequestVsync(bool on) {
  std::lock_guard lock(g_mutex);
  g_request.vsync = on;
}

int ShowCursor(bool show) {
  std::lock_guard lock(g_mutex);
  g_cursorCount += show ? 1 : -1;
  g_request.cursorVisible = g_cursorCount >= 0;
  return g_cursorCount;
}

}  // namespace platform
