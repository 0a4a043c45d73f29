#include "gfx/dd_present.h"

#include <algorithm>
#include <vector>

#include "core/report_log.h"
#include "core/timing.h"
#include "gfx/core_blit.h"
#include "gfx/dd_init.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/font.h"
#include "gfx/game_fonts.h"
#include "gfx/render_target.h"
#include "gfx/surface_reload.h"
#include "platform/clock.h"
#include "platform/video/frame_mailbox.h"
#include "platform/worker_thread.h"

namespace {

using platform::Succeeded;
using platform::VideoResult;

// A display that stops showing frames (a hidden window) holds a frame up at most this long.
constexpr std::uint32_t kShowWaitLimitMs = 100;

bool HasFile(const DDSURFACEDATA& sd) { return sd.szFileName[0] != '\0' && !DDNameIs(sd.szFileName, "E"); }

void ReleaseDeviceTextures() {
  for (DDSURFACEDATA* sd : SurfaceList) {
    if (sd->lpDT == nullptr || sd->lpDT->nMemoryType == DTMEMORYTYPE_SYSTEM) continue;
    sd->lpDT->lpTexture.reset();
    sd->lpDT->lpSurface.reset();
  }
  // The device's own references to what was released go too: the back buffer becomes the
  // render target for the reset.
  lpDevice->SetTexture(nullptr);
  lpDevice->SetStreamSource(nullptr);
  lpDevice->SetIndices(nullptr);
  if (SDBackBuffer.lpDT != nullptr && SDBackBuffer.lpDT->lpSurface != nullptr) {
    lpDevice->SetRenderTarget(SDBackBuffer.lpDT->lpSurface);
    SDBackBuffer.lpDT->lpSurface.reset();
  }
}

void RebuildTextures() {
  // Recreation may add records to the list (temporary ones); the walk uses the list as it was.
  const std::vector<DDSURFACEDATA*> records(SurfaceList.begin(), SurfaceList.end());
  int i = 0;
  for (DDSURFACEDATA* sd : records) {
    ErrLog(Format("i = %d lpSD->szSurfaceType = %s lpSD->szFileName = %s Size = (%d,%d)", i, sd->szSurfaceType,
                  sd->szFileName, sd->nWidth, sd->nHeight));
    ++i;
    if (sd->lpDT == nullptr) continue;
    const DTTEXTUREDATA& dt = *sd->lpDT;
    const int alias = sd->lpAliasSrc != nullptr ? 1 : 0;
    if (HasFile(*sd)) {
      char name[kDDNameSize];
      std::copy(std::begin(sd->szFileName), std::end(sd->szFileName), std::begin(name));
      if (DDCreateSurfaceFromFile(sd, name, dt.bColorKey, DDBpp, sd->nDDMemory, dt.nMemoryType, alias, 0,
                                  sd->nMirrorWidth, sd->nMirrorHeight, 1) != 0) {
        ErrLog("Err");
      }
    } else {
      if (!DDCreateSurface(sd, sd->nWidth, sd->nHeight, dt.bColorKey, sd->nDDMemory, dt.nMemoryType, alias, 1)) {
        ErrLog("Err");
      }
      sd->bLost = 1;
    }
  }
}

platform::DrawSurface* DrawSurfaceOf(DDSURFACEDATA& sd) {
  return sd.lpDDraw != nullptr ? sd.lpDDraw->lpSurface.get() : nullptr;
}

// Fonts, then the digit sheets drawn with them.
void RestoreFonts() {
  const std::vector<Font*> fonts = FontList;
  for (Font* font : fonts) font->Restore();
  DDRedrawLostNumberSheets();
}

}  // namespace

int DDFlip(int nFps, int a, int b) {
  (void)a;
  (void)b;
  if (lpDTCon == nullptr || lpDevice == nullptr) return 1;
  if (lpDTCon->bVirtualBackBuffer) DDCopyVirtualBackBuffer(&SDBackBuffer, &SDVirBackBuffer);
  // The limiter paces every frame, also with vertical sync on: a presenter that only claims
  // vsync (or a display faster than the game) must not run the game faster than its rate.
  while (!FpsLimiter(nFps)) {
    if (!platform::SleepOrStop(1)) break;
  }
  DDEndScene();
  // A lost device in full screen would be minimised here; the presenter's window is never
  // taken away from this program, so there is nothing to hide.
  if (lpDevice->Present() == VideoResult::DeviceLost) return 0;
  platform::FrameMailbox& frames = platform::PresentedFrames();
  // With vertical sync the frame is on the screen before the next one is drawn.
  if (DDVSync && frames.DisplayPaced()) frames.WaitShown(frames.PostedCount(), kShowWaitLimitMs);
  return 1;
}

int DDRestoreSurface() {
  ErrLog("Restore In");
  if (lpDTCon == nullptr || lpDevice == nullptr) {
    ErrLog("DDではDDRestoreSurfaceは未対応");
    return 1;
  }
  ReleaseDeviceTextures();
  for (std::size_t i = 0; i < FontList.size(); ++i) {
    ErrLog(Format("Font i = %d", static_cast<int>(i)));
    Font& font = *FontList[i];
    if (font.lpFont != nullptr) {
      const VideoResult lost = font.lpFont->OnLostDevice();
      if (!Succeeded(lost)) ErrLog(Format("lpFont->OnLostDevice hr = %d", static_cast<int>(lost)));
    }
    if (font.m_lpSprite != nullptr) {
      const VideoResult lost = font.m_lpSprite->OnLostDevice();
      if (!Succeeded(lost)) ErrLog(Format("lpFont->OnLostDevice hr = %d", static_cast<int>(lost)));
    }
  }
  ErrLog("a-");
  if (lpDevice->TestCooperativeLevel() != VideoResult::DeviceNotReset) {
    ErrLog("復旧失敗…リセット可能な状態ではありません…");
    return 0;
  }
  ErrLog("a");
  if (!Succeeded(lpDevice->Reset(lpDTCon->PresentParams))) return 0;
  // A reset device is outside any scene; the fonts' redraw below begins its own.
  lpDTCon->bInScene = 0;
  D3DSetRenderStates();
  if (SDBackBuffer.lpDT != nullptr) lpDevice->GetBackBuffer(SDBackBuffer.lpDT->lpSurface);
  RebuildTextures();
  if (lpDTCon->lpRestRT != nullptr) DDSetRenderTarget(0, lpDTCon->lpRestRT);
  RestoreFonts();
  ErrLog("Restore Out");
  return 1;
}

bool DDRestore() {
  if (lpDTCon != nullptr) {
    ErrLog("D3DではDDRestoreは未対応");
    return true;
  }
  platform::DrawSurface* primary = DrawSurfaceOf(SDPrimary);
  if (primary == nullptr || !primary->IsLost()) return true;
  primary->Restore();
  if (platform::DrawSurface* back = DrawSurfaceOf(SDBackBuffer); back != nullptr && back->IsLost()) back->Restore();
  for (int i = 0; i < DDTableCount && DDTableRecords != nullptr; ++i) {
    DDSURFACEDATA& sd = DDTableRecords[i];
    platform::DrawSurface* surface = DrawSurfaceOf(sd);
    if (surface == nullptr || !surface->IsLost()) continue;
    surface->Restore();
    if (sd.nDDMemory != 0) continue;
    if (HasFile(sd)) {
      DDReloadSurface(&sd, DDBpp);
    } else {
      sd.bLost = 1;
    }
  }
  if (DDBpp == 8 && lpDDPalette != nullptr) {
    platform::PaletteEntry entries[256];
    for (int i = 0; i < 256; ++i) {
      const PALETTEENTRY& e = DDPaletteSaved[i];
      entries[i] = {e.peRed, e.peGreen, e.peBlue, e.peFlags};
    }
    lpDDPalette->SetEntries(0, 256, entries);
  }
  for (DDSURFACEDATA& sheet : NumberSheets) {
    platform::DrawSurface* surface = DrawSurfaceOf(sheet);
    if (surface == nullptr || !surface->IsLost()) continue;
    surface->Restore();
    sheet.bLost = 1;
  }
  RestoreFonts();
  return true;
}

void DDPresentDirectDraw() {
  platform::DrawSurface* primary = DrawSurfaceOf(SDPrimary);
  platform::DrawSurface* back = DrawSurfaceOf(SDBackBuffer);
  if (primary == nullptr || back == nullptr) return;
  if (DDWindowed) {
    const platform::PixelRect to = DDClientRect;
    primary->Blt(&to, back, nullptr, platform::kBltWait);
    return;
  }
  DDBlt(&SDPrimary, 0, 0, 640, 480, &SDBackBuffer, 0, 0, 0);
}
