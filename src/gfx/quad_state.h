#pragma once

#include "gfx/surface_data.h"

// What an immediate quad and a batch run share: the quad's vertices, the texture stage and the
// clear of keyed sources drawn opaque.

// The quad of a target rectangle and a source rectangle (which may be mirrored), with texture
// coordinates over the source's texture size.
void DDWriteSpriteQuad(DTVERTEX* lpV, DDSURFACEDATA* lpSrc, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                       D3DCOLOR dwDiffuse);
// Stage 0: the given operations over the texture and the diffuse colour, with the texture set.
void DDSetQuadStage(D3DTEXTUREOP nColorOp, D3DTEXTUREOP nAlphaOp, DDSURFACEDATA* lpSrc);
// An opaque draw of a keyed source leaves the transparent colour where the source is
// transparent: the target rectangle is cleared to it first. The render target must be set.
void DDKeyClear(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int nFlags, int x, int y, int w, int h);
