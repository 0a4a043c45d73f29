#pragma once

class cFlowActor;

// The top-left corner, in stage dots, of a display object of that size placed by the effect
// and picture commands' position modes: 0 the screen's centre, 1 the character's centre, 2 the
// hero's, 3 screen coordinates in blocks, 4 stage coordinates in blocks counted from the first
// playable cell; each moved by the offset. Another mode leaves x and y as they are.
void DisplayPosition(double& x, double& y, int width, int height, cFlowActor& chara, int mode, int cellX, int cellY,
                     int offsetX, int offsetY);
