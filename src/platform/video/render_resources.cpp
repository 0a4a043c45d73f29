#include "platform/video/render_resources.h"

namespace platform {

RenderSurface::RenderSurface(PixelBuffer pixels, std::shared_ptr<DeviceAccount> account, MemoryPool pool,
                             std::size_t videoBytes, bool renderTarget)
    : Surface(std::move(pixels), std::move(account), pool, videoBytes), renderTarget_(renderTarget) {}

Texture::Texture(std::shared_ptr<RenderSurface> level, TextureUsage usage) : level_(std::move(level)), usage_(usage) {}

VertexBuffer::VertexBuffer(int vertexCount, std::shared_ptr<DeviceAccount> account, MemoryPool pool)
    : accounting_(std::move(account), pool, 0), vertices_(static_cast<std::size_t>(vertexCount)) {}

VideoResult VertexBuffer::Lock(int first, int count, DTVERTEX*& out) {
  out = nullptr;
  if (locked_) return VideoResult::SurfaceBusy;
  if (first < 0 || count < 0 || first + count > VertexCount()) return VideoResult::InvalidCall;
  locked_ = true;
  out = vertices_.data() + first;
  return VideoResult::Ok;
}

VideoResult VertexBuffer::Unlock() {
  if (!locked_) return VideoResult::NotLocked;
  locked_ = false;
  return VideoResult::Ok;
}

IndexBuffer::IndexBuffer(int indexCount, std::shared_ptr<DeviceAccount> account, MemoryPool pool)
    : accounting_(std::move(account), pool, 0), indices_(static_cast<std::size_t>(indexCount)) {}

VideoResult IndexBuffer::Lock(std::uint16_t*& out) {
  out = nullptr;
  if (locked_) return VideoResult::SurfaceBusy;
  locked_ = true;
  out = indices_.data();
  return VideoResult::Ok;
}

VideoResult IndexBuffer::Unlock() {
  if (!locked_) return VideoResult::NotLocked;
  locked_ = false;
  return VideoResult::Ok;
}

}  // namespace platform
