#include "world/block_map.h"

#include <new>

#include "core/record_writer.h"

namespace {

// What a cell shows before anything is placed in it: no picture, passable, unprotected.
cEdBlock EmptyBlock() {
  cEdBlock block;
  block.nPicture = 0;
  block.nHitKind = 0;
  block.bProtected = 0;
  return block;
}

}  // namespace

cBlockMap::cBlockMap() { defs_.push_back(EmptyBlock()); }

bool cBlockMap::Reset(std::size_t cells) {
  defs_.resize(1);
  interned_.clear();
  try {
    cells_.assign(cells, cBlockCell{});
  } catch (const std::bad_alloc&) {
    cells_.clear();
    cells_.shrink_to_fit();
    return false;
  }
  return true;
}

void cBlockMap::Put(int index, const cEdBlock& block) {
  defs_.push_back(block);
  cells_[static_cast<std::size_t>(index)] = cBlockCell{static_cast<std::uint32_t>(defs_.size() - 1), 0};
}

void cBlockMap::PutInterned(int index, const cEdBlock& block) {
  // Writing is not const (it registers its version's fields and checks the block), so a copy is
  // written; the block itself is what the cell shows.
  cEdBlock copy = block;
  RecordWriter out;
  copy.Write(out);
  const auto [it, added] = interned_.try_emplace(out.Bytes(), static_cast<std::uint32_t>(defs_.size()));
  if (added) defs_.push_back(block);
  cells_[static_cast<std::size_t>(index)] = cBlockCell{it->second, 0};
}
