#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/video/render_types.h"
#include "platform/video/surface.h"

namespace platform {

// A surface of the device backend: a texture level, an off-screen plain surface or the back
// buffer. Render targets can be drawn into with SetRenderTarget.
class RenderSurface : public Surface {
 public:
  RenderSurface(PixelBuffer pixels, std::shared_ptr<DeviceAccount> account, MemoryPool pool, std::size_t videoBytes,
                bool renderTarget);
  bool IsRenderTarget() const { return renderTarget_; }

 private:
  bool renderTarget_;
};

// A one-level texture.
class Texture {
 public:
  Texture(std::shared_ptr<RenderSurface> level, TextureUsage usage);

  int Width() const { return level_->Width(); }
  int Height() const { return level_->Height(); }
  PixelFormat Format() const { return level_->Format(); }
  MemoryPool Pool() const { return level_->Pool(); }
  TextureUsage Usage() const { return usage_; }
  // The texture's one level (shared: the caller may keep it after releasing the texture).
  std::shared_ptr<RenderSurface> Level() const { return level_; }

 private:
  std::shared_ptr<RenderSurface> level_;
  TextureUsage usage_;
};

// Vertices of quads, written between Lock and Unlock.
class VertexBuffer {
 public:
  VertexBuffer(int vertexCount, std::shared_ptr<DeviceAccount> account, MemoryPool pool);
  int VertexCount() const { return static_cast<int>(vertices_.size()); }
  // The vertices from `first` on; fails when already locked or out of range.
  VideoResult Lock(int first, int count, DTVERTEX*& out);
  VideoResult Unlock();
  const DTVERTEX* Data() const { return vertices_.data(); }

 private:
  AccountedObject accounting_;
  std::vector<DTVERTEX> vertices_;
  bool locked_ = false;
};

class IndexBuffer {
 public:
  IndexBuffer(int indexCount, std::shared_ptr<DeviceAccount> account, MemoryPool pool);
  int IndexCount() const { return static_cast<int>(indices_.size()); }
  VideoResult Lock(std::uint16_t*& out);
  VideoResult Unlock();
  const std::uint16_t* Data() const { return indices_.data(); }

 private:
  AccountedObject accounting_;
  std::vector<std::uint16_t> indices_;
  bool locked_ = false;
};

}  // namespace platform
