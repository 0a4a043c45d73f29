#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/video/display.h"
#include "platform/video/quad_raster.h"
#include "platform/video/render_resources.h"

namespace platform {

class RenderDevice;
class Sprite;

// The device backend's entry object: it tells the display mode and the device's
// capabilities, and makes the device.
class RenderSystem {
 public:
  // Null when the device backend is made to fail (RenderFault::CreateSystem).
  static std::unique_ptr<RenderSystem> Create();

  DisplayMode AdapterDisplayMode() const { return CurrentDisplayMode(); }
  VideoResult GetDeviceCaps(RenderCaps& out) const;
  // The two vertex-processing kinds differ only in which fault makes them fail.
  VideoResult CreateDevice(bool hardwareVertexProcessing, const PresentParams& params,
                           std::unique_ptr<RenderDevice>& out);
};

// The software device: textures, render targets, the back buffer, quads drawn with one
// texture stage and alpha blending (quad_raster.h), and the present, which posts the back
// buffer to the frame mailbox. Render targets and textures created in the default pool and the
// managed pool count against the emulated video memory.
//
// Loss: MarkLost (tests) makes Present answer DeviceLost and drops every draw and clear;
// TestCooperativeLevel answers DeviceLost until AllowReset, then DeviceNotReset; Reset then
// succeeds once no default-pool object and no outside reference to the back buffer is left.
// What the device has been asked to do, for tests and benchmarks that check how many runs a
// batch made or in what order targets were drawn to.
struct DeviceCounts {
  int vertexBuffers = 0;  // vertex buffers made
  int targetChanges = 0;  // SetRenderTarget calls that changed the target
};

class RenderDevice {
 public:
  explicit RenderDevice(const PresentParams& params);
  ~RenderDevice();
  RenderDevice(const RenderDevice&) = delete;
  RenderDevice& operator=(const RenderDevice&) = delete;

  const PresentParams& Params() const { return params_; }
  int LiveObjects() const { return account_->liveObjects; }

  // Resources.
  VideoResult CreateTexture(int width, int height, PixelFormat format, TextureUsage usage, MemoryPool pool,
                            std::shared_ptr<Texture>& out);
  VideoResult CreateOffscreenPlainSurface(int width, int height, PixelFormat format, MemoryPool pool,
                                          std::shared_ptr<RenderSurface>& out);
  VideoResult CreateVertexBuffer(int vertexCount, MemoryPool pool, std::shared_ptr<VertexBuffer>& out);
  VideoResult CreateIndexBuffer(int indexCount, MemoryPool pool, std::shared_ptr<IndexBuffer>& out);
  VideoResult GetBackBuffer(std::shared_ptr<RenderSurface>& out);
  VideoResult CreateSprite(std::unique_ptr<Sprite>& out);

  // Targets and copies between surfaces of equal size and format.
  VideoResult SetRenderTarget(const std::shared_ptr<RenderSurface>& target);
  const std::shared_ptr<RenderSurface>& RenderTarget() const { return renderTarget_; }
  const DeviceCounts& Counts() const { return counts_; }
  void ResetCounts() { counts_ = {}; }
  // Called with each new render target when the target changes; empty for none.
  void WatchTargets(std::function<void(const RenderSurface&)> watch) { watchTargets_ = std::move(watch); }
  // Clears the rectangles (all of the target for none) of the render target, clipped to it;
  // the colour is quantised as draws quantise it.
  VideoResult Clear(const PixelRect* rects, int count, std::uint32_t argb);
  VideoResult GetRenderTargetData(RenderSurface& renderTarget, RenderSurface& systemSurface);
  VideoResult UpdateSurface(RenderSurface& source, RenderSurface& target);

  // States. The layer honours the blend states of BlendState, the texture-stage operations of
  // TextureOp, the texture factor and the address modes; culling and depth do not exist here
  // (nothing is culled, there is no depth buffer).
  // Only what a painter is chosen from renews the state version, and only when it changes:
  // a run of sprites that sets the same states, texture and target again keeps its set-up.
  void SetBlendState(const BlendState& blend) {
    if (blend == raster_.blend) return;
    raster_.blend = blend;
    Touch();
  }
  const BlendState& GetBlendState() const { return raster_.blend; }
  void SetStageState(const StageState& stage) {
    if (stage == raster_.stage) return;
    raster_.stage = stage;
    Touch();
  }
  const StageState& GetStageState() const { return raster_.stage; }
  void SetTextureFactor(std::uint32_t argb) {
    if (argb == raster_.textureFactor) return;
    raster_.textureFactor = argb;
    Touch();
  }
  std::uint32_t GetTextureFactor() const { return raster_.textureFactor; }
  void SetSamplerState(int sampler, const SamplerState& state);
  // The texture's format, not the texture, is part of a painter's set-up: RasterStrip compares it.
  // Setting what is already set leaves the shared counts alone: sprites set them once a blit.
  void SetTexture(const std::shared_ptr<Texture>& texture) {
    if (texture != texture_) texture_ = texture;
  }
  const std::shared_ptr<Texture>& GetTexture() const { return texture_; }
  void SetStreamSource(const std::shared_ptr<VertexBuffer>& vertices) {
    if (vertices != stream_) stream_ = vertices;
  }
  void SetIndices(const std::shared_ptr<IndexBuffer>& indices) {
    if (indices != indices_) indices_ = indices;
  }

  // Drawing, between BeginScene and EndScene: triangle strips from the stream source.
  VideoResult BeginScene();
  VideoResult EndScene();
  bool InScene() const { return inScene_; }
  VideoResult DrawPrimitive(int startVertex, int primitiveCount);
  VideoResult DrawIndexedPrimitive(int baseVertex, int minIndex, int vertexCount, int startIndex, int primitiveCount);
  // A strip given directly (the sprite object's way).
  VideoResult DrawStrip(const DTVERTEX* vertices, int primitiveCount);

  VideoResult Present();
  VideoResult TestCooperativeLevel() const;
  VideoResult Reset(const PresentParams& params);
  void MarkLost();
  void AllowReset();
  bool IsLost() const { return lost_; }

 private:
  friend class Sprite;
  friend class RenderSystem;
  VideoResult MakeSurface(int width, int height, PixelFormat format, MemoryPool pool, bool renderTarget,
                          std::shared_ptr<RenderSurface>& out);
  VideoResult CreateBackBuffer();
  void Touch();
  void ApplyDisplayRequest() const;

  std::shared_ptr<DeviceAccount> account_;
  PresentParams params_;
  std::shared_ptr<RenderSurface> backBuffer_;
  std::shared_ptr<RenderSurface> renderTarget_;
  std::shared_ptr<Texture> texture_;
  std::shared_ptr<VertexBuffer> stream_;
  std::shared_ptr<IndexBuffer> indices_;
  RasterState raster_;
  bool inScene_ = false;
  bool lost_ = false;
  bool resettable_ = false;
  std::vector<Sprite*> sprites_;
  std::vector<DTVERTEX> scratch_;
  DeviceCounts counts_;
  // Changed by every state, texture and target call, so that draws between two such calls (a
  // sprite batch's run) share one rasteriser set-up. Unique across devices.
  std::uint64_t stateVersion_;
  std::function<void(const RenderSurface&)> watchTargets_;
};

enum SpriteFlag : unsigned {
  kSpriteAlphaBlend = 1u << 0,
  kSpriteSortTexture = 1u << 1,
};

// Queues textured rectangles between Begin and End and draws them at End, each as a quad whose
// texels are modulated by the given colour; with kSpriteAlphaBlend they are blended, with
// kSpriteSortTexture drawn grouped by texture (in queue order within a texture). The device's
// states are as they were afterwards.
class Sprite {
 public:
  explicit Sprite(RenderDevice* device);
  ~Sprite();
  Sprite(const Sprite&) = delete;
  Sprite& operator=(const Sprite&) = delete;

  VideoResult Begin(unsigned flags);
  // Queues the texture's rectangle (whole for none) with its top-left corner at (x, y).
  VideoResult Draw(const std::shared_ptr<Texture>& texture, const PixelRect* source, float x, float y,
                   std::uint32_t color);
  VideoResult End();
  VideoResult OnLostDevice();
  VideoResult OnResetDevice();

 private:
  friend class RenderDevice;
  struct Item {
    std::shared_ptr<Texture> texture;
    PixelRect source;
    float x = 0.0f;
    float y = 0.0f;
    std::uint32_t color = 0;
  };
  RenderDevice* device_;
  bool begun_ = false;
  unsigned flags_ = 0;
  std::vector<Item> items_;
};

}  // namespace platform
