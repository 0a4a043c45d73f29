#pragma once

#include <memory>

#include "input/dialogs/dialog_canvas.h"

// Drawing surfaces a window or picture control may keep: up to two off-screen canvases, an
// overlay laid on the first, and one further object. Release frees the overlay first, then
// the canvases, then the object, and leaves the holder empty; an empty holder releases nothing.
class cGdiHolder {
 public:
  ~cGdiHolder() { Release(); }
  void Release();
  bool Empty() const { return !surfaces[0] && !surfaces[1] && !overlay && !object; }

  std::unique_ptr<DialogCanvas> surfaces[2];
  std::unique_ptr<DialogCanvas> overlay;
  std::shared_ptr<void> object;
};
