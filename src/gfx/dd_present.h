#pragma once

// Closing the frame, and keeping the screen alive through device and surface loss.

// 0 when the Direct3D device is lost (the main thread must then recover it), else 1.
int DDFlip(int nFps, int a, int b);
// The Direct3D device recovery (main thread, while the game thread waits): 1 done or nothing
// to do, 0 when the device cannot be reset yet.
int DDRestoreSurface();
// The DirectDraw surface recovery (game thread).
bool DDRestore();
// The DirectDraw present of the frame step: the back buffer onto the primary.
void DDPresentDirectDraw();
