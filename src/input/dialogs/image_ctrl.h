#pragma once

#include "input/dialogs/ctrl.h"
#include "input/dialogs/gdi_holder.h"

// A picture item (kind 4) with the two holders of what it shows.
class cImageCtrl : public cCtrl {
 public:
  cImageCtrl() : cCtrl(4) {}
  ~cImageCtrl() override;
  // True once attached to an item its dialog has.
  bool HasWindow() const;

  cGdiHolder holders[2];
};
