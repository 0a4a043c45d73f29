#pragma once

// Whether the DirectDraw present copies the back buffer instead of flipping: always in a
// window, and in full screen when flipping would not keep the frame rate's pace (vertical
// sync off, or a monitor slower than the frame rate).
inline int DecideNoFlip(bool windowed, int vsync, int monitorHz, int frameRate) {
  if (windowed) return 1;
  return vsync == 0 || monitorHz < frameRate ? 1 : 0;
}
