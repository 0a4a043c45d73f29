#pragma once

#include <cstdint>

#include "core/record_base.h"

// Where the window stood when the program last closed (user_data\Window.dat).
class cWindowPlace : public cData {
 public:
  cWindowPlace();
  cWindowPlace(const cWindowPlace&) = default;
  cWindowPlace& operator=(const cWindowPlace&) = default;

  void RegisterFields(std::int32_t version) override;
  // Reads, then keeps the corner on the desktop: a stored position can come from a larger
  // screen or another machine.
  bool Read(RecordReader& in) override;

  // The largest corner position the desktop allows; the window layer sets it.
  static void SetDesktopLimits(std::int32_t maxX, std::int32_t maxY);

  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t maximized = 0;
};
