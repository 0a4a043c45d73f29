#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/video/pixel_buffer.h"
#include "platform/video/render_types.h"
#include "platform/video/video_result.h"

namespace platform {

// The bookkeeping a device shares with every object it made: how many are alive and how much
// of the (emulated) video memory they hold. Objects keep it alive, so an object released after
// its device is still released safely.
struct DeviceAccount {
  int liveObjects = 0;
  int defaultPoolObjects = 0;  // device-backend objects that a Reset needs gone first
  std::size_t videoBytes = 0;
  std::size_t videoLimit = 0;  // 0: no limit

  bool ReserveVideo(std::size_t bytes);
  void ReleaseVideo(std::size_t bytes);
};

// Counts one live object of an account, for the lifetime of the holder.
class AccountedObject {
 public:
  AccountedObject(std::shared_ptr<DeviceAccount> account, MemoryPool pool, std::size_t videoBytes);
  ~AccountedObject();
  AccountedObject(const AccountedObject&) = delete;
  AccountedObject& operator=(const AccountedObject&) = delete;

  MemoryPool pool() const { return pool_; }

 private:
  std::shared_ptr<DeviceAccount> account_;
  MemoryPool pool_;
  std::size_t videoBytes_;
};

struct LockedRect {
  std::uint8_t* bits = nullptr;
  int pitch = 0;  // bytes
};

// Pixels that can be locked for direct access, lost and restored: the common part of the
// surfaces of both backends and of texture levels.
class Surface {
 public:
  Surface(PixelBuffer pixels, std::shared_ptr<DeviceAccount> account, MemoryPool pool, std::size_t videoBytes);
  virtual ~Surface() = default;
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  int Width() const { return pixels_.width(); }
  int Height() const { return pixels_.height(); }
  PixelFormat Format() const { return pixels_.format(); }
  MemoryPool Pool() const { return accounting_.pool(); }

  // The whole surface. Fails while it is lost or already locked.
  VideoResult Lock(LockedRect& out);
  VideoResult Unlock();
  bool IsLocked() const { return locked_; }

  // A lost surface keeps its size but not its pixels; every operation on it fails with
  // SurfaceLost until it is restored, after which its pixels are zero. Nothing is ever lost
  // in software: tests and the device backend's loss mark surfaces lost.
  bool IsLost() const { return lost_; }
  void MarkLost();
  VideoResult Restore();

  // Direct access for the layer's own operations and for tests.
  PixelBuffer& Pixels() { return pixels_; }
  const PixelBuffer& Pixels() const { return pixels_; }

 protected:
  // Ok, or why the surface cannot be drawn on or read now.
  VideoResult Usable() const;

  PixelBuffer pixels_;

 private:
  AccountedObject accounting_;
  bool locked_ = false;
  bool lost_ = false;
};

}  // namespace platform
