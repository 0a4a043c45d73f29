#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "world/hit_box.h"
#include "core/world_math.h"

// A grid of 64-pixel cells built afresh for one pass over objects that do not move during it.
// A query gives the objects whose box may meet a box, in the order they were added (the order
// of the list the pass would walk), each once.
template <typename T>
class cPassGrid {
 public:
  void Reset(int mapWidth, int mapHeight) {
    cols_ = std::max(1, (mapWidth >> 6) + 1);
    rows_ = std::max(1, (mapHeight >> 6) + 1);
    if (cells_.size() != static_cast<std::size_t>(cols_ * rows_)) {
      cells_.assign(cols_ * rows_, {});
    } else {
      // Grids are rebuilt after every hit that changes the field: clearing only the cells in
      // use keeps a rebuild proportional to the objects, not to the map.
      for (int cell : used_) cells_[cell].clear();
    }
    used_.clear();
    ascending_ = true;
    lastKey_ = 0;
  }
  // key orders the query's answers: the object's place in the walked list.
  void Add(T* object, const WorldBox& box, std::uint64_t key) {
    int c0, r0, c1, r1;
    Cover(box, c0, r0, c1, r1);
    if (key < lastKey_) ascending_ = false;
    lastKey_ = key;
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) {
        auto& cell = cells_[r * cols_ + c];
        if (cell.empty()) used_.push_back(r * cols_ + c);
        cell.emplace_back(key, object);
      }
    }
  }
  void Query(const WorldBox& box, std::vector<std::pair<std::uint64_t, T*>>& out) const {
    out.clear();
    int c0, r0, c1, r1;
    Cover(box, c0, r0, c1, r1);
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) {
        const auto& cell = cells_[r * cols_ + c];
        out.insert(out.end(), cell.begin(), cell.end());
      }
    }
    // One cell added to in key order is already in order and holds each object once.
    if (ascending_ && r0 == r1 && c0 == c1) return;
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    out.erase(std::unique(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
              out.end());
  }

 private:
  void Cover(const WorldBox& box, int& c0, int& r0, int& c1, int& r1) const {
    const auto clampTo = [](int v, int hi) { return std::clamp(v, 0, hi); };
    c0 = clampTo(TruncToInt(box.left) >> 6, cols_ - 1);
    c1 = clampTo(TruncToInt(box.right) >> 6, cols_ - 1);
    r0 = clampTo(TruncToInt(box.top) >> 6, rows_ - 1);
    r1 = clampTo(TruncToInt(box.bottom) >> 6, rows_ - 1);
    // An empty box (right before left) still meets what its edges touch.
    if (c1 < c0) std::swap(c0, c1);
    if (r1 < r0) std::swap(r0, r1);
  }

  int cols_ = 1;
  int rows_ = 1;
  std::vector<std::vector<std::pair<std::uint64_t, T*>>> cells_;
  std::vector<int> used_;  // the cells holding anything, each once
  bool ascending_ = true;  // every Add since the reset came with a key no lower than the last
  std::uint64_t lastKey_ = 0;
};
