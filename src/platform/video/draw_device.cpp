#include "platform/video/draw_device.h"

#include "platform/video/display.h"
#include "platform/video/video_settings.h"

namespace platform {
namespace {

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;

PixelFormat DesktopFormat() {
  PixelFormat format = PixelFormat::Xrgb8888;
  SurfaceFormatForDepth(CurrentVideoSettings().desktopBitsPerPixel, format);
  return format;
}

}  // namespace

PixelRect WindowClientRect() { return {0, 0, kClientWidth, kClientHeight}; }

DrawDevice::DrawDevice() : account_(std::make_shared<DeviceAccount>()) {
  account_->videoLimit = CurrentVideoSettings().videoMemoryBytes;
  screenFormat_ = DesktopFormat();
  screenWidth_ = kClientWidth;
  screenHeight_ = kClientHeight;
  refreshRate_ = CurrentDisplayMode().refreshRate;
}

DrawDevice::~DrawDevice() {
  if (level_ == CooperativeLevel::FullScreen) RequestFullScreen(false);
}

VideoResult DrawDevice::Create(std::unique_ptr<DrawDevice>& out) {
  out.reset();
  if (CurrentVideoSettings().Fails(DrawFault::CreateObject)) return VideoResult::Failed;
  out.reset(new DrawDevice());
  return VideoResult::Ok;
}

VideoResult DrawDevice::SetCooperativeLevel(CooperativeLevel level) {
  if (CurrentVideoSettings().Fails(DrawFault::CooperativeLevel)) return VideoResult::Failed;
  level_ = level;
  if (level == CooperativeLevel::Normal) {
    screenFormat_ = DesktopFormat();
    screenWidth_ = kClientWidth;
    screenHeight_ = kClientHeight;
  }
  return VideoResult::Ok;
}

VideoResult DrawDevice::SetDisplayMode(int width, int height, int bitsPerPixel, int refreshRate) {
  if (level_ != CooperativeLevel::FullScreen) return VideoResult::InvalidCall;
  if (CurrentVideoSettings().Fails(DrawFault::DisplayMode)) return VideoResult::Failed;
  PixelFormat format;
  if (width <= 0 || height <= 0 || !SurfaceFormatForDepth(bitsPerPixel, format)) return VideoResult::InvalidCall;
  if (refreshRate != 0 && refreshRate != refreshRate_) return VideoResult::RefreshRateRefused;
  screenFormat_ = format;
  screenWidth_ = width;
  screenHeight_ = height;
  RequestFullScreen(true);
  return VideoResult::Ok;
}

VideoResult DrawDevice::RestoreDisplayMode() {
  if (level_ == CooperativeLevel::FullScreen) RequestFullScreen(false);
  return VideoResult::Ok;
}

VideoResult DrawDevice::MakeSurface(int width, int height, MemoryPool pool, bool primary,
                                    std::shared_ptr<DrawSurface>& out) {
  out.reset();
  PixelBuffer pixels;
  if (!pixels.Allocate(width, height, screenFormat_)) return VideoResult::OutOfMemory;
  const std::size_t videoBytes = pool == MemoryPool::SystemMemory ? 0 : pixels.byteCount();
  if (!account_->ReserveVideo(videoBytes)) return VideoResult::OutOfVideoMemory;
  out = std::make_shared<DrawSurface>(std::move(pixels), account_, pool, videoBytes, primary);
  return VideoResult::Ok;
}

VideoResult DrawDevice::CreatePrimary(int backBuffers, std::shared_ptr<DrawSurface>& out) {
  out.reset();
  if (CurrentVideoSettings().Fails(DrawFault::CreatePrimary)) return VideoResult::Failed;
  std::shared_ptr<DrawSurface> primary;
  if (const VideoResult made = MakeSurface(screenWidth_, screenHeight_, MemoryPool::Default, true, primary);
      !Succeeded(made)) {
    return made;
  }
  if (level_ == CooperativeLevel::FullScreen) {
    std::vector<std::shared_ptr<DrawSurface>> buffers;
    for (int i = 0; i < backBuffers; ++i) {
      std::shared_ptr<DrawSurface> buffer;
      if (const VideoResult made = MakeSurface(screenWidth_, screenHeight_, MemoryPool::Default, false, buffer);
          !Succeeded(made)) {
        return made;
      }
      buffers.push_back(std::move(buffer));
    }
    primary->AttachFlipBuffers(std::move(buffers));
  }
  out = std::move(primary);
  return VideoResult::Ok;
}

VideoResult DrawDevice::CreateSurface(int width, int height, MemoryPool pool, std::shared_ptr<DrawSurface>& out) {
  return MakeSurface(width, height, pool == MemoryPool::SystemMemory ? pool : MemoryPool::Default, false, out);
}

VideoResult DrawDevice::CreatePalette(const PaletteEntry* entries, std::shared_ptr<DrawPalette>& out) {
  out.reset();
  if (CurrentVideoSettings().Fails(DrawFault::CreatePalette)) return VideoResult::Failed;
  out = std::make_shared<DrawPalette>(entries, account_);
  return VideoResult::Ok;
}

VideoResult DrawDevice::CreateClipper(std::shared_ptr<Clipper>& out) {
  out.reset();
  if (CurrentVideoSettings().Fails(DrawFault::CreateClipper)) return VideoResult::Failed;
  out = std::make_shared<Clipper>(account_);
  return VideoResult::Ok;
}

int DrawDevice::MonitorFrequency() const { return refreshRate_; }

VideoResult DrawDevice::WaitForVerticalBlank() {
  // The presenter keeps step with the display on the main thread; the game thread's frame
  // step paces itself, so there is nothing to wait for here.
  return VideoResult::Ok;
}

void DrawDevice::AvailableVideoMemory(std::size_t& total, std::size_t& free) const {
  total = account_->videoLimit;
  free = total > account_->videoBytes ? total - account_->videoBytes : 0;
}

VideoResult DrawDevice::FlipToGdiSurface() { return VideoResult::Ok; }

}  // namespace platform
