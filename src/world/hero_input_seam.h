#pragma once

#include <cstdint>

class cCharaBase;

// How the hero reaches its input record: the input subsystem plugs the players' inputs in here
// (one call of SetHeroInputLink), the hero names its record by index. Until then no direction
// or button is pressed and no key is held.
struct HeroInputWords {
  std::uint32_t directions = 0;  // bits of the held directions
  std::uint32_t buttons = 0;     // bits of the held buttons
  std::int32_t dirCode = 0;      // the direction code of the held directions
};

class cHeroInputLink {
 public:
  virtual ~cHeroInputLink() = default;
  virtual HeroInputWords Words(int /*inputIndex*/) { return {}; }
};

// nullptr puts the default back.
void SetHeroInputLink(cHeroInputLink* link);
cHeroInputLink& HeroInputLink();
