#include "gfx/clip_blt.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gfx/dd_state.h"

namespace {

// One axis of a blit: destination position and extent, source position and extent.
struct Axis {
  int pos;
  int len;
  int spos;
  int slen;
};

// The 1:1 clip. A source span that starts before the source is cut there while the destination
// stays where it was asked to be: stored games were made with this behaviour.
void ClipUnstretched(Axis& a, int sourceSize, int targetSize) {
  int first = std::max(a.spos, 0);
  int last = std::min(a.spos + a.slen, sourceSize);
  if (a.pos < 0) {
    first += -a.pos;
    a.pos = 0;
  }
  if (a.pos + (last - first) > targetSize) last = first + targetSize - a.pos;
  a.spos = first;
  a.slen = a.len = last - first;
}

// The source span clamped to the source; the kept fraction is signed like the entry extent.
double ClampSpan(Axis& a, int sourceSize, bool ordered, int& first, int& last) {
  const int entry = a.slen;
  first = a.spos;
  last = a.spos + a.slen;
  if (ordered && last < first) std::swap(first, last);
  first = std::max(first, 0);
  last = std::min(last, sourceSize);
  return static_cast<double>(last - first) / entry;
}

void ClipStretchedD3D(Axis& a, int sourceSize) {
  int first = 0, last = 0;
  const double kept = ClampSpan(a, sourceSize, true, first, last);
  if (a.slen < 0) {
    a.spos = last;
    a.slen = -(last - first);
  } else {
    a.spos = first;
    a.slen = last - first;
  }
  a.len = static_cast<int>(std::fabs(kept) * a.len);
}

// False when the destination lies wholly outside.
bool ClipStretchedDD(Axis& a, int sourceSize, int targetSize) {
  int first = 0, last = 0;
  const double kept = ClampSpan(a, sourceSize, false, first, last);
  a.spos = first;
  a.slen = last - first;
  a.len = static_cast<int>(kept * a.len);
  if (a.pos < 0) {
    if (a.pos + a.len < 0 || a.len == 0) {
      a.len = 0;
      return false;
    }
    const int start = static_cast<int>(-static_cast<double>(a.pos) / a.len * a.slen + a.spos);
    a.slen -= start - a.spos;
    a.spos = start;
    a.len += a.pos;
    a.pos = 0;
  }
  if (a.pos + a.len > targetSize) {
    if (a.pos >= targetSize || a.len == 0) {
      a.len = 0;
      return false;
    }
    a.slen = static_cast<int>(static_cast<double>(targetSize - a.pos) / a.len * a.slen);
    a.len = targetSize - a.pos;
  }
  return true;
}

bool SameSign(int entry, int now) { return entry < 0 ? now < 0 : now > 0; }

void MirrorAxis(int cell, int* s, int* len) {
  if (cell <= 0) return;
  if (*len == cell) {
    *s += cell;
    *len = -cell;
  } else if (*len < cell) {
    *s = *s + cell - 2 * (*s % cell);
    *len = -*len;
  }
}

}  // namespace

int DDClipBlt(DDSURFACEDATA* lpDst, int* x, int* y, int* w, int* h, DDSURFACEDATA* lpSrc, int* sx, int* sy, int* sw,
              int* sh) {
  if (*w <= 0 || *h <= 0 || *sw == 0 || *sh == 0) return 0;
  const int entrySw = *sw, entrySh = *sh;
  Axis ax{*x, *w, *sx, *sw};
  Axis ay{*y, *h, *sy, *sh};
  bool inside = true;
  if (*sw == *w && *sh == *h) {
    ClipUnstretched(ax, lpSrc->nWidth, lpDst->nWidth);
    ClipUnstretched(ay, lpSrc->nHeight, lpDst->nHeight);
  } else if (lpDTCon != nullptr) {
    ClipStretchedD3D(ax, lpSrc->nWidth);
    ClipStretchedD3D(ay, lpSrc->nHeight);
  } else {
    inside = ClipStretchedDD(ax, lpSrc->nWidth, lpDst->nWidth) && ClipStretchedDD(ay, lpSrc->nHeight, lpDst->nHeight);
  }
  *x = ax.pos;
  *w = ax.len;
  *sx = ax.spos;
  *sw = ax.slen;
  *y = ay.pos;
  *h = ay.len;
  *sy = ay.spos;
  *sh = ay.slen;
  if (!inside) return 0;
  return SameSign(entrySw, *sw) && SameSign(entrySh, *sh) && *w > 0 && *h > 0 ? 1 : 0;
}

void DDMirrorCellRect(DDSURFACEDATA* lpSrc, int* sx, int* sy, int* sw, int* sh) {
  if (lpSrc == nullptr || lpSrc->lpAliasSrc == nullptr) return;
  MirrorAxis(lpSrc->nMirrorWidth, sx, sw);
  MirrorAxis(lpSrc->nMirrorHeight, sy, sh);
}
