#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/video/gdi_copy.h"
#include "platform/video/palette.h"
#include "platform/video/surface.h"

namespace platform {

// A palette object of the surface backend (counted among the device's live objects).
class DrawPalette : public Palette {
 public:
  DrawPalette(const PaletteEntry* entries, std::shared_ptr<DeviceAccount> account);

 private:
  AccountedObject accounting_;
};

// Keeps blits onto the windowed primary inside the window.
class Clipper {
 public:
  explicit Clipper(std::shared_ptr<DeviceAccount> account);
  VideoResult SetWindow(const void* window);
  const void* Window() const { return window_; }

 private:
  AccountedObject accounting_;
  const void* window_ = nullptr;
};

enum BltFlag : unsigned {
  kBltWait = 1u << 0,       // accepted; software blits never have to wait
  kBltKeySrc = 1u << 1,     // leave out source pixels equal to the source's colour key
  kBltColorFill = 1u << 2,  // fill the target rectangle with the fill value instead
};

enum BltFastFlag : unsigned {
  kBltFastWait = 1u << 0,
  kBltFastSrcColorKey = 1u << 1,
};

// A surface of the surface backend: the primary (what the screen shows), its flip buffers and
// off-screen surfaces. Every surface of one device has the screen's pixel format. Whatever
// reaches the primary (a blit, a flip, a device context given back) is posted to the frame
// mailbox, seen through the attached palette when the screen has 8 bits per pixel.
class DrawSurface : public Surface {
 public:
  DrawSurface(PixelBuffer pixels, std::shared_ptr<DeviceAccount> account, MemoryPool pool, std::size_t videoBytes,
              bool primary);

  bool IsPrimary() const { return primary_; }

  // The source colour key: one pixel value (low and high must be equal).
  VideoResult SetColorKey(std::uint32_t low, std::uint32_t high);
  std::optional<std::uint32_t> ColorKey() const { return colorKey_; }

  // Copies (stretching by the layer's sampling rule when the sizes differ) or fills. Null
  // rectangles mean the whole surface. The rectangles must lie inside their surfaces, except
  // that a target with a clipper is clipped to itself.
  VideoResult Blt(const PixelRect* to, DrawSurface* source, const PixelRect* from, unsigned flags,
                  std::uint32_t fillValue = 0);
  // A 1:1 copy to (x, y); the whole target rectangle must lie inside this surface.
  VideoResult BltFast(int x, int y, DrawSurface& source, const PixelRect* from, unsigned flags);

  VideoResult SetPalette(std::shared_ptr<DrawPalette> palette);
  DrawPalette* AttachedPalette() const { return palette_.get(); }
  VideoResult SetClipper(std::shared_ptr<Clipper> clipper);

  // The first flip buffer of a full-screen primary.
  VideoResult GetAttachedBackBuffer(std::shared_ptr<DrawSurface>& out);
  // Shows the next flip buffer: the primary takes its pixels and the buffers rotate.
  VideoResult Flip();

  // Lends the pixels out for GDI-style copies and text until ReleaseDC; the surface is busy
  // meanwhile.
  VideoResult GetDC(DeviceContext& out);
  VideoResult ReleaseDC();

  void AttachFlipBuffers(std::vector<std::shared_ptr<DrawSurface>> buffers) { flipBuffers_ = std::move(buffers); }

 private:
  VideoResult CopyFrom(const PixelRect& to, const PixelRect& clip, DrawSurface& source, const PixelRect& from,
                       bool keyed);
  void Show();

  bool primary_;
  std::optional<std::uint32_t> colorKey_;
  std::shared_ptr<DrawPalette> palette_;
  std::shared_ptr<Clipper> clipper_;
  std::vector<std::shared_ptr<DrawSurface>> flipBuffers_;
  bool dcOut_ = false;
};

}  // namespace platform
