#include "gfx/fill_batch.h"

#include <cstring>

#include "core/report_log.h"
#include "gfx/dd_state.h"
#include "gfx/render_target.h"

DDFILLBATCH DDFillBatch;

namespace {

using platform::MemoryPool;
using platform::Succeeded;

void ReleaseBuffers() {
  DDFillBatch.lpIB.reset();
  DDFillBatch.lpVB.reset();
  DDFillBatch.Vertices.clear();
  DDFillBatch.Vertices.shrink_to_fit();
}

// The length of the run of records with the target of record `first`.
std::size_t RunLength(std::size_t first) {
  std::size_t end = first + 1;
  while (end < DDFillBatch.Queue.size() && DDFillBatch.Queue[end].lpSD == DDFillBatch.Queue[first].lpSD) ++end;
  return end - first;
}

void BuildVertices(std::size_t first, std::size_t count) {
  DDFillBatch.Vertices.resize(count * 4);
  for (std::size_t k = 0; k < count; ++k) {
    const FillRecord& r = DDFillBatch.Queue[first + k];
    DDQuadVertices(&DDFillBatch.Vertices[k * 4], r.x, r.y, r.nWidth, r.nHeight, r.dwColor, 0.0f, 0.0f,
                   static_cast<float>(r.nWidth), static_cast<float>(r.nHeight));
  }
}

// Draws the run; false when it could not be drawn (its buffers are released either way).
bool DrawRun(std::size_t first, std::size_t count) {
  BuildVertices(first, count);
  const int vertexCount = static_cast<int>(count * 4);
  if (!Succeeded(lpDevice->CreateVertexBuffer(vertexCount, MemoryPool::Managed, DDFillBatch.lpVB))) {
    ReleaseBuffers();
    LogMirror("CreateVertexBuffer Err");
    return false;
  }
  DTVERTEX* vertices = nullptr;
  if (!Succeeded(DDFillBatch.lpVB->Lock(0, vertexCount, vertices))) {
    ReleaseBuffers();
    return DDSetRenderTarget(0, lpDTCon->lpRestRT) != 0;
  }
  std::memcpy(vertices, DDFillBatch.Vertices.data(), sizeof(DTVERTEX) * static_cast<std::size_t>(vertexCount));
  DDFillBatch.lpVB->Unlock();
  std::uint16_t* indices = nullptr;
  if (!Succeeded(lpDevice->CreateIndexBuffer(vertexCount, MemoryPool::Managed, DDFillBatch.lpIB)) ||
      !Succeeded(DDFillBatch.lpIB->Lock(indices))) {
    ReleaseBuffers();
    return false;
  }
  for (int i = 0; i < vertexCount; ++i) indices[i] = static_cast<std::uint16_t>(i);
  DDFillBatch.lpIB->Unlock();
  if (!DDBeginScene() || !DDSetRenderTarget(0, DDFillBatch.Queue[first].lpSD)) {
    ReleaseBuffers();
    return false;
  }
  platform::StageState stage = lpDevice->GetStageState();
  stage.colorOp = platform::TextureOp::SelectArg2;
  stage.colorArg2 = platform::TextureArg::Diffuse;
  stage.alphaOp = platform::TextureOp::Disable;
  lpDevice->SetStageState(stage);
  lpDevice->SetTexture(SDWorkSD.lpDT != nullptr ? SDWorkSD.lpDT->lpTexture : nullptr);
  lpDevice->SetStreamSource(DDFillBatch.lpVB);
  lpDevice->SetIndices(DDFillBatch.lpIB);
  for (int k = 0; k < static_cast<int>(count); ++k) lpDevice->DrawIndexedPrimitive(0, 4 * k, 4, 4 * k, 2);
  ReleaseBuffers();
  return DDSetRenderTarget(0, lpDTCon->lpRestRT) != 0;
}

}  // namespace

void DDBeginFillBatch() {
  if (lpDTCon == nullptr) return;
  DDFillBatch.bOpen = 1;
  ReleaseBuffers();
  DDFillBatch.Queue.clear();
}

void DDFlushFillBatch() {
  if (lpDTCon == nullptr) return;
  if (DDFillBatch.Queue.empty() || lpDevice == nullptr) {
    DDFillBatch.bOpen = 0;
    return;
  }
  std::size_t at = 0;
  while (at < DDFillBatch.Queue.size()) {
    const std::size_t count = RunLength(at);
    // A run that cannot be drawn is tried again from its second record as a shorter run.
    at += DrawRun(at, count) ? count : 1;
  }
  ReleaseBuffers();
  DDFillBatch.Queue.clear();
  DDFillBatch.bOpen = 0;
}
