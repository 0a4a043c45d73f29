#pragma once

#include <cstdint>

// One axis of the camera and of the block map's geometry.
class cScrollAxis {
 public:
  void Clamp(int ignored = 0);
  void StepAuto();
  // value in tenths of a pixel per frame; subSteps the sub-steps per frame.
  void SetAutoScroll(int on, int value, double subSteps);
  void SetRange(int first, int second, int firstOn, int secondOn);
  // The auto speed when it counts: scrolling by itself and not held at an edge.
  double CountedAutoSpeed() const { return nAutoOn != 0 && bAtEdge == 0 ? dAutoSpeed : 0.0; }

  double dPos = 0.0;
  std::int32_t bAtEdge = 0;
  std::int32_t nAxis = 0;
  std::int32_t nView = 640;
  std::int32_t nClampStart = 0;
  std::int32_t nClampEnd = 0;
  std::int32_t nAreaStart = 320;
  std::int32_t nAreaEnd = 320;
  std::int32_t nMargin = 10;
  std::int32_t nMapPixels = 640;
  std::int32_t nMapBlocks = 20;
  std::int32_t nStride = 32;
  std::int32_t nShift = 5;
  double dAutoSpeed = 0.0;
  std::int32_t nAutoOn = 0;
};
