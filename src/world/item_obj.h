#pragma once

#include <cstdint>

#include "data/ed_item.h"
#include "world/game_obj.h"

struct DDSURFACEDATA;

// An item on the field, or the item a character holds: its own copy of the definition with
// the loop commands unrolled.
class cItemObj : public cGameObj {
 public:
  cItemObj();
  cItemObj(const cItemObj&) = default;
  cItemObj& operator=(const cItemObj&) = default;

  void KeepFootOnScale(int newScale, int oldScale) override;

  // A temporary item (a block event's or a shot's) is present at once and never scaled.
  void Init(int number, const cEdItem& def, int temporary);
  void PlaceAtCell(int column, int row);
  void Draw(DDSURFACEDATA* target, bool step);
  int Scale() const { return Def.nScale != 0 ? Def.nScale : 1; }

  cEdItem Def;
  std::int32_t bTemporary = 0;
  std::int32_t bHeld = 0;
  std::int32_t bCondLatch = 0;
};

// The items' animation table: frames 0 and 1, 16 ticks each, looping.
const AnimeStepTable& ItemAnimes();
