#include "gfx/surface_lock.h"

#include "core/message_boxes.h"
#include "core/report_log.h"
#include "gfx/dd_state.h"
#include "gfx/render_target.h"

namespace {

using platform::Succeeded;

bool IsShadowedRenderTarget(const DDSURFACEDATA* lpSD) {
  return lpSD != &SDBackBuffer && lpSD->lpDT->bRenderTarget && lpSD->lpDT->lpSystemSurface != nullptr;
}

}  // namespace

cSurfaceLock::cSurfaceLock(DDSURFACEDATA* lpSD) {
  if (lpDTCon != nullptr) {
    DDResolveAlias(&lpSD);
    DDRedirectBackBuffer(&lpSD);
  }
  m_nBpp = DDBpp;
  m_nBytes = DDBpp / 8;
  if (lpSD == nullptr || m_nBytes == 0) return;
  m_lpSD = lpSD;
  platform::LockedRect locked;
  if (lpDTCon != nullptr) {
    DTTEXTUREDATA* dt = lpSD->lpDT;
    if (dt == nullptr || dt->lpSurface == nullptr) {
      DebugBoxF("FAILED( lpSD->lpDT->lpSurface->LockRect(&(lock), NULL, 0) )");
      return;
    }
    if (IsShadowedRenderTarget(lpSD)) {
      if (!Succeeded(lpDevice->GetRenderTargetData(*dt->lpSurface, *dt->lpSystemSurface))) {
        ErrLog("FAILED( lpDevice->GetRenderTargetData(lpSD->lpDT->lpSurface,lpSD->lpDT->lpSystemSurface) )");
        return;
      }
      if (!Succeeded(dt->lpSystemSurface->Lock(locked))) {
        ErrLog("FAILED( lpSD->lpDT->lpSystemSurface->LockRect(&lock, NULL, 0) )");
        return;
      }
    } else if (!Succeeded(dt->lpSurface->Lock(locked))) {
      DebugBoxF("FAILED( lpSD->lpDT->lpSurface->LockRect(&(lock), NULL, 0) )");
      return;
    }
  } else {
    DDSURFACEDESC2 desc;
    BYTE* bits = nullptr;
    if (!DDLock(lpSD, &desc, &bits, DDBpp) || bits == nullptr) return;
    locked.bits = bits;
    locked.pitch = desc.lPitch;
  }
  m_lpBits = locked.bits;
  m_nPitch = locked.pitch / m_nBytes;
}

cSurfaceLock::~cSurfaceLock() {
  if (m_lpSD == nullptr) return;
  if (lpDTCon != nullptr) {
    DTTEXTUREDATA* dt = m_lpSD->lpDT;
    if (dt != nullptr && dt->lpSurface != nullptr) {
      if (m_lpSD == &SDBackBuffer) {
        if (!Succeeded(dt->lpSurface->Unlock())) ErrLog("Back :: D3D_OK != m_lpSD->lpDT->lpSurface->UnlockRect();");
      } else if (IsShadowedRenderTarget(m_lpSD)) {
        if (!Succeeded(dt->lpSystemSurface->Unlock())) {
          ErrLog("D3D_OK != m_lpSD->lpDT->lpSystemSurface->UnlockRect();");
        } else if (!Succeeded(lpDevice->UpdateSurface(*dt->lpSystemSurface, *dt->lpSurface))) {
          DebugBoxF(
              "FAILED( lpDevice->UpdateSurface(m_lpSD->lpDT->lpSystemSurface, NULL, m_lpSD->lpDT->lpSurface, NULL)");
        }
      } else if (!Succeeded(dt->lpSurface->Unlock())) {
        ErrLog("D3D_OK != m_lpSD->lpDT->lpSurface->UnlockRect();");
      }
    }
  } else {
    DDUnlock(m_lpSD);
  }
  m_lpSD = nullptr;
  m_lpBits = nullptr;
}

bool DDLock(DDSURFACEDATA* lpSD, DDSURFACEDESC2* lpDesc, BYTE** lplpBits, int nBpp) {
  if (lplpBits != nullptr) *lplpBits = nullptr;
  if (lpDTCon != nullptr) {
    ErrLogf("D3DではDDLockは未対応");
    return true;
  }
  if (lpSD == nullptr || lpSD->lpDDraw == nullptr || lpSD->lpDDraw->lpSurface == nullptr || lpDesc == nullptr) {
    return false;
  }
  lpDesc->dwSize = 124;
  platform::LockedRect locked;
  platform::DrawSurface& surface = *lpSD->lpDDraw->lpSurface;
  if (!Succeeded(surface.Lock(locked))) return false;
  lpDesc->dwWidth = static_cast<DWORD>(surface.Width());
  lpDesc->dwHeight = static_cast<DWORD>(surface.Height());
  lpDesc->lPitch = locked.pitch;
  lpDesc->lpSurface = locked.bits;
  if ((nBpp == 8 || nBpp == 16 || nBpp == 24 || nBpp == 32) && lplpBits != nullptr) *lplpBits = locked.bits;
  return true;
}

void DDUnlock(DDSURFACEDATA* lpSD) {
  if (lpSD != nullptr && lpSD->lpDDraw != nullptr && lpSD->lpDDraw->lpSurface != nullptr) {
    lpSD->lpDDraw->lpSurface->Unlock();
  }
}
