#pragma once

struct DDSURFACEDATA;
class cCharaBase;

// Draws one character at its place on screen: the picture of its current frame with the
// colour key (stretched for a giant), then its overlay tile. The drawing of the draw effects
// comes with the effect drawing: until then a running effect keeps time and the picture is
// drawn plainly.
void DrawCharaPicture(cCharaBase& c, DDSURFACEDATA* target, bool paused);

// The running effect's frame without drawing; the effect is cleared when it ends.
void StepCharaEffect(cCharaBase& c, bool paused);
