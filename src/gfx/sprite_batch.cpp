#include "gfx/sprite_batch.h"

#include <algorithm>
#include <cstring>

#include "core/report_log.h"
#include "gfx/dd_state.h"
#include "gfx/quad_state.h"
#include "gfx/render_target.h"

DTSPRITEBATCH DDSpriteBatch;

namespace {

using platform::MemoryPool;
using platform::Succeeded;

void ReleaseRun() {
  DDSpriteBatch.lpIB.reset();
  DDSpriteBatch.lpVB.reset();
  DDSpriteBatch.Staging.clear();
}

void EmptyBatch() {
  ReleaseRun();
  DDSpriteBatch.Queue.clear();
  DDSpriteBatch.Layers.clear();
  DDSpriteBatch.nSequence = 0;
}

bool SameState(const DTSPRITEDATA& a, const DTSPRITEDATA& b) {
  return a.lpSrc == b.lpSrc && a.lpDst == b.lpDst && a.dwDiffuse == b.dwDiffuse && a.nFlags == b.nFlags &&
         a.nColorOp == b.nColorOp && a.nAlphaOp == b.nAlphaOp && a.nReserved == b.nReserved;
}

std::size_t RunLength(std::size_t first) {
  const auto& q = DDSpriteBatch.Queue;
  std::size_t end = first + 1;
  while (end < q.size() && SameState(q[end], q[first])) ++end;
  return end - first;
}

enum class RunOutcome { Drawn, Retry };

// Draws one run with its own buffers; Retry when the run was not drawn and the walk should try
// again from the run's second sprite.
RunOutcome DrawRun(std::size_t first, std::size_t count) {
  const auto& q = DDSpriteBatch.Queue;
  const int vertexCount = static_cast<int>(count * 4);
  DDSpriteBatch.Staging.resize(count * 4);
  for (std::size_t j = 0; j < count; ++j) {
    const DTSPRITEDATA& s = q[first + j];
    DDWriteSpriteQuad(&DDSpriteBatch.Staging[j * 4], s.lpSrc, s.x, s.y, s.w, s.h, s.sx, s.sy, s.sw, s.sh, s.dwDiffuse);
  }
  if (!Succeeded(lpDevice->CreateVertexBuffer(vertexCount, MemoryPool::Managed, DDSpriteBatch.lpVB))) {
    LogMirror("CreateVertexBuffer Err");
    ReleaseRun();
    return RunOutcome::Retry;
  }
  DTVERTEX* vertices = nullptr;
  if (!Succeeded(DDSpriteBatch.lpVB->Lock(0, vertexCount, vertices))) {
    ReleaseRun();
    return DDSetRenderTarget(0, lpDTCon->lpRestRT) ? RunOutcome::Drawn : RunOutcome::Retry;
  }
  std::memcpy(vertices, DDSpriteBatch.Staging.data(), sizeof(DTVERTEX) * static_cast<std::size_t>(vertexCount));
  DDSpriteBatch.lpVB->Unlock();
  // A run whose index buffer cannot be made is skipped like one without vertex buffer.
  std::uint16_t* indices = nullptr;
  if (!Succeeded(lpDevice->CreateIndexBuffer(vertexCount, MemoryPool::Managed, DDSpriteBatch.lpIB)) ||
      !Succeeded(DDSpriteBatch.lpIB->Lock(indices))) {
    ReleaseRun();
    return RunOutcome::Retry;
  }
  for (int i = 0; i < vertexCount; ++i) indices[i] = static_cast<std::uint16_t>(i);
  DDSpriteBatch.lpIB->Unlock();
  const DTSPRITEDATA& head = q[first];
  if (!DDBeginScene() || !DDSetRenderTarget(0, head.lpDst)) {
    ReleaseRun();
    return RunOutcome::Retry;
  }
  for (std::size_t j = 0; j < count; ++j) {
    const DTSPRITEDATA& s = q[first + j];
    DDKeyClear(s.lpDst, head.lpSrc, head.nFlags, s.x, s.y, s.w, s.h);
  }
  DDSetQuadStage(head.nColorOp, head.nAlphaOp, head.lpSrc);
  lpDevice->SetStreamSource(DDSpriteBatch.lpVB);
  lpDevice->SetIndices(DDSpriteBatch.lpIB);
  for (int j = 0; j < static_cast<int>(count); ++j) lpDevice->DrawIndexedPrimitive(0, 4 * j, 4, 4 * j, 2);
  ReleaseRun();
  return DDSetRenderTarget(0, lpDTCon->lpRestRT) ? RunOutcome::Drawn : RunOutcome::Retry;
}

std::int32_t KeyBase(const DDSURFACEDATA* lpSrc) {
  if (DDSpriteBatch.nMode == 0) return 0;
  for (const DTBATCHLAYER& layer : DDSpriteBatch.Layers) {
    if (layer.lpSrc == lpSrc) return layer.nKeyBase;
  }
  return 0;
}

}  // namespace

void DDBeginBatch(int nMode) {
  if (lpDTCon == nullptr) return;
  DDSpriteBatch.bOpen = 1;
  DDSpriteBatch.nMode = nMode;
  EmptyBatch();
}

void DDBatchAddLayer(DDSURFACEDATA* lpSrc) {
  if (lpDTCon == nullptr || !DDSpriteBatch.bOpen || DDSpriteBatch.nMode == 0) return;
  for (const DTBATCHLAYER& layer : DDSpriteBatch.Layers) {
    if (layer.lpSrc == lpSrc) return;
  }
  const auto next = static_cast<std::int32_t>(DDSpriteBatch.Layers.size()) + 1;
  DDSpriteBatch.Layers.push_back({lpSrc, next * kDDLayerKeyStep});
}

void DDBatchQueue(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int x, int y, int w, int h, int sx, int sy, int sw,
                  int sh, int nFlags) {
  DTSPRITEDATA s;
  s.nKey = KeyBase(lpSrc) + DDSpriteBatch.nSequence;
  s.lpDst = lpDst;
  s.lpSrc = lpSrc;
  s.x = x, s.y = y, s.w = w, s.h = h;
  s.sx = sx, s.sy = sy, s.sw = sw, s.sh = sh;
  s.nFlags = nFlags;
  s.dwDiffuse = lpDTCon->dwDiffuse;
  s.nColorOp = lpDTCon->nColorOp;
  s.nAlphaOp = lpDTCon->nAlphaOp;
  DDSpriteBatch.Queue.push_back(s);
  ++DDSpriteBatch.nSequence;
}

void DDFlushBatch() {
  if (lpDTCon == nullptr || lpDevice == nullptr || DDSpriteBatch.Queue.empty()) {
    DDSpriteBatch.bOpen = 0;
    return;
  }
  auto& q = DDSpriteBatch.Queue;
  // Keys are distinct, so any correct sort gives the one order.
  if (DDSpriteBatch.nMode != 0) {
    std::sort(q.begin(), q.end(), [](const DTSPRITEDATA& a, const DTSPRITEDATA& b) { return a.nKey < b.nKey; });
  }
  std::size_t at = 0;
  while (at < q.size()) {
    const std::size_t count = RunLength(at);
    at += DrawRun(at, count) == RunOutcome::Drawn ? count : 1;
  }
  EmptyBatch();
  DDSpriteBatch.bOpen = 0;
}
