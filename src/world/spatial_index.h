#pragma once

#include <cstdint>
#include <vector>

#include "world/hit_box.h"

class cCharaBase;

// A uniform grid of 64-pixel cells over the map holding characters by a box. A query gives
// the characters whose box may meet a given box, in the order of their keys (the order of the
// list the caller walks), so a caller that applies its own exact test visits the same objects
// in the same order as a walk over the whole list. Every change bumps the generation, so a
// walk can tell when to ask again.
class cSpatialIndex {
 public:
  void Reset(int mapWidth, int mapHeight);
  // slot is the object's own record of where it sits in this index (-1 outside).
  void Insert(cCharaBase* object, std::int32_t& slot, const WorldBox& box, std::uint64_t key);
  void Remove(std::int32_t& slot);
  void Move(std::int32_t slot, const WorldBox& box);
  void Query(const WorldBox& box, std::vector<cCharaBase*>& out) const;
  std::uint64_t Generation() const { return generation_; }
  std::uint64_t KeyOf(std::int32_t slot) const { return entries_[slot].key; }

 private:
  struct Entry {
    cCharaBase* object = nullptr;
    std::uint64_t key = 0;
    int c0 = 0, r0 = 0, c1 = -1, r1 = -1;
    std::int32_t* slot = nullptr;
  };
  void Cover(const WorldBox& box, int& c0, int& r0, int& c1, int& r1) const;
  void Link(std::int32_t id);
  void Unlink(std::int32_t id);

  int cols_ = 1;
  int rows_ = 1;
  std::vector<std::vector<std::int32_t>> cells_;
  std::vector<Entry> entries_;
  std::vector<std::int32_t> free_;
  mutable std::vector<std::uint32_t> stamp_;
  mutable std::uint32_t stampNow_ = 0;
  std::uint64_t generation_ = 0;
};
