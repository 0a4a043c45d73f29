#pragma once

#include "gfx/core_blit.h"
#include "world/graphic_ref.h"

struct DDSURFACEDATA;
class cCharaBase;

// Where a character's picture is drawn from for one frame: its cell, or, when drawn scaled, a
// work copy at the drawn size.
struct CharaPictureSource {
  DDSURFACEDATA* surface = nullptr;
  int sx = 0, sy = 0;
  int w = 0, h = 0;  // the drawn picture size
  DDSURFACEDATA* second = nullptr;  // the other facing's sheet, for the card turn
  int cellX = 0, cellY = 0, cellSize = 32;
  bool scaled = false;
  int k = 1;
  int m = 1;  // the cell multiplier
  DDSURFACEDATA* sheet = nullptr;  // the cell's own sheet, also when drawn from a work copy
  // A tinted picture's draw state: baked into the work copy when drawn scaled, else set
  // around the effect's blits.
  bool hasState = false;
  DTDRAWSTATE state;
};

CharaPictureSource MakePictureSource(cCharaBase& c, int frame);
// One frame of the character's draw effect, drawn at its screen rectangle when draw is set;
// true when the effect has ended.
bool RunCharaEffect(cCharaBase& c, DDSURFACEDATA* target, const CharaPictureSource& source, bool paused, bool draw);
// The same with the picture's draw state set around it when the state is not in a work copy.
bool RunCharaEffectWithState(cCharaBase& c, DDSURFACEDATA* target, const CharaPictureSource& source, bool paused);
