#include "gfx/frame_blit.h"

#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/fill_batch.h"

void DDFrameRect(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int t, int n) {
  DDBeginFillBatch();
  const auto colour = static_cast<DWORD>(n);
  DDFillRect(lpDst, x, y, w, t, colour);
  DDFillRect(lpDst, x, y + h - t, w, t, colour);
  DDFillRect(lpDst, x, y, t, h, colour);
  DDFillRect(lpDst, x + w - t, y, t, h, colour);
  DDFlushFillBatch();
}

void DDBltFrame(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int t, int n) {
  DDBlt(lpDst, x, y, w, h, lpSrc, 0, 0, DDBLT_OPAQUE);
  DDFrameRect(lpDst, x - t, y - t, w + 2 * t, h + 2 * t, t, n);
}

void DDDrawNumber(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpStrip, int sx, int sy, int nFlags,
                  int nValue, int nMinDigits, int bCenter) {
  if (nValue < 0) nValue = 0;
  int digits[10];
  int count = 0;
  do {
    digits[count++] = nValue % 10;
    nValue /= 10;
  } while (nValue != 0 && count < 10);
  int offset = 0;
  if (count < nMinDigits) {
    offset = (nMinDigits - count) * w;
    if (bCenter) offset /= 2;
  }
  for (int i = 0; i < count; ++i) {
    const int d = digits[count - 1 - i];
    DDBlt(lpDst, x + offset + i * w, y, w, h, lpStrip, sx + d * w, sy, nFlags);
  }
}
