#include "make_sample_game/stage_builder.h"

#include "make_sample_game/sample_definitions.h"

namespace sample {

namespace {

constexpr std::uint8_t kCommonPaletteSource = 1;

// A placement: the palette entry itself, naming its source and taking every group from it.
template <typename T>
T Placement(const cVector<T>& list, int entry, int x, int y) {
  T placed = list[entry];
  placed.nPalSource = kCommonPaletteSource;
  placed.nPalIndex = static_cast<std::int16_t>(entry);
  placed.inheritFlags.assign(T::kInheritGroups, 1);
  placed.x = static_cast<std::int16_t>(x);
  placed.y = static_cast<std::int16_t>(y);
  return placed;
}

}  // namespace

StageBuilder::StageBuilder(const cCommonPalette& palette, int width, int height)
    : palette_(palette), width_(width), height_(height), cells_(static_cast<std::size_t>(width) * height, 0) {}

void StageBuilder::Block(int x, int y, int entry) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  cells_[static_cast<std::size_t>(y) * width_ + x] = entry;
}

void StageBuilder::Row(int x0, int x1, int y, int entry) {
  for (int x = x0; x <= x1; ++x) Block(x, y, entry);
}

void StageBuilder::Column(int x, int y0, int y1, int entry) {
  for (int y = y0; y <= y1; ++y) Block(x, y, entry);
}

void StageBuilder::Ground(int x0, int x1, int top) {
  Row(x0, x1, top, blockdef::kGrass);
  if (x0 > 0) Block(x0, top, blockdef::kGrassLeft);
  if (x1 < width_ - 1) Block(x1, top, blockdef::kGrassRight);
  for (int y = top + 1; y < height_; ++y) {
    for (int x = x0; x <= x1; ++x) Block(x, y, (x * 7 + y * 3) % 11 == 0 ? blockdef::kDirtStones : blockdef::kDirt);
  }
}

void StageBuilder::Pool(int x0, int x1, int top, int surface, int deep) {
  Row(x0, x1, top, surface);
  for (int y = top + 1; y < height_; ++y) Row(x0, x1, y, deep);
}

void StageBuilder::Chara(int x, int y, int entry) { charas_.push_back({x, y, entry}); }

void StageBuilder::CharaHolding(int x, int y, int entry, int item) { charas_.push_back({x, y, entry, item}); }

void StageBuilder::Item(int x, int y, int entry) { items_.push_back({x, y, entry}); }

void StageBuilder::Items(int x, int y, int count, int entry, int step) {
  for (int i = 0; i < count; ++i) Item(x + i * step, y, entry);
}

void StageBuilder::Fill(cStageData& stage) const {
  stage.nWidth = width_;
  stage.nHeight = height_;
  stage.nMapPixelWidth = width_ * 32;
  stage.nMapPixelHeight = height_ * 32;
  stage.Blocks.clear();
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const int entry = cells_[static_cast<std::size_t>(y) * width_ + x];
      if (entry != 0) stage.Blocks.push_back(Placement(palette_.Blocks, entry, x, y));
    }
  }
  stage.Items.clear();
  for (const Placed& p : items_) stage.Items.push_back(Placement(palette_.Items, p.entry, p.x, p.y));
  // Carried items are placements like the others, after them; a character names its own.
  stage.Charas.clear();
  for (const Placed& p : charas_) {
    cEdChara placed = Placement(palette_.Charas, p.entry, p.x, p.y);
    placed.nHeldItem = -1;
    if (p.held != 0) {
      placed.nHeldItem = static_cast<std::int32_t>(stage.Items.size());
      stage.Items.push_back(Placement(palette_.Items, p.held, p.x, p.y));
    }
    stage.Charas.push_back(placed);
  }
}

}  // namespace sample
