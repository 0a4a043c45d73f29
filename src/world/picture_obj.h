#pragma once

#include <cstdint>

struct DDSURFACEDATA;

// A still picture placed by the picture command, drawn in its layer.
class cPictureObj {
 public:
  void Init(int picture, double x, double y, int width, int height, int screenFixed, int layer, int sizePercent,
            int durationKind, int time, int countWhenPaused, int extra1, int extra2);
  // 1 when its time is over.
  int Draw(DDSURFACEDATA* target, DDSURFACEDATA* picture, bool paused);

  std::int32_t nPicture = 0;
  double x = 0, y = 0;
  std::int32_t nWidth = 0, nHeight = 0;
  std::int32_t bStretched = 0;
  std::int32_t nLayer = 0;
  std::int32_t nDurationKind = 0;
  std::int32_t nTimeLeft = 0;
  std::int32_t bCountWhenPaused = 0;
  std::int32_t bScreenFixed = 0;
  std::int32_t bFixed = 0, nFixedX = 0, nFixedY = 0;
  std::int32_t nExtra1 = 0, nExtra2 = 0;
  std::int32_t nDrawnX = 0, nDrawnY = 0;  // where the last draw put it
};
