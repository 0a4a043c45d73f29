#include "platform/video/surface.h"

namespace platform {

bool DeviceAccount::ReserveVideo(std::size_t bytes) {
  if (videoLimit != 0 && (videoBytes > videoLimit || bytes > videoLimit - videoBytes)) return false;
  videoBytes += bytes;
  return true;
}

void DeviceAccount::ReleaseVideo(std::size_t bytes) { videoBytes -= bytes < videoBytes ? bytes : videoBytes; }

AccountedObject::AccountedObject(std::shared_ptr<DeviceAccount> account, MemoryPool pool, std::size_t videoBytes)
    : account_(std::move(account)), pool_(pool), videoBytes_(videoBytes) {
  if (account_ == nullptr) return;
  ++account_->liveObjects;
  if (pool_ == MemoryPool::Default) ++account_->defaultPoolObjects;
}

AccountedObject::~AccountedObject() {
  if (account_ == nullptr) return;
  --account_->liveObjects;
  if (pool_ == MemoryPool::Default) --account_->defaultPoolObjects;
  account_->ReleaseVideo(videoBytes_);
}

Surface::Surface(PixelBuffer pixels, std::shared_ptr<DeviceAccount> account, MemoryPool pool, std::size_t videoBytes)
    : pixels_(std::move(pixels)), accounting_(std::move(account), pool, videoBytes) {}

VideoResult Surface::Usable() const {
  if (lost_) return VideoResult::SurfaceLost;
  if (locked_) return VideoResult::SurfaceBusy;
  return VideoResult::Ok;
}

VideoResult Surface::Lock(LockedRect& out) {
  out = LockedRect{};
  if (const VideoResult usable = Usable(); !Succeeded(usable)) return usable;
  locked_ = true;
  out.bits = pixels_.data();
  out.pitch = pixels_.pitch();
  return VideoResult::Ok;
}

VideoResult Surface::Unlock() {
  if (!locked_) return VideoResult::NotLocked;
  locked_ = false;
  return VideoResult::Ok;
}

void Surface::MarkLost() {
  lost_ = true;
  locked_ = false;
}

VideoResult Surface::Restore() {
  if (lost_) {
    lost_ = false;
    pixels_.Clear();
  }
  return VideoResult::Ok;
}

}  // namespace platform
