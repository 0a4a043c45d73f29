#pragma once

#include <cstdint>

#include "core/record_base.h"

// The start-up choice of drawing backend (user_data\Boot.dat).
class cBootSettings : public cData {
 public:
  cBootSettings();
  cBootSettings(const cBootSettings&) = default;
  cBootSettings& operator=(const cBootSettings&) = default;

  void RegisterFields(std::int32_t version) override;

  std::int32_t choice = 1;    // 1 Direct3D, 0 DirectDraw
  std::int32_t doNotAsk = 0;  // 1: use the choice without asking
};

extern cBootSettings BootSettings;
