#pragma once

#include <cstdint>

#include "gfx/anime_player.h"

struct DDSURFACEDATA;
#include "world/hit_box.h"

// A running animated effect of the database at a place on the field. Its drawing comes with
// the play-field drawing; this is its state and its frames.
class cEffectObj {
 public:
  void Init(int index, double x, double y, int width, int height, int stepAlways);
  // An impact effect centred on the overlap of two boxes, jittered by up to 4 × scale pixels
  // (the jitter draws on the game's generator).
  void InitAtOverlap(int index, const WorldBox& a, const WorldBox& b, int scale);
  // One frame of its animation; true when it is over.
  bool Step(bool step);
  // Draws the current frame (stepping it when asked or always); 1 when the effect is over.
  int Draw(DDSURFACEDATA* target, bool step);

  std::int32_t nIndex = 0;
  double x = 0, y = 0;
  std::int32_t nWidth = 0, nHeight = 0;
  std::int32_t bScaled = 0;
  cAnimePlayer Anime;
  std::int32_t bStepAlways = 0;

 private:
  void LoadFrames();
};
