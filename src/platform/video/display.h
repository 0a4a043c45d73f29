#pragma once

namespace platform {

// The display as the devices see it. Its size and refresh rate are read, never changed: the
// buffers are emulated in whatever format the program asks for, and "full screen" is the
// desktop-sized window of the presenter.
struct DisplayMode {
  int width = 640;
  int height = 480;
  int refreshRate = 60;
  int bitsPerPixel = 32;  // the desktop depth of VideoSettings
};
DisplayMode CurrentDisplayMode();

// What the devices ask of the window that shows their frames. The presenter applies it on the
// main thread; the devices only record it.
struct DisplayRequest {
  bool fullScreen = false;  // desktop full screen
  bool vsync = false;       // present in step with the display
  bool cursorVisible = true;
  bool operator==(const DisplayRequest&) const = default;
};
DisplayRequest CurrentDisplayRequest();
void RequestFullScreen(bool on);
void RequestVsync(bool on);

// The mouse cursor's display counter: shown while it is 0 or more. Returns the new count.
int ShowCursor(bool show);

}  // namespace platform
