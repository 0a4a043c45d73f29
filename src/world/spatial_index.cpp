#include "world/spatial_index.h"

#include <algorithm>


namespace {

constexpr int kCellShift = 6;  // 64 pixels

}  // namespace

void cSpatialIndex::Reset(int mapWidth, int mapHeight) {
  cols_ = std::max(1, (std::max(mapWidth, 1) + 63) >> kCellShift);
  rows_ = std::max(1, (std::max(mapHeight, 1) + 63) >> kCellShift);
  cells_.assign(static_cast<std::size_t>(cols_) * rows_, {});
  // The objects of the old entries are gone with the field: their slots are not touched.
  entries_.clear();
  free_.clear();
  stamp_.clear();
  ++generation_;
}

void cSpatialIndex::Cover(const WorldBox& box, int& c0, int& r0, int& c1, int& r1) const {
  // An inverted box still meets boxes that span its edge: cover both of its ends.
  // Outside the map (or NaN) counts as its edge cells; inside, truncation is the floor.
  const auto cell = [](double v, int count) {
    if (!(v >= 0)) return 0;
    if (v >= static_cast<double>(count) * 64) return count - 1;
    return static_cast<int>(v) >> kCellShift;
  };
  c0 = cell(std::min(box.left, box.right), cols_);
  c1 = cell(std::max(box.left, box.right), cols_);
  r0 = cell(std::min(box.top, box.bottom), rows_);
  r1 = cell(std::max(box.top, box.bottom), rows_);
}

void cSpatialIndex::Link(std::int32_t id) {
  const Entry& e = entries_[id];
  for (int r = e.r0; r <= e.r1; ++r) {
    for (int c = e.c0; c <= e.c1; ++c) cells_[static_cast<std::size_t>(r) * cols_ + c].push_back(id);
  }
}

void cSpatialIndex::Unlink(std::int32_t id) {
  const Entry& e = entries_[id];
  for (int r = e.r0; r <= e.r1; ++r) {
    for (int c = e.c0; c <= e.c1; ++c) {
      std::vector<std::int32_t>& cell = cells_[static_cast<std::size_t>(r) * cols_ + c];
      const auto it = std::find(cell.begin(), cell.end(), id);
      if (it != cell.end()) {
        *it = cell.back();
        cell.pop_back();
      }
    }
  }
}

void cSpatialIndex::Insert(cCharaBase* object, std::int32_t& slot, const WorldBox& box, std::uint64_t key) {
  if (slot >= 0) Remove(slot);
  std::int32_t id = 0;
  if (!free_.empty()) {
    id = free_.back();
    free_.pop_back();
  } else {
    id = static_cast<std::int32_t>(entries_.size());
    entries_.emplace_back();
    stamp_.push_back(0);
  }
  Entry& e = entries_[id];
  e.object = object;
  e.key = key;
  e.slot = &slot;
  Cover(box, e.c0, e.r0, e.c1, e.r1);
  Link(id);
  slot = id;
  ++generation_;
}

void cSpatialIndex::Remove(std::int32_t& slot) {
  if (slot < 0 || slot >= static_cast<std::int32_t>(entries_.size())) return;
  Unlink(slot);
  entries_[slot] = Entry{};
  free_.push_back(slot);
  slot = -1;
  ++generation_;
}

void cSpatialIndex::Move(std::int32_t slot, const WorldBox& box) {
  if (slot < 0 || slot >= static_cast<std::int32_t>(entries_.size())) return;
  Entry& e = entries_[slot];
  int c0 = 0, r0 = 0, c1 = 0, r1 = 0;
  Cover(box, c0, r0, c1, r1);
  // Moves are counted even within the same cells: a walk re-tests after any of them.
  ++generation_;
  if (c0 == e.c0 && r0 == e.r0 && c1 == e.c1 && r1 == e.r1) return;
  Unlink(slot);
  e.c0 = c0;
  e.r0 = r0;
  e.c1 = c1;
  e.r1 = r1;
  Link(slot);
}

void cSpatialIndex::Query(const WorldBox& box, std::vector<cCharaBase*>& out) const {
  out.clear();
  int c0 = 0, r0 = 0, c1 = 0, r1 = 0;
  Cover(box, c0, r0, c1, r1);
  if (++stampNow_ == 0) {
    std::fill(stamp_.begin(), stamp_.end(), 0);
    stampNow_ = 1;
  }
  thread_local std::vector<std::int32_t> ids;
  ids.clear();
  for (int r = r0; r <= r1; ++r) {
    for (int c = c0; c <= c1; ++c) {
      for (std::int32_t id : cells_[static_cast<std::size_t>(r) * cols_ + c]) {
        if (stamp_[id] == stampNow_) continue;
        stamp_[id] = stampNow_;
        ids.push_back(id);
      }
    }
  }
  std::sort(ids.begin(), ids.end(), [this](std::int32_t a, std::int32_t b) { return entries_[a].key < entries_[b].key; });
  for (std::int32_t id : ids) out.push_back(entries_[id].object);
}
