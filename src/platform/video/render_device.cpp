#include "platform/video/render_device.h"

#include <algorithm>
#include <atomic>

#include "platform/video/draw_device.h"
#include "platform/video/frame_mailbox.h"
#include "platform/video/pixel_rows.h"
#include "platform/video/video_settings.h"

namespace platform {
namespace {

bool IsTextureFormat(PixelFormat format) {
  return format == PixelFormat::Argb8888 || format == PixelFormat::Xrgb8888 || format == PixelFormat::Argb1555 ||
         format == PixelFormat::Xrgb1555 || format == PixelFormat::Rgb565;
}

}  // namespace

// ---- RenderSystem -----------------------------------------------------------------------------

std::unique_ptr<RenderSystem> RenderSystem::Create() {
  if (CurrentVideoSettings().Fails(RenderFault::CreateSystem)) return nullptr;
  return std::make_unique<RenderSystem>();
}

VideoResult RenderSystem::GetDeviceCaps(RenderCaps& out) const {
  if (CurrentVideoSettings().Fails(RenderFault::DeviceCaps)) return VideoResult::Failed;
  out = CurrentVideoSettings().caps;
  return VideoResult::Ok;
}

VideoResult RenderSystem::CreateDevice(bool hardwareVertexProcessing, const PresentParams& params,
                                       std::unique_ptr<RenderDevice>& out) {
  out.reset();
  const RenderFault fault = hardwareVertexProcessing ? RenderFault::HardwareDevice : RenderFault::SoftwareDevice;
  if (CurrentVideoSettings().Fails(fault)) return VideoResult::Failed;
  if (!IsTextureFormat(params.backBufferFormat)) return VideoResult::InvalidCall;
  auto device = std::make_unique<RenderDevice>(params);
  if (device->backBuffer_ == nullptr) return VideoResult::OutOfMemory;
  out = std::move(device);
  return VideoResult::Ok;
}

// ---- RenderDevice -----------------------------------------------------------------------------

namespace {

std::atomic<std::uint64_t> g_devices{0};

}  // namespace

// The device's number in the high bits keeps the versions of two devices apart; the count below
// it needs no atomic, as a device is used by one thread.
void RenderDevice::Touch() { ++stateVersion_; }

RenderDevice::RenderDevice(const PresentParams& params)
    : account_(std::make_shared<DeviceAccount>()),
      params_(params),
      stateVersion_((g_devices.fetch_add(1, std::memory_order_relaxed) + 1) << 40) {
  account_->videoLimit = CurrentVideoSettings().videoMemoryBytes;
  CreateBackBuffer();
  ApplyDisplayRequest();
}

RenderDevice::~RenderDevice() {
  for (Sprite* sprite : sprites_) sprite->device_ = nullptr;
  if (!params_.windowed) RequestFullScreen(false);
}

void RenderDevice::ApplyDisplayRequest() const {
  RequestFullScreen(!params_.windowed);
  RequestVsync(params_.vsync);
}

VideoResult RenderDevice::CreateBackBuffer() {
  const PixelRect client = WindowClientRect();
  const int width = params_.backBufferWidth > 0 ? params_.backBufferWidth : client.Width();
  const int height = params_.backBufferHeight > 0 ? params_.backBufferHeight : client.Height();
  PixelBuffer pixels;
  if (!pixels.Allocate(width, height, params_.backBufferFormat)) return VideoResult::OutOfMemory;
  // The back buffer belongs to the device: it is not among the objects a Reset waits for.
  backBuffer_ = std::make_shared<RenderSurface>(std::move(pixels), account_, MemoryPool::Managed, 0, true);
  renderTarget_ = backBuffer_;
  return VideoResult::Ok;
}

VideoResult RenderDevice::MakeSurface(int width, int height, PixelFormat format, MemoryPool pool, bool renderTarget,
                                      std::shared_ptr<RenderSurface>& out) {
  out.reset();
  if (!IsTextureFormat(format)) return VideoResult::InvalidCall;
  PixelBuffer pixels;
  if (!pixels.Allocate(width, height, format)) return VideoResult::OutOfMemory;
  const std::size_t videoBytes = pool == MemoryPool::SystemMemory ? 0 : pixels.byteCount();
  if (!account_->ReserveVideo(videoBytes)) return VideoResult::OutOfVideoMemory;
  out = std::make_shared<RenderSurface>(std::move(pixels), account_, pool, videoBytes, renderTarget);
  return VideoResult::Ok;
}

VideoResult RenderDevice::CreateTexture(int width, int height, PixelFormat format, TextureUsage usage, MemoryPool pool,
                                        std::shared_ptr<Texture>& out) {
  out.reset();
  const bool renderTarget = usage == TextureUsage::RenderTarget;
  if (renderTarget && pool != MemoryPool::Default) return VideoResult::InvalidCall;
  std::shared_ptr<RenderSurface> level;
  if (const VideoResult made = MakeSurface(width, height, format, pool, renderTarget, level); !Succeeded(made)) {
    return made;
  }
  out = std::make_shared<Texture>(std::move(level), usage);
  return VideoResult::Ok;
}

VideoResult RenderDevice::CreateOffscreenPlainSurface(int width, int height, PixelFormat format, MemoryPool pool,
                                                      std::shared_ptr<RenderSurface>& out) {
  return MakeSurface(width, height, format, pool, false, out);
}

VideoResult RenderDevice::CreateVertexBuffer(int vertexCount, MemoryPool pool, std::shared_ptr<VertexBuffer>& out) {
  out.reset();
  if (CurrentVideoSettings().Fails(RenderFault::VertexBuffer)) return VideoResult::OutOfVideoMemory;
  if (vertexCount <= 0) return VideoResult::InvalidCall;
  out = std::make_shared<VertexBuffer>(vertexCount, account_, pool);
  ++counts_.vertexBuffers;
  return VideoResult::Ok;
}

VideoResult RenderDevice::CreateIndexBuffer(int indexCount, MemoryPool pool, std::shared_ptr<IndexBuffer>& out) {
  out.reset();
  if (CurrentVideoSettings().Fails(RenderFault::IndexBuffer)) return VideoResult::OutOfVideoMemory;
  if (indexCount <= 0) return VideoResult::InvalidCall;
  out = std::make_shared<IndexBuffer>(indexCount, account_, pool);
  return VideoResult::Ok;
}

VideoResult RenderDevice::GetBackBuffer(std::shared_ptr<RenderSurface>& out) {
  out = backBuffer_;
  return out != nullptr ? VideoResult::Ok : VideoResult::InvalidCall;
}

VideoResult RenderDevice::CreateSprite(std::unique_ptr<Sprite>& out) {
  out = std::make_unique<Sprite>(this);
  return VideoResult::Ok;
}

VideoResult RenderDevice::SetRenderTarget(const std::shared_ptr<RenderSurface>& target) {
  if (target == nullptr || !target->IsRenderTarget()) return VideoResult::InvalidCall;
  // The target's format, not the target, is part of a painter's set-up: no new state version.
  if (target != renderTarget_) {
    ++counts_.targetChanges;
    if (watchTargets_) watchTargets_(*target);
    renderTarget_ = target;
  }
  return VideoResult::Ok;
}

VideoResult RenderDevice::Clear(const PixelRect* rects, int count, std::uint32_t argb) {
  if (renderTarget_ == nullptr) return VideoResult::InvalidCall;
  if (lost_) return VideoResult::Ok;
  PixelBuffer& pixels = renderTarget_->Pixels();
  const std::uint32_t value = PackArgbNearest(argb, pixels.format());
  if (rects == nullptr || count == 0) {
    FillPixels(pixels, pixels.Bounds(), value);
    return VideoResult::Ok;
  }
  for (int i = 0; i < count; ++i) FillPixels(pixels, Intersect(rects[i], pixels.Bounds()), value);
  return VideoResult::Ok;
}

VideoResult RenderDevice::GetRenderTargetData(RenderSurface& renderTarget, RenderSurface& systemSurface) {
  if (!renderTarget.IsRenderTarget() || systemSurface.Pool() != MemoryPool::SystemMemory) {
    return VideoResult::InvalidCall;
  }
  return UpdateSurface(renderTarget, systemSurface);
}

VideoResult RenderDevice::UpdateSurface(RenderSurface& source, RenderSurface& target) {
  if (source.Width() != target.Width() || source.Height() != target.Height() || source.Format() != target.Format()) {
    return VideoResult::InvalidCall;
  }
  if (source.IsLocked() || target.IsLocked()) return VideoResult::SurfaceBusy;
  CopyPixels(target.Pixels(), 0, 0, source.Pixels(), source.Pixels().Bounds());
  return VideoResult::Ok;
}

void RenderDevice::SetSamplerState(int sampler, const SamplerState& state) {
  // Only stage 0 is ever textured; the other samplers are accepted and have no effect.
  // Address modes are read at each draw; no painter depends on them.
  if (sampler == 0) raster_.sampler = state;
}

VideoResult RenderDevice::BeginScene() {
  if (inScene_) return VideoResult::InvalidCall;
  inScene_ = true;
  return VideoResult::Ok;
}

VideoResult RenderDevice::EndScene() {
  if (!inScene_) return VideoResult::InvalidCall;
  inScene_ = false;
  return VideoResult::Ok;
}

VideoResult RenderDevice::DrawStrip(const DTVERTEX* vertices, int primitiveCount) {
  if (!inScene_ || renderTarget_ == nullptr || primitiveCount <= 0) return VideoResult::InvalidCall;
  const PixelBuffer* texels = texture_ != nullptr ? &texture_->Level()->Pixels() : nullptr;
  if (!CanRaster(renderTarget_->Format(), texels, raster_)) return VideoResult::InvalidCall;
  if (lost_) return VideoResult::Ok;
  RasterStrip(renderTarget_->Pixels(), vertices, primitiveCount, texels, raster_, stateVersion_);
  return VideoResult::Ok;
}

VideoResult RenderDevice::DrawPrimitive(int startVertex, int primitiveCount) {
  if (stream_ == nullptr || startVertex < 0 || startVertex + primitiveCount + 2 > stream_->VertexCount()) {
    return VideoResult::InvalidCall;
  }
  return DrawStrip(stream_->Data() + startVertex, primitiveCount);
}

VideoResult RenderDevice::DrawIndexedPrimitive(int baseVertex, int minIndex, int vertexCount, int startIndex,
                                               int primitiveCount) {
  (void)minIndex;
  (void)vertexCount;
  if (stream_ == nullptr || indices_ == nullptr || startIndex < 0 || primitiveCount <= 0 ||
      startIndex + primitiveCount + 2 > indices_->IndexCount()) {
    return VideoResult::InvalidCall;
  }
  const int count = primitiveCount + 2;
  const std::uint16_t* index = indices_->Data() + startIndex;
  // Indices that count up from their first, as a sprite batch's do, name a stretch of the
  // stream that is drawn where it lies.
  const int first = baseVertex + index[0];
  bool consecutive = true;
  for (int i = 1; i < count && consecutive; ++i) consecutive = index[i] == index[0] + i;
  if (consecutive) {
    if (first < 0 || first + count > stream_->VertexCount()) return VideoResult::InvalidCall;
    return DrawStrip(stream_->Data() + first, primitiveCount);
  }
  scratch_.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int vertex = baseVertex + index[i];
    if (vertex < 0 || vertex >= stream_->VertexCount()) return VideoResult::InvalidCall;
    scratch_[static_cast<std::size_t>(i)] = stream_->Data()[vertex];
  }
  return DrawStrip(scratch_.data(), primitiveCount);
}

VideoResult RenderDevice::Present() {
  if (lost_) return VideoResult::DeviceLost;
  if (inScene_) return VideoResult::InvalidCall;
  PresentedFrames().Post(backBuffer_->Pixels(), nullptr);
  return VideoResult::Ok;
}

VideoResult RenderDevice::TestCooperativeLevel() const {
  if (!lost_) return VideoResult::Ok;
  return resettable_ ? VideoResult::DeviceNotReset : VideoResult::DeviceLost;
}

VideoResult RenderDevice::Reset(const PresentParams& params) {
  if (lost_ && !resettable_) return VideoResult::DeviceLost;
  if (account_->defaultPoolObjects > 0 || backBuffer_.use_count() > 2 ||
      (backBuffer_.use_count() == 2 && renderTarget_ != backBuffer_)) {
    return VideoResult::InvalidCall;
  }
  params_ = params;
  renderTarget_.reset();
  backBuffer_.reset();
  if (const VideoResult made = CreateBackBuffer(); !Succeeded(made)) return made;
  raster_ = RasterState{};
  Touch();
  texture_.reset();
  stream_.reset();
  indices_.reset();
  inScene_ = false;
  lost_ = false;
  resettable_ = false;
  ApplyDisplayRequest();
  return VideoResult::Ok;
}

void RenderDevice::MarkLost() {
  lost_ = true;
  resettable_ = false;
}

void RenderDevice::AllowReset() { resettable_ = true; }

// ---- Sprite -----------------------------------------------------------------------------------

Sprite::Sprite(RenderDevice* device) : device_(device) { device_->sprites_.push_back(this); }

Sprite::~Sprite() {
  if (device_ != nullptr) std::erase(device_->sprites_, this);
}

VideoResult Sprite::Begin(unsigned flags) {
  if (device_ == nullptr || begun_) return VideoResult::InvalidCall;
  begun_ = true;
  flags_ = flags;
  items_.clear();
  return VideoResult::Ok;
}

VideoResult Sprite::Draw(const std::shared_ptr<Texture>& texture, const PixelRect* source, float x, float y,
                         std::uint32_t color) {
  if (device_ == nullptr || !begun_ || texture == nullptr) return VideoResult::InvalidCall;
  const PixelRect whole{0, 0, texture->Width(), texture->Height()};
  items_.push_back(Item{texture, source != nullptr ? *source : whole, x, y, color});
  return VideoResult::Ok;
}

VideoResult Sprite::End() {
  if (device_ == nullptr || !begun_) return VideoResult::InvalidCall;
  begun_ = false;
  if ((flags_ & kSpriteSortTexture) != 0) {
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Item& a, const Item& b) { return a.texture.get() < b.texture.get(); });
  }
  RenderDevice& device = *device_;
  const StageState savedStage = device.GetStageState();
  const BlendState savedBlend = device.GetBlendState();
  const std::shared_ptr<Texture> savedTexture = device.GetTexture();
  StageState stage;
  stage.colorOp = stage.alphaOp = TextureOp::Modulate;
  stage.colorArg1 = stage.alphaArg1 = TextureArg::Texture;
  stage.colorArg2 = stage.alphaArg2 = TextureArg::Diffuse;
  device.SetStageState(stage);
  device.SetBlendState((flags_ & kSpriteAlphaBlend) != 0
                           ? BlendState{true, BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha}
                           : BlendState{});
  VideoResult result = VideoResult::Ok;
  for (const Item& item : items_) {
    const float tw = static_cast<float>(item.texture->Width());
    const float th = static_cast<float>(item.texture->Height());
    const float w = static_cast<float>(item.source.Width());
    const float h = static_cast<float>(item.source.Height());
    const float uL = item.source.left / tw, uR = item.source.right / tw;
    const float vT = item.source.top / th, vB = item.source.bottom / th;
    const float x = item.x - 0.5f, y = item.y - 0.5f;
    const DTVERTEX quad[4] = {{x, y, 0, 1, item.color, uL, vT},
                              {x, y + h, 0, 1, item.color, uL, vB},
                              {x + w, y, 0, 1, item.color, uR, vT},
                              {x + w, y + h, 0, 1, item.color, uR, vB}};
    device.SetTexture(item.texture);
    if (const VideoResult drawn = device.DrawStrip(quad, 2); !Succeeded(drawn)) result = drawn;
  }
  items_.clear();
  device.SetTexture(savedTexture);
  device.SetBlendState(savedBlend);
  device.SetStageState(savedStage);
  return result;
}

VideoResult Sprite::OnLostDevice() {
  items_.clear();
  begun_ = false;
  return device_ != nullptr ? VideoResult::Ok : VideoResult::InvalidCall;
}

VideoResult Sprite::OnResetDevice() { return device_ != nullptr ? VideoResult::Ok : VideoResult::InvalidCall; }

}  // namespace platform
