#pragma once

#include "gfx/surface_data.h"

// Library initialisation and release.

// Set-up error codes of DDInitFullScreen and DDInitWindowed.
constexpr int DDERR_CREATEEX = 1;
constexpr int DDERR_SETCOOPLEVEL = 2;
constexpr int DDERR_SETDISPLAYMODE = 3;
constexpr int DDERR_CREATESURFACE = 4;
constexpr int DDERR_GETATTACHEDSURFACE = 5;
constexpr int DDERR_CREATEPALETTE = 6;
constexpr int DDERR_SETPALETTE = 7;
constexpr int DDERR_CLIPPER = 10;
constexpr int DDERR_SETHWND = 11;
constexpr int DDERR_SETCLIPPER = 12;

bool DDInit(int nBackend, DDWindowHandle hWnd, int nWidth, int nHeight, int nBpp, int bVSync, int bWindowed,
            int nBackBufferMode, int nRefreshRate, int bSetRefresh, DDSURFACEDATA* lpRecords, const SurfaceDef* lpDefs,
            int nCount);
// The start-up's form with one more trailing argument (always 0), which the set-up does not need.
inline bool DDInit(int nBackend, DDWindowHandle hWnd, int nWidth, int nHeight, int nBpp, int bVSync, int bWindowed,
                   int nBackBufferMode, int nRefreshRate, int bSetRefresh, DDSURFACEDATA* lpRecords,
                   const SurfaceDef* lpDefs, int nCount, int /*nUnused*/) {
  return DDInit(nBackend, hWnd, nWidth, nHeight, nBpp, bVSync, bWindowed, nBackBufferMode, nRefreshRate, bSetRefresh,
                lpRecords, lpDefs, nCount);
}
void DDUnInit();
void DDRelease();
bool DDErrorText(int nCode);

bool D3DInitDevice(DDWindowHandle hWnd, int nWidth, int nHeight);
void D3DSetRenderStates();
int DDInitFullScreen(DDWindowHandle hWnd, int nWidth, int nHeight, int nBpp, int nBackBufferMode);
int DDInitWindowed(DDWindowHandle hWnd);
void DDGetPixelMasks(DDPixelLayout* lpLayout);
