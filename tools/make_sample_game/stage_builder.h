#pragma once

#include <vector>

#include "data/common_palette.h"
#include "data/stage_data.h"

namespace sample {

// Lays a stage out on a grid of common-palette entries and turns it into placements: each
// placement is a copy of its palette entry that names it and inherits every group from it,
// so a stage read back holds exactly what was written.
class StageBuilder {
 public:
  StageBuilder(const cCommonPalette& palette, int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }

  void Block(int x, int y, int entry);
  void Row(int x0, int x1, int y, int entry);
  void Column(int x, int y0, int y1, int entry);
  // Ground from column x0 to x1 whose surface is row `top`: grass with rounded edges over
  // earth down to the bottom row.
  void Ground(int x0, int x1, int top);
  // A pool of a liquid from x0 to x1, surface at row `top`.
  void Pool(int x0, int x1, int top, int surface, int deep);
  void Chara(int x, int y, int entry);
  // A character carrying an item: the item is placed with it, and only comes out when the
  // character is defeated.
  void CharaHolding(int x, int y, int entry, int item);
  void Item(int x, int y, int entry);
  void Items(int x, int y, int count, int entry, int step = 1);

  // The placements, row by row; the stage's size fields follow the grid.
  void Fill(cStageData& stage) const;

 private:
  struct Placed {
    int x, y, entry;
    int held = 0;  // the carried item's entry, 0 for none
  };

  const cCommonPalette& palette_;
  int width_;
  int height_;
  std::vector<int> cells_;
  std::vector<Placed> charas_;
  std::vector<Placed> items_;
};

}  // namespace sample
