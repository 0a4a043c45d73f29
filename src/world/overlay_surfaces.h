#pragma once

// Surface-table rows the character drawing takes by backend: the overlay tiles chosen at play
// start, and a shot's row.
struct OverlaySurfaces {
  int markRow = 44;
  int workRow = 68;
  int thirdRow = 70;
};

OverlaySurfaces SelectOverlaySurfaces();

// The row to draw a shot from: with DirectDraw the twin row 18 further on stands in for a
// missing normal surface, and a mirrored shot takes it when it exists.
int ShotSurfaceIndex(int row, bool mirrored);
