#include "gfx/dd_state.h"

namespace {

std::unique_ptr<DTCONTEXT> g_dtContext;
std::unique_ptr<DDCONTEXT> g_ddContext;

}  // namespace

DTCONTEXT* lpDTCon = nullptr;
DDCONTEXT* DDCtx = nullptr;

int DDBackend = 0;
DDWindowHandle DDhWnd = nullptr;
int DDWidth = 0;
int DDHeight = 0;
int DDBpp = 0;
int DDBytesPerPixel = 0;
int DDWindowed = 0;
int DDVSync = 0;
int DDBackBufferMode = 0;
int DDRefreshRate = 0;
int DDSetRefresh = 0;
DDSURFACEDATA* DDTableRecords = nullptr;
const SurfaceDef* DDTableDefs = nullptr;
int DDTableCount = 0;
int DDInitialised = 0;

DDSURFACEDATA SDPrimary;
DDSURFACEDATA SDBackBuffer;
DDSURFACEDATA SDWork;
DDSURFACEDATA SDVirBackBuffer;
DDSURFACEDATA SDWorkSD;

std::unique_ptr<platform::DrawDevice> lpDD;
std::shared_ptr<platform::DrawPalette> lpDDPalette;
std::shared_ptr<platform::Clipper> lpDDClipper;
platform::PixelRect DDClientRect;
int DDDesktopBpp = 0;

std::unique_ptr<platform::RenderSystem> lpD3D;
std::unique_ptr<platform::RenderDevice> lpDevice;

DDPixelLayout DDPixelFormat;
DDPixelLayout DDBackPixelFormat;

void DDAllocDTContext() {
  g_dtContext = std::make_unique<DTCONTEXT>();
  lpDTCon = g_dtContext.get();
}

void DDFreeDTContext() {
  g_dtContext.reset();
  lpDTCon = nullptr;
}

void DDAllocDDContext() {
  g_ddContext = std::make_unique<DDCONTEXT>();
  DDCtx = g_ddContext.get();
}

void DDFreeDDContext() {
  g_ddContext.reset();
  DDCtx = nullptr;
}
