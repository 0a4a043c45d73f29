#pragma once

#include <cstddef>
#include <memory>

#include "platform/video/draw_surface.h"
#include "platform/video/pixel_format.h"

namespace platform {

enum class CooperativeLevel { Normal, FullScreen };

// The client area of the window the frames are shown in, in the coordinates the surface
// backend uses for the screen. The presented image is the client area itself, so its origin
// is (0, 0) wherever the window sits.
PixelRect WindowClientRect();

// The surface backend's device: it makes the primary, off-screen surfaces, palettes and
// clippers, all in the screen's format. Full screen, the screen has the format of the
// display mode asked for; in a window it has the desktop's (VideoSettings). Surfaces kept in
// video memory count against the emulated video memory; when it is used up, creation fails
// with OutOfVideoMemory and the caller may ask for system memory instead.
class DrawDevice {
 public:
  static VideoResult Create(std::unique_ptr<DrawDevice>& out);
  ~DrawDevice();
  DrawDevice(const DrawDevice&) = delete;
  DrawDevice& operator=(const DrawDevice&) = delete;

  VideoResult SetCooperativeLevel(CooperativeLevel level);
  // Full screen only. The size and depth are taken as asked; a refresh rate other than 0 or
  // the display's own is refused (RefreshRateRefused), since it is never changed.
  VideoResult SetDisplayMode(int width, int height, int bitsPerPixel, int refreshRate);
  VideoResult RestoreDisplayMode();

  // Full screen: a primary of the display mode's size with `backBuffers` flip buffers; in a
  // window: a primary the size of the window's client area and no flip buffers.
  VideoResult CreatePrimary(int backBuffers, std::shared_ptr<DrawSurface>& out);
  VideoResult CreateSurface(int width, int height, MemoryPool pool, std::shared_ptr<DrawSurface>& out);
  VideoResult CreatePalette(const PaletteEntry* entries, std::shared_ptr<DrawPalette>& out);
  VideoResult CreateClipper(std::shared_ptr<Clipper>& out);

  PixelFormat ScreenFormat() const { return screenFormat_; }
  int MonitorFrequency() const;
  VideoResult WaitForVerticalBlank();
  void AvailableVideoMemory(std::size_t& total, std::size_t& free) const;
  VideoResult FlipToGdiSurface();

  // Objects made by this device and not yet released (surfaces, palettes, clippers).
  int LiveObjects() const { return account_->liveObjects; }

 private:
  DrawDevice();
  VideoResult MakeSurface(int width, int height, MemoryPool pool, bool primary, std::shared_ptr<DrawSurface>& out);

  std::shared_ptr<DeviceAccount> account_;
  CooperativeLevel level_ = CooperativeLevel::Normal;
  PixelFormat screenFormat_ = PixelFormat::Xrgb8888;
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  int refreshRate_ = 60;  // read once on the main thread, where the device is made
};

}  // namespace platform
