#include "input/dialogs/image_ctrl.h"

#include "input/dialogs/dialog.h"

cImageCtrl::~cImageCtrl() {
  for (cGdiHolder& holder : holders) holder.Release();
}

bool cImageCtrl::HasWindow() const { return owner_ != nullptr && owner_->exists && owner_->Item(id_) != nullptr; }
