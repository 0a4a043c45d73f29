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

// One frame of a defeated character's display; 1 when it is over. A computer character's
// ends with its effect (at once without one); the hero's a frame rate of frames after it.
int DeathDisplayStep(cCharaBase& c, DDSURFACEDATA* target, bool paused, int frameRate);

// The animated HP and SP change bars over a character.
void DrawHpGauge(cCharaBase& c, DDSURFACEDATA* target);
void DrawSpGauge(cCharaBase& c, DDSURFACEDATA* target);

class cChara;
class cEdBlock;

// A block definition's picture at (x, y) with the colour key, and its overlay tile.
void DrawBlockIcon(const cEdBlock& block, DDSURFACEDATA* target, int x, int y);

// A graphic at half size (16 x 16) from the twin sheets; items from the mini item sheet.
void DrawMiniIcon(DDSURFACEDATA* target, int x, int y, int kind, int picture, int pose);

// The icon of the item a character holds, above it during frames 64 to 95 of every 96;
// true when drawn this call.
bool DrawHeldItemIcon(cChara& c, DDSURFACEDATA* target);
