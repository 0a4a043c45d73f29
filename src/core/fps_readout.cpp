#include "core/fps_readout.h"

#include "core/format.h"

cFpsReadout FpsReadout;

void cFpsReadout::Record(int frameMs) {
  Ring[Index] = frameMs;
  if (++Index < kRingSize) return;
  Index = 0;
  int sum = 0;
  for (int time : Ring) sum += time;
  Average = sum >> 4;
}

std::string cFpsReadout::Text() const { return Format("FPS%2d(%2d)", Fps, Average); }

FpsTextLayout FpsLayout(int showFps) {
  if (showFps == 2) return FpsTextLayout{0, 549, 469, false};
  return FpsTextLayout{1, 495, 463, true};
}
