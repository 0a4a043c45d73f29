#pragma once

#include <functional>

#include "gfx/surface_data.h"

// What the start-up hands the drawing library, and the start-up's way of bringing it up: the
// backend the settings name, and when Direct3D fails, DirectDraw after it.
struct DDStartRequest {
  int nBackend = 1;  // the Direct3D setting: 1 Direct3D, 0 DirectDraw
  DDWindowHandle hWnd = nullptr;
  int nWidth = 640;
  int nHeight = 480;
  int nBpp = 32;
  int bVSync = 0;
  int bWindowed = 1;
  DDSURFACEDATA* lpRecords = nullptr;
  const SurfaceDef* lpDefs = nullptr;
  int nCount = 0;
};

// DDInit with the request (back-buffer mode 1, refresh rate 60, set-refresh flag = vsync).
// When Direct3D fails: DDUnInit, the request's backend becomes 0, `beforeFallback` runs (the
// start-up shows its window there) and DDInit is called again with DirectDraw; a failure of
// that call writes "DDInit失敗" to the error log. True when a backend is up.
bool DDStartBackend(DDStartRequest& request, const std::function<void()>& beforeFallback);
