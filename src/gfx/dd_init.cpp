#include "gfx/dd_init.h"

#include "core/message_boxes.h"
#include "core/report_log.h"
#include "core/system_report.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/drawing_link.h"
#include "gfx/render_target.h"
#include "platform/video/display.h"

namespace {

using platform::PixelFormat;
using platform::Succeeded;

constexpr DDPixelLayout kLayoutArgb8888{16, 8, 0, 24, 255, 255, 255, 255};
constexpr DDPixelLayout kLayoutArgb1555{10, 5, 0, 15, 31, 31, 31, 1};
constexpr DDPixelLayout kLayoutRgb565{11, 5, 0, 16, 31, 63, 31, 0};

struct SetupError {
  int code;
  const char* name;
};
constexpr SetupError kSetupErrors[] = {
    {DDERR_CREATEEX, "CREATEEX_ERR"},
    {DDERR_SETCOOPLEVEL, "SETCOOPLEVEL_ERR"},
    {DDERR_SETDISPLAYMODE, "SETDISPLAYMODE_ERR"},
    {DDERR_CREATESURFACE, "CREATESURFACE_ERR"},
    {DDERR_GETATTACHEDSURFACE, "GETATTACHEDSURFACE_ERR"},
    {DDERR_CREATEPALETTE, "CREATEPALETTE_ERR"},
    {DDERR_SETPALETTE, "SETPALETTE_ERR"},
    {DDERR_CLIPPER, "CLIPPER_ERR"},
    {DDERR_SETHWND, "SETHWND_ERR"},
    {DDERR_SETCLIPPER, "SETCLIPPER_ERR"},
};

void HideCursor() {
  while (platform::ShowCursor(false) >= 0) {
  }
}

void ShowCursorAgain() {
  while (platform::ShowCursor(true) < 0) {
  }
}

void SetScreenRecordSizes(int nWidth, int nHeight) {
  for (DDSURFACEDATA* sd : {&SDPrimary, &SDBackBuffer, &SDWork}) {
    sd->nWidth = sd->nTexWidth = nWidth;
    sd->nHeight = sd->nTexHeight = nHeight;
  }
  SDPrimary.nDDMemory = 0;
  SDBackBuffer.nDDMemory = 0;
  SDWork.nDDMemory = 1;
}

// The palette the set-up gives the screen until the palette file is loaded.
void PlaceholderPalette(platform::PaletteEntry (&entries)[256], bool systemColoursExplicit) {
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<std::uint8_t>(i);
    const bool system = systemColoursExplicit && (i <= 9 || i >= 246);
    entries[i] = system ? platform::PaletteEntry{v, 0, 0, PC_EXPLICIT} : platform::PaletteEntry{v, v, 0, PC_RESERVED};
  }
}

// Step 4 of the Direct3D set-up for a window: the refresh rate is read, never changed.
void CheckWindowedRefreshRate() {
  if (lpD3D->AdapterDisplayMode().refreshRate != 60) LogMirror("ChangeDisplaySettings != DISP_CHANGE_SUCCESSFUL");
  const int rate = lpD3D->AdapterDisplayMode().refreshRate;
  LogMirror("RefreshRate : %d", rate);
  if (rate != 60) {
    DDVSync = 0;
    LogMirror("リフレッシュレートの変更に失敗しました！垂直同期が無効になります！");
  }
}

bool ChooseFormats(platform::PresentParams& params) {
  if (DDBpp == 32) {
    lpDTCon->BackBufferFormat = PixelFormat::Xrgb8888;
    lpDTCon->TextureFormat = PixelFormat::Argb8888;
    DDPixelFormat = kLayoutArgb8888;
  } else if (DDBpp == 16) {
    const bool windowed = DDWindowed == 1;
    lpDTCon->BackBufferFormat = windowed ? PixelFormat::Argb1555 : PixelFormat::Rgb565;
    lpDTCon->TextureFormat = PixelFormat::Argb1555;
    DDPixelFormat = kLayoutArgb1555;
    DDBackPixelFormat = windowed ? kLayoutArgb1555 : kLayoutRgb565;
  } else {
    return false;
  }
  params.backBufferFormat = lpDTCon->BackBufferFormat;
  return true;
}

bool CreateDevice(const platform::PresentParams& params) {
  platform::VideoResult result = lpD3D->CreateDevice(true, params, lpDevice);
  const bool hardware = Succeeded(result);
  if (!hardware) result = lpD3D->CreateDevice(false, params, lpDevice);
  LogMirror(hardware ? "Device HAL-HARD" : "Device HAL-SOFT");
  LogMirror("%s", platform::FormatInfo(params.backBufferFormat).name);
  lpDTCon->PresentParams = params;
  if (!Succeeded(result)) {
    ErrLog("CreateDevice Err");
    return false;
  }
  return true;
}

bool SetUpBackBufferRecord(int nWidth, int nHeight) {
  SDBackBuffer.AllocBackendPart();
  DTTEXTUREDATA& dt = *SDBackBuffer.lpDT;
  SDBackBuffer.nWidth = SDBackBuffer.nTexWidth = nWidth;
  SDBackBuffer.nHeight = SDBackBuffer.nTexHeight = nHeight;
  SDBackBuffer.nDDMemory = 0;
  DDCopyName(SDBackBuffer.szSurfaceType, "BackBuffer");
  dt.nMemoryType = DTMEMORYTYPE_VIDEO_RT;
  dt.lpSystemSurface.reset();
  dt.lpTexture.reset();
  dt.bColorKey = 0;
  dt.bRenderTarget = 1;
  dt.nTextureId = 0;
  const platform::VideoResult made = lpDevice->CreateVertexBuffer(4, platform::MemoryPool::Managed, dt.lpVB);
  if (!Succeeded(made)) {
    LogMirror("Back CreateVertexBuffer Err %x", platform::ResultCode(made));
    return false;
  }
  lpDevice->GetBackBuffer(dt.lpSurface);
  dt.Desc = {lpDTCon->BackBufferFormat, platform::MemoryPool::Default, dt.lpSurface->Width(), dt.lpSurface->Height()};
  return true;
}

void CreateScreenTextures(int nWidth, int nHeight) {
  SDVirBackBuffer.AllocBackendPart();
  DDSetVirtualBackBuffer(0);
  lpDTCon->bCopyMode = 0;
  DDCreateSurface(&SDVirBackBuffer, nWidth, nHeight, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  DDCopyName(SDVirBackBuffer.szSurfaceType, "VirBackBuffer");
  DDCreateSurface(&SDWorkSD, nWidth, nHeight, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  DDCopyName(SDWorkSD.szSurfaceType, "WorkSD");
}

void ReleaseTableRows() {
  for (int i = 0; DDTableRecords != nullptr && i < DDTableCount; ++i) DDReleaseSurface(&DDTableRecords[i]);
}

}  // namespace

bool DDInit(int nBackend, DDWindowHandle hWnd, int nWidth, int nHeight, int nBpp, int bVSync, int bWindowed,
            int nBackBufferMode, int nRefreshRate, int bSetRefresh, DDSURFACEDATA* lpRecords, const SurfaceDef* lpDefs,
            int nCount) {
  DDBackend = nBackend;
  DDhWnd = hWnd;
  DDWidth = nWidth;
  DDHeight = nHeight;
  DDBpp = nBpp;
  DDBytesPerPixel = nBpp / 8;
  DDVSync = bVSync;
  DDWindowed = bWindowed;
  DDBackBufferMode = nBackBufferMode;
  DDRefreshRate = nRefreshRate;
  DDSetRefresh = bSetRefresh;
  DDTableRecords = lpRecords;
  DDTableDefs = lpDefs;
  DDTableCount = nCount;
  LogMirror("VSync : %d", bVSync);

  if (nBackend == 1) {
    if (!D3DInitDevice(hWnd, nWidth, nHeight)) return false;
  } else {
    if (bWindowed == 0) {
      if (DDInitialised) DDRelease();
    } else {
      if (lpDD != nullptr) lpDD->RestoreDisplayMode();
      if (DDInitialised) DDUnInit();
    }
    DDAllocDDContext();
    const int code =
        bWindowed == 0 ? DDInitFullScreen(hWnd, nWidth, nHeight, nBpp, nBackBufferMode) : DDInitWindowed(hWnd);
    if (!DDErrorText(code)) return false;
  }
  DDInitialised = 1;
  return true;
}

bool D3DInitDevice(DDWindowHandle hWnd, int nWidth, int nHeight) {
  (void)hWnd;
  const int ddi = GetDdiVersion();
  if (ddi < 9) {
    LogMirror("ビデオカードのドライバがDirectX9をサポートしていません！ %d", ddi);
    return false;
  }
  lpD3D = platform::RenderSystem::Create();
  if (lpD3D == nullptr) {
    LogMirror("ビデオカードがDirectX9をサポートしていません！");
    return false;
  }
  DDAllocDTContext();

  platform::PresentParams params;
  if (DDWindowed == 1) {
    params.backBufferWidth = params.backBufferHeight = 0;
    params.refreshRate = 0;
    if (DDVSync) CheckWindowedRefreshRate();
  } else {
    params.backBufferWidth = nWidth;
    params.backBufferHeight = nHeight;
    params.refreshRate = 60;
  }
  params.vsync = DDVSync != 0;

  platform::RenderCaps caps;
  if (Succeeded(lpD3D->GetDeviceCaps(caps))) {
    lpDTCon->Caps = caps;
  } else {
    ErrLog("GetDeviceCaps Err");
  }
  params.swapEffect =
      lpDTCon->Caps.alphaFullScreenFlipOrDiscard ? platform::SwapEffect::Discard : platform::SwapEffect::Copy;
  lpDTCon->bPow2 = lpDTCon->Caps.powerOfTwoTextures;
  lpDTCon->bSquareOnly = lpDTCon->Caps.squareOnlyTextures;

  if (!ChooseFormats(params)) return false;
  params.backBufferCount = 1;
  params.windowed = DDWindowed == 1;
  params.lockableBackBuffer = true;
  if (!CreateDevice(params)) return false;

  D3DSetRenderStates();
  DDResetDiffuse();
  DDResetColorOp();
  DDResetAlphaOp();
  if (!SetUpBackBufferRecord(nWidth, nHeight)) return false;
  lpDTCon->nNextTextureId = 1;
  lpDTCon->nNextFontId = 0;
  CreateScreenTextures(nWidth, nHeight);
  if (DDWindowed != 1) HideCursor();
  return true;
}

void D3DSetRenderStates() {
  if (lpDevice == nullptr) return;
  // No culling and no depth test exist in the software device; blending is always on.
  lpDevice->SetBlendState({true, platform::BlendFactor::SrcAlpha, platform::BlendFactor::InvSrcAlpha});
  const platform::SamplerState wrapPoint{platform::AddressMode::Wrap, platform::AddressMode::Wrap};
  lpDevice->SetSamplerState(0, wrapPoint);
  lpDevice->SetSamplerState(1, wrapPoint);
}

int DDInitFullScreen(DDWindowHandle hWnd, int nWidth, int nHeight, int nBpp, int nBackBufferMode) {
  (void)hWnd;
  SetScreenRecordSizes(nWidth, nHeight);
  if (!Succeeded(platform::DrawDevice::Create(lpDD))) {
    LogMirror("DirectDrawCreateEx Err");
    return DDERR_CREATEEX;
  }
  if (!Succeeded(lpDD->SetCooperativeLevel(platform::CooperativeLevel::FullScreen))) {
    LogMirror("SetCooperativeLevel Err");
    return DDERR_SETCOOPLEVEL;
  }
  platform::VideoResult mode = lpDD->SetDisplayMode(nWidth, nHeight, nBpp, DDSetRefresh ? DDRefreshRate : 0);
  if (!Succeeded(mode) && DDSetRefresh) mode = lpDD->SetDisplayMode(nWidth, nHeight, nBpp, 0);
  if (!Succeeded(mode)) {
    LogMirror("SetDisplayMode Err");
    return DDERR_SETDISPLAYMODE;
  }
  SDPrimary.AllocBackendPart();
  if (!Succeeded(lpDD->CreatePrimary(nBackBufferMode == 1 ? 1 : 2, SDPrimary.lpDDraw->lpSurface))) {
    LogMirror("Primary CreateSurface Err");
    return DDERR_CREATESURFACE;
  }
  SDBackBuffer.AllocBackendPart();
  if (!Succeeded(SDPrimary.lpDDraw->lpSurface->GetAttachedBackBuffer(SDBackBuffer.lpDDraw->lpSurface))) {
    LogMirror("GetAttachedSurface Err");
    return DDERR_GETATTACHEDSURFACE;
  }
  if (!DDCreateSurface(&SDWork, nWidth, nHeight, 0, 1, 0, 0, 0)) return DDERR_CREATESURFACE;
  platform::PaletteEntry entries[256];
  PlaceholderPalette(entries, false);
  entries[0].blue = 255;
  if (!Succeeded(lpDD->CreatePalette(entries, lpDDPalette))) {
    LogMirror("CreatePalette Err");
    return DDERR_CREATEPALETTE;
  }
  if (nBpp <= 8) {
    if (!Succeeded(SDPrimary.lpDDraw->lpSurface->SetPalette(lpDDPalette))) {
      LogMirror("SetPalette Err");
      return DDERR_SETPALETTE;
    }
  } else {
    DDGetPixelMasks(&DDPixelFormat);
  }
  HideCursor();
  return 0;
}

int DDInitWindowed(DDWindowHandle hWnd) {
  DDClientRect = platform::WindowClientRect();
  SetScreenRecordSizes(DDClientRect.Width(), DDClientRect.Height());
  DDDesktopBpp = platform::CurrentDisplayMode().bitsPerPixel;
  if (!Succeeded(platform::DrawDevice::Create(lpDD))) {
    LogMirror("DirectDrawCreateEx Err");
    return DDERR_CREATEEX;
  }
  if (!Succeeded(lpDD->SetCooperativeLevel(platform::CooperativeLevel::Normal))) {
    LogMirror("SetCooperativeLevel Err");
    return DDERR_SETCOOPLEVEL;
  }
  SDPrimary.AllocBackendPart();
  if (!Succeeded(lpDD->CreatePrimary(0, SDPrimary.lpDDraw->lpSurface))) {
    LogMirror("Primary CreateSurface Err");
    return DDERR_CREATESURFACE;
  }
  if (!DDCreateSurface(&SDBackBuffer, DDClientRect.Width(), DDClientRect.Height(), 0, 0, 0, 0, 0) ||
      !DDCreateSurface(&SDWork, DDClientRect.Width(), DDClientRect.Height(), 0, 1, 0, 0, 0)) {
    return DDERR_CREATESURFACE;
  }
  platform::PaletteEntry entries[256];
  PlaceholderPalette(entries, true);
  if (!Succeeded(lpDD->CreatePalette(entries, lpDDPalette))) {
    LogMirror("CreatePalette Err");
    return DDERR_CREATEPALETTE;
  }
  if (DDDesktopBpp <= 8) {
    if (!Succeeded(SDPrimary.lpDDraw->lpSurface->SetPalette(lpDDPalette))) {
      LogMirror("SetPalette Err");
      return DDERR_SETPALETTE;
    }
  } else {
    DDGetPixelMasks(&DDPixelFormat);
  }
  if (!Succeeded(lpDD->CreateClipper(lpDDClipper))) {
    LogMirror("CreateClipper Err");
    return DDERR_CLIPPER;
  }
  if (!Succeeded(lpDDClipper->SetWindow(hWnd))) {
    LogMirror("SetHWnd Err");
    return DDERR_SETHWND;
  }
  if (!Succeeded(SDPrimary.lpDDraw->lpSurface->SetClipper(lpDDClipper))) {
    LogMirror("SetClipper Err");
    return DDERR_SETCLIPPER;
  }
  ShowCursorAgain();
  return 0;
}

void DDGetPixelMasks(DDPixelLayout* lpLayout) {
  if (lpDTCon != nullptr || lpLayout == nullptr) return;
  if (SDPrimary.lpDDraw == nullptr || SDPrimary.lpDDraw->lpSurface == nullptr) return;
  const platform::PixelMasks masks = platform::MasksOf(SDPrimary.lpDDraw->lpSurface->Format());
  const std::uint32_t channel[3] = {masks.red, masks.green, masks.blue};
  std::int32_t shift[3] = {};
  std::int32_t maximum[3] = {};
  for (int c = 0; c < 3; ++c) {
    for (int bit = 0; bit < masks.rgbBitCount; ++bit) {
      if ((channel[c] >> bit) & 1u) {
        shift[c] = bit;
        maximum[c] = static_cast<std::int32_t>(channel[c] >> bit);
        break;
      }
    }
  }
  *lpLayout = DDPixelLayout{shift[0], shift[1], shift[2], 0, maximum[0], maximum[1], maximum[2], 0};
}

void DDUnInit() {
  // Nothing presents or draws boxes through a library that is going away.
  DDRemoveDrawingLink();
  if (lpDD != nullptr) {
    ReleaseTableRows();
    lpDDClipper.reset();
    lpDDPalette.reset();
    DDReleaseSurface(&SDBackBuffer);
    DDReleaseSurface(&SDPrimary);
    DDReleaseSurface(&SDWork);
    const int stillHeld = lpDD->LiveObjects();
    lpDD.reset();
    if (stillHeld > 0) AppMessageBox("解放漏れがあります", "DirectDraw", BoxButtons::Ok, BoxIcon::Error);
  }
  // A DirectDraw set-up that failed before its device existed still leaves no context behind.
  DDFreeDDContext();
  if (lpD3D != nullptr) {
    ReleaseTableRows();
    DDReleaseSurface(&SDWorkSD);
    DDReleaseSurface(&SDVirBackBuffer);
    DDReleaseSurface(&SDBackBuffer);
    lpDevice.reset();
    lpD3D.reset();
  }
  DDFreeDTContext();
}

void DDRelease() { DDUnInit(); }

bool DDErrorText(int nCode) {
  for (const SetupError& error : kSetupErrors) {
    if (error.code == nCode) {
      ErrLog(error.name);
      return false;
    }
  }
  return true;
}
