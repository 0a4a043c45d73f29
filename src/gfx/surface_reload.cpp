#include "gfx/surface_reload.h"

#include "gfx/bitmap_copy.h"
#include "gfx/bitmap_file.h"
#include "gfx/dd_state.h"

bool DDReloadSurface(DDSURFACEDATA* lpSD, int nBpp) {
  if (lpDTCon != nullptr) return true;
  if (lpSD == nullptr) return false;
  const bool indexMap = lpSD->lpDDraw != nullptr && !lpSD->lpDDraw->IndexMap.empty();
  // The name is copied: the copy writes the record's own file name field.
  char name[kDDNameSize];
  std::copy(std::begin(lpSD->szFileName), std::end(lpSD->szFileName), std::begin(name));
  return CopyBitmap(lpSD, name, nBpp, indexMap ? 1 : 0, lpSD->nMirrorWidth, lpSD->nMirrorHeight);
}

int DDBitmapTooLarge(int* lpFlag, const char* szFileName, int nWidthLimit, int nHeightLimit) {
  if (lpDTCon != nullptr) return 1;
  platform::BmpImage bitmap;
  if (!DDLoadBitmapFile(szFileName, bitmap)) {
    if (lpFlag != nullptr) *lpFlag = 0;
    return 0;
  }
  if (lpFlag != nullptr) *lpFlag = bitmap.width > nWidthLimit || bitmap.height > nHeightLimit ? 1 : 0;
  return 1;
}
