#include "input/dialogs/gdi_holder.h"

void cGdiHolder::Release() {
  overlay.reset();
  for (std::unique_ptr<DialogCanvas>& surface : surfaces) surface.reset();
  object.reset();
}
