#pragma once

#include <memory>
#include <string>

#include "gfx/dd_types.h"
#include "gfx/surface_data.h"
#include "platform/video/draw_device.h"
#include "platform/video/render_device.h"

// The Direct3D context, allocated by the Direct3D set-up.
struct DTCONTEXT {
  platform::PixelFormat BackBufferFormat = platform::PixelFormat::Xrgb8888;
  platform::PixelFormat TextureFormat = platform::PixelFormat::Argb8888;
  platform::PresentParams PresentParams;  // as given to the device; the recovery resets with them
  int nAdapter = 0;
  int nDeviceType = 1;
  platform::RenderCaps Caps{false, false, 0, 0, false};  // zero until the device tells
  BOOL bPow2 = 0;
  BOOL bSquareOnly = 0;
  BOOL bVirtualBackBuffer = 0;
  DDSURFACEDATA* lpRestRT = nullptr;  // resting render target
  BOOL bCopyMode = 0;
  RGBTRIPLE rgbTransmit;
  RGBTRIPLE rgbKey16;       // 16-bit key colour of texture loads
  D3DCOLOR dwTexClear = 0;  // transparent texel value
  D3DCOLOR dwBackKey = 0;   // transparent colour as an opaque back-buffer colour
  WORD wTransmit_16 = 0;
  WORD wBackKey16 = 0;  // transparent colour as a 16-bit back-buffer pixel
  BOOL bInScene = 0;
  D3DCOLOR dwDiffuse = 0xFFFFFFFF;
  D3DTEXTUREOP nColorOp = D3DTOP_MODULATE;
  D3DTEXTUREOP nAlphaOp = D3DTOP_SELECTARG1;
  int nNextTextureId = 0;
  int nNextFontId = 0;
  std::string strFatalTexture;  // CP932; empty: no box
};

// The DirectDraw context, allocated by DDInit in DirectDraw mode.
struct DDCONTEXT {
  RGBTRIPLE rgbKey16;  // the 24-bit colour the 16-bit bitmap conversion writes as DDTransmitKey
  int nNextFontId = 0;
};

// Backend indicators: exactly one is set while a backend is initialised.
extern DTCONTEXT* lpDTCon;
extern DDCONTEXT* DDCtx;

// Kept from DDInit.
extern int DDBackend;  // 0 DirectDraw, 1 Direct3D
extern DDWindowHandle DDhWnd;
extern int DDWidth;
extern int DDHeight;
extern int DDBpp;
extern int DDBytesPerPixel;
extern int DDWindowed;
extern int DDVSync;
extern int DDBackBufferMode;
extern int DDRefreshRate;
extern int DDSetRefresh;
extern DDSURFACEDATA* DDTableRecords;
extern const SurfaceDef* DDTableDefs;
extern int DDTableCount;
extern int DDInitialised;

// Fixed records.
extern DDSURFACEDATA SDPrimary;
extern DDSURFACEDATA SDBackBuffer;
extern DDSURFACEDATA SDWork;
extern DDSURFACEDATA SDVirBackBuffer;
extern DDSURFACEDATA SDWorkSD;

// DirectDraw objects.
extern std::unique_ptr<platform::DrawDevice> lpDD;
extern std::shared_ptr<platform::DrawPalette> lpDDPalette;
extern std::shared_ptr<platform::Clipper> lpDDClipper;
extern platform::PixelRect DDClientRect;
extern int DDDesktopBpp;

// Direct3D objects.
extern std::unique_ptr<platform::RenderSystem> lpD3D;
extern std::unique_ptr<platform::RenderDevice> lpDevice;

// Pixel layouts of textures and hi-colour surfaces, and of the Direct3D back buffer.
extern DDPixelLayout DDPixelFormat;
extern DDPixelLayout DDBackPixelFormat;

// Context allocation; the process frees a context still allocated at exit.
void DDAllocDTContext();
void DDFreeDTContext();
void DDAllocDDContext();
void DDFreeDDContext();
