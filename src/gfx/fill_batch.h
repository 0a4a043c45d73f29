#pragma once

#include <memory>
#include <vector>

#include "gfx/surface_data.h"

// The Direct3D batch of coloured rectangles.
struct FillRecord {
  DDSURFACEDATA* lpSD = nullptr;
  int x = 0;
  int y = 0;
  int nWidth = 0;
  int nHeight = 0;
  D3DCOLOR dwColor = 0;
};

struct DDFILLBATCH {
  int bOpen = 0;
  std::vector<FillRecord> Queue;
  std::vector<DTVERTEX> Vertices;
  std::shared_ptr<platform::VertexBuffer> lpVB;
  std::shared_ptr<platform::IndexBuffer> lpIB;
};

extern DDFILLBATCH DDFillBatch;

void DDBeginFillBatch();
void DDFlushFillBatch();
