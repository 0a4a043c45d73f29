#pragma once

#include <memory>
#include <vector>

#include "gfx/surface_data.h"

// The Direct3D sprite batch: quads queued between DDBeginBatch and DDFlushBatch and drawn in
// runs of equal state, in submission order or, in layer mode, by registered source.

struct DTSPRITEDATA {
  std::int32_t nKey = 0;
  DDSURFACEDATA* lpDst = nullptr;
  DDSURFACEDATA* lpSrc = nullptr;
  int x = 0, y = 0, w = 0, h = 0;
  int sx = 0, sy = 0, sw = 0, sh = 0;
  int nFlags = 0;
  D3DCOLOR dwDiffuse = 0;
  D3DTEXTUREOP nColorOp = 0;
  D3DTEXTUREOP nAlphaOp = 0;
  std::int32_t nReserved = 0;
};

struct DTBATCHLAYER {
  DDSURFACEDATA* lpSrc = nullptr;
  std::int32_t nKeyBase = 0;
};

// Sprites per layer before keys of two layers could meet.
constexpr std::int32_t kDDLayerKeyStep = 100000;

struct DTSPRITEBATCH {
  std::int32_t bOpen = 0;
  std::vector<DTSPRITEDATA> Queue;
  std::vector<DTVERTEX> Staging;
  std::shared_ptr<platform::VertexBuffer> lpVB;
  std::shared_ptr<platform::IndexBuffer> lpIB;
  std::int32_t nSequence = 0;
  std::int32_t nMode = 0;
  std::vector<DTBATCHLAYER> Layers;
};

extern DTSPRITEBATCH DDSpriteBatch;

void DDBeginBatch(int nMode);
void DDBatchAddLayer(DDSURFACEDATA* lpSrc);
void DDFlushBatch();
// Queues a clipped quad with the current draw state (the core blit, while the batch is open).
void DDBatchQueue(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int x, int y, int w, int h, int sx, int sy, int sw,
                  int sh, int nFlags);
