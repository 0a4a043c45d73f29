#pragma once

#include "gfx/surface_data.h"

// The Direct3D frame bracket, render targets, the virtual back buffer, aliases and the draw
// state (the parts the set-up, the surfaces and the fills rely on).

int DDBeginScene();
void DDEndScene();
int DDSetRenderTarget(int nIndex, DDSURFACEDATA* lpSD);
void DDSetVirtualBackBuffer(int bOn);
int DDRedirectBackBuffer(DDSURFACEDATA** lplpSD);
void DDCopyVirtualBackBuffer(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc);
void DDResolveAlias(DDSURFACEDATA** lplpSD);

void DDSetDiffuse(D3DCOLOR dwColor);
void DDSetColorOp(D3DTEXTUREOP nOp);
void DDSetAlphaOp(D3DTEXTUREOP nOp);
void DDResetDiffuse();
void DDResetColorOp();
void DDResetAlphaOp();

// The four vertices of a quad on a target rectangle, as the library lays them out: corners at
// half-pixel offsets in strip order top left, bottom left, top right, bottom right.
void DDQuadVertices(DTVERTEX* lpV, int x, int y, int nWidth, int nHeight, D3DCOLOR dwDiffuse, float uL, float vT,
                    float uR, float vB);
