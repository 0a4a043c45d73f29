#include "platform/video/draw_surface.h"

#include "platform/video/frame_mailbox.h"
#include "platform/video/pixel_rows.h"
#include "platform/video/video_settings.h"

namespace platform {
namespace {

bool Inside(const PixelRect& rect, const PixelRect& bounds) {
  return !rect.Empty() && rect.left >= bounds.left && rect.top >= bounds.top && rect.right <= bounds.right &&
         rect.bottom <= bounds.bottom;
}

}  // namespace

DrawPalette::DrawPalette(const PaletteEntry* entries, std::shared_ptr<DeviceAccount> account)
    : Palette(entries), accounting_(std::move(account), MemoryPool::SystemMemory, 0) {}

Clipper::Clipper(std::shared_ptr<DeviceAccount> account)
    : accounting_(std::move(account), MemoryPool::SystemMemory, 0) {}

VideoResult Clipper::SetWindow(const void* window) {
  if (CurrentVideoSettings().Fails(DrawFault::ClipperWindow)) return VideoResult::Failed;
  window_ = window;
  return VideoResult::Ok;
}

DrawSurface::DrawSurface(PixelBuffer pixels, std::shared_ptr<DeviceAccount> account, MemoryPool pool,
                         std::size_t videoBytes, bool primary)
    : Surface(std::move(pixels), std::move(account), pool, videoBytes), primary_(primary) {}

VideoResult DrawSurface::SetColorKey(std::uint32_t low, std::uint32_t high) {
  if (low != high) return VideoResult::InvalidCall;
  colorKey_ = low;
  return VideoResult::Ok;
}

VideoResult DrawSurface::Blt(const PixelRect* to, DrawSurface* source, const PixelRect* from, unsigned flags,
                             std::uint32_t fillValue) {
  if (const VideoResult usable = Usable(); !Succeeded(usable)) return usable;
  const PixelRect target = to != nullptr ? *to : pixels_.Bounds();
  PixelRect clip = target;
  if (clipper_ != nullptr) {
    clip = Intersect(target, pixels_.Bounds());
    if (clip.Empty()) return VideoResult::Ok;
  } else if (!Inside(target, pixels_.Bounds())) {
    return VideoResult::InvalidRect;
  }
  if ((flags & kBltColorFill) != 0) {
    FillPixels(pixels_, clip, fillValue);
    Show();
    return VideoResult::Ok;
  }
  if (source == nullptr) return VideoResult::InvalidCall;
  const PixelRect sourceRect = from != nullptr ? *from : source->pixels_.Bounds();
  return CopyFrom(target, clip, *source, sourceRect, (flags & kBltKeySrc) != 0);
}

VideoResult DrawSurface::BltFast(int x, int y, DrawSurface& source, const PixelRect* from, unsigned flags) {
  if (const VideoResult usable = Usable(); !Succeeded(usable)) return usable;
  const PixelRect sourceRect = from != nullptr ? *from : source.pixels_.Bounds();
  const PixelRect target{x, y, x + sourceRect.Width(), y + sourceRect.Height()};
  if (!Inside(target, pixels_.Bounds())) return VideoResult::InvalidRect;
  return CopyFrom(target, target, source, sourceRect, (flags & kBltFastSrcColorKey) != 0);
}

VideoResult DrawSurface::CopyFrom(const PixelRect& to, const PixelRect& clip, DrawSurface& source,
                                  const PixelRect& from, bool keyed) {
  if (&source != this) {
    if (const VideoResult usable = source.Usable(); !Succeeded(usable)) return usable;
  }
  if (!Inside(from, source.pixels_.Bounds())) return VideoResult::InvalidRect;
  if (source.Format() != Format()) return VideoResult::InvalidCall;
  const bool useKey = keyed && source.colorKey_.has_value();
  const std::uint32_t key = source.colorKey_.value_or(0);
  if (to.Width() == from.Width() && to.Height() == from.Height()) {
    const PixelRect part{from.left + clip.left - to.left, from.top + clip.top - to.top,
                         from.left + clip.right - to.left, from.top + clip.bottom - to.top};
    if (useKey) {
      CopyPixelsKeyed(pixels_, clip.left, clip.top, source.pixels_, part, key);
    } else {
      CopyPixels(pixels_, clip.left, clip.top, source.pixels_, part);
    }
  } else {
    StretchCopy copy;
    copy.to = to;
    copy.clip = clip;
    copy.columns = SampleRun{from.left, 1, from.Width()};
    copy.rows = SampleRun{from.top, 1, from.Height()};
    copy.keyed = useKey;
    copy.key = key;
    StretchPixels(pixels_, source.pixels_, copy);
  }
  Show();
  return VideoResult::Ok;
}

VideoResult DrawSurface::SetPalette(std::shared_ptr<DrawPalette> palette) {
  if (CurrentVideoSettings().Fails(DrawFault::AttachPalette)) return VideoResult::Failed;
  if (Format() != PixelFormat::Indexed8) return VideoResult::InvalidCall;
  palette_ = std::move(palette);
  return VideoResult::Ok;
}

VideoResult DrawSurface::SetClipper(std::shared_ptr<Clipper> clipper) {
  if (CurrentVideoSettings().Fails(DrawFault::AttachClipper)) return VideoResult::Failed;
  clipper_ = std::move(clipper);
  return VideoResult::Ok;
}

VideoResult DrawSurface::GetAttachedBackBuffer(std::shared_ptr<DrawSurface>& out) {
  out.reset();
  if (CurrentVideoSettings().Fails(DrawFault::AttachedSurface) || flipBuffers_.empty()) return VideoResult::Failed;
  out = flipBuffers_.front();
  return VideoResult::Ok;
}

VideoResult DrawSurface::Flip() {
  if (flipBuffers_.empty()) return VideoResult::InvalidCall;
  if (const VideoResult usable = Usable(); !Succeeded(usable)) return usable;
  for (const std::shared_ptr<DrawSurface>& buffer : flipBuffers_) {
    if (const VideoResult usable = buffer->Usable(); !Succeeded(usable)) return usable;
  }
  // primary <- buffer 0 <- buffer 1 ... <- old primary
  std::swap(pixels_, flipBuffers_.front()->pixels_);
  for (std::size_t i = 1; i < flipBuffers_.size(); ++i)
    std::swap(flipBuffers_[i - 1]->pixels_, flipBuffers_[i]->pixels_);
  Show();
  return VideoResult::Ok;
}

VideoResult DrawSurface::GetDC(DeviceContext& out) {
  out = DeviceContext{};
  LockedRect locked;
  if (const VideoResult result = Lock(locked); !Succeeded(result)) return result;
  dcOut_ = true;
  out.pixels = &pixels_;
  out.palette = palette_.get();
  return VideoResult::Ok;
}

VideoResult DrawSurface::ReleaseDC() {
  if (!dcOut_) return VideoResult::NotLocked;
  dcOut_ = false;
  Unlock();
  Show();
  return VideoResult::Ok;
}

void DrawSurface::Show() {
  if (primary_) PresentedFrames().Post(pixels_, palette_.get());
}

}  // namespace platform
