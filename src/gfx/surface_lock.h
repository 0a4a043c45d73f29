#pragma once

#include "gfx/surface_data.h"

// Pixel access to a record, in whichever way its backend and kind need.
class cSurfaceLock {
 public:
  explicit cSurfaceLock(DDSURFACEDATA* lpSD);
  ~cSurfaceLock();
  cSurfaceLock(const cSurfaceLock&) = delete;
  cSurfaceLock& operator=(const cSurfaceLock&) = delete;

  DDSURFACEDATA* m_lpSD = nullptr;  // the locked record after alias and back-buffer redirection
  BYTE* m_lpBits = nullptr;         // null: nothing locked
  int m_nPitch = 0;                 // pixels per row
  int m_nBpp = 32;
  int m_nBytes = 4;
};

// What DDLock fills, as far as the library reads it.
struct DDSURFACEDESC2 {
  DWORD dwSize = 0;
  DWORD dwWidth = 0;
  DWORD dwHeight = 0;
  std::int32_t lPitch = 0;  // bytes
  void* lpSurface = nullptr;
};

bool DDLock(DDSURFACEDATA* lpSD, DDSURFACEDESC2* lpDesc, BYTE** lplpBits, int nBpp);
// Gives back what DDLock locked (DirectDraw).
void DDUnlock(DDSURFACEDATA* lpSD);
