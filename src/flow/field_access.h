#pragma once

#include <cstdint>

#include "flow/flow_actor_seam.h"

// A status field read sign-extended from its width; 0 without an address.
inline std::int32_t ReadField(const FieldRef& f) {
  if (f.address == nullptr) return 0;
  switch (f.width) {
    case 8: return *static_cast<const std::int8_t*>(f.address);
    case 16: return *static_cast<const std::int16_t*>(f.address);
    default: return *static_cast<const std::int32_t*>(f.address);
  }
}

// A value stored in its low 8, 16 or 32 bits.
inline void WriteField(const FieldRef& f, std::int32_t v) {
  if (f.address == nullptr) return;
  switch (f.width) {
    case 8: *static_cast<std::int8_t*>(f.address) = static_cast<std::int8_t>(v); break;
    case 16: *static_cast<std::int16_t*>(f.address) = static_cast<std::int16_t>(v); break;
    default: *static_cast<std::int32_t*>(f.address) = v; break;
  }
}
