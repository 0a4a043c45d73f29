#pragma once

#include <cstdint>

#include "data/ed_block.h"

// A cell of the play field: a block and the latch of its once-only appearance conditions.
class cBlockCell : public cEdBlock {
 public:
  cBlockCell() = default;
  cBlockCell(const cBlockCell&) = default;
  cBlockCell& operator=(const cBlockCell&) = default;
  explicit cBlockCell(const cEdBlock& block, std::int32_t latch = 0) : cEdBlock(block), nLatch(latch) {}
  // A new definition written into the cell starts unlatched.
  cBlockCell& operator=(const cEdBlock& block) {
    cEdBlock::operator=(block);
    nLatch = 0;
    return *this;
  }

  // 1 once the conditions held with the once-only flag set.
  std::int32_t nLatch = 0;
};
