#pragma once

#include <cstdint>

#include "data/ed_item.h"
#include "world/game_obj.h"

// An item on the field, or the item a character holds. Its commands and pickup come with the
// item objects; the world keeps its place and definition.
class cItemObj : public cGameObj {
 public:
  cEdItem Def;
  std::int32_t bHeld = 0;
  std::int32_t bCondLatch = 0;
};
