#pragma once

// The screen mode the settings ask for, checked against what the backends can show.
struct ScreenModeRequest {
  int direct3D = 1;    // 1 Direct3D, 0 DirectDraw (the start-up has settled "ask" by now)
  int windowMode = 1;  // 0 full screen, 1 window, 2 window with a sizing border (Direct3D)
  int bpp = 0;         // 0: chosen here
  int vsync = 2;       // 2 or more: chosen here
  bool fixedKeyColor = false;
  int depthD3D = 0;    // the project's automatic full-screen depths
  int depthDD = 0;
  int desktopBpp = 32;
};

struct ScreenMode {
  bool windowed = true;
  int bpp = 32;
  int vsync = 0;
  bool sizingBorder = false;
  const char* error = nullptr;  // the message of an invalid mode, nothing when valid
};

ScreenMode DecideScreenMode(const ScreenModeRequest& request);
