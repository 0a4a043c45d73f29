#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "world/hit_box.h"
#include "world/world_math.h"

// A grid of 64-pixel cells built afresh for one pass over objects that do not move during it.
// A query gives the objects whose box may meet a box, in the order they were added (the order
// of the list the pass would walk), each once.
template <typename T>
class cPassGrid {
 public:
  void Reset(int mapWidth, int mapHeight) {
    cols_ = std::max(1, (mapWidth >> 6) + 1);
    rows_ = std::max(1, (mapHeight >> 6) + 1);
    if (cells_.size() != static_cast<std::size_t>(cols_ * rows_)) cells_.assign(cols_ * rows_, {});
    for (auto& cell : cells_) cell.clear();
  }
  // key orders the query's answers: the object's place in the walked list.
  void Add(T* object, const WorldBox& box, std::uint32_t key) {
    int c0, r0, c1, r1;
    Cover(box, c0, r0, c1, r1);
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) cells_[r * cols_ + c].emplace_back(key, object);
    }
  }
  void Query(const WorldBox& box, std::vector<std::pair<std::uint32_t, T*>>& out) const {
    out.clear();
    int c0, r0, c1, r1;
    Cover(box, c0, r0, c1, r1);
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) {
        const auto& cell = cells_[r * cols_ + c];
        out.insert(out.end(), cell.begin(), cell.end());
      }
    }
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
  std::vector<std::vector<std::pair<std::uint32_t, T*>>> cells_;
};
