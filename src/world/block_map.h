#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/ed_block.h"

// A cell of the play field: the block it shows, as an index into its map's definitions, and the
// latch of that block's once-only appearance conditions.
struct cBlockCell {
  std::uint32_t nDef = 0;
  std::int32_t nLatch = 0;
};

// The play field's grid of cells, row-major. A cell costs eight bytes however heavy a block
// record is, so the largest stage a file can describe fits: the definitions are held once, the
// empty block first, then a copy of each placement and each block a change put in.
class cBlockMap {
 public:
  cBlockMap();

  // Every cell empty and unlatched (the definitions other than the empty block go). False when
  // the memory cannot be had; the map is then empty.
  bool Reset(std::size_t cells);
  std::size_t size() const { return cells_.size(); }
  std::size_t DefinitionCount() const { return defs_.size(); }

  // The block of a cell in range.
  const cEdBlock& Block(int index) const { return defs_[cells_[static_cast<std::size_t>(index)].nDef]; }
  // The block of a cell, or nullptr outside the map.
  const cEdBlock* Find(int index) const {
    return index < 0 || static_cast<std::size_t>(index) >= cells_.size() ? nullptr : &Block(index);
  }
  std::int32_t& Latch(int index) { return cells_[static_cast<std::size_t>(index)].nLatch; }

  // A copy of the block becomes the cell's, unlatched.
  void Put(int index, const cEdBlock& block);
  // The same, a block of the same contents held once: changes back and forth add nothing.
  void PutInterned(int index, const cEdBlock& block);
  // The empty block, unlatched.
  void Clear(int index) { cells_[static_cast<std::size_t>(index)] = cBlockCell{}; }

  // The cell as it stands, and putting it back (a change taken back).
  cBlockCell Get(int index) const { return cells_[static_cast<std::size_t>(index)]; }
  void Restore(int index, cBlockCell cell) { cells_[static_cast<std::size_t>(index)] = cell; }

 private:
  // A deque: a block handed out stays where it is while others are added.
  std::deque<cEdBlock> defs_;
  std::unordered_map<std::string, std::uint32_t> interned_;  // by the block's stored bytes
  std::vector<cBlockCell> cells_;
};
