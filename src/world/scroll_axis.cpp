#include "world/scroll_axis.h"

#include <algorithm>

void cScrollAxis::Clamp(int /*ignored*/) {
  if (nClampStart > dPos) {
    dPos = nClampStart;
    bAtEdge = 1;
  } else if (dPos + nView < nClampEnd) {
    bAtEdge = 0;
  } else {
    // The far end counts as an edge even when the camera only just reaches it.
    dPos = nClampEnd - nView;
    bAtEdge = 1;
    if (dPos < nClampStart) dPos = nClampStart;
  }
}

void cScrollAxis::StepAuto() {
  dPos += dAutoSpeed;
  Clamp();
}

void cScrollAxis::SetAutoScroll(int on, int value, double subSteps) {
  nAutoOn = on != 0 ? 1 : 0;
  dAutoSpeed = on != 0 && subSteps != 0.0 ? value * 0.1 / subSteps : 0.0;
}

void cScrollAxis::SetRange(int first, int second, int firstOn, int secondOn) {
  nClampStart = firstOn != 0 ? nAreaStart + first * 32 : nAreaStart;
  nClampEnd = secondOn != 0 ? std::max(nAreaStart + (second + 1) * 32, nClampStart) : nAreaEnd;
}
