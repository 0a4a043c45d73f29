#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"

// One menu entry: shown while enabled, under its label.
class cSysNamedEntry : public cData {
 public:
  // Enabled, without a label.
  cSysNamedEntry();
  cSysNamedEntry(std::int32_t enabled, const char* name);
  cSysNamedEntry(const cSysNamedEntry&) = default;
  cSysNamedEntry& operator=(const cSysNamedEntry&) = default;

  void RegisterFields(std::int32_t version) override;

  std::int32_t bEnabled = 0;
  std::string strName;
};
