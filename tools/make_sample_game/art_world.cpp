#include <array>

#include "make_sample_game/art_helpers.h"
#include "make_sample_game/art_sheets.h"
#include "make_sample_game/sheet_layouts.h"
#include "make_sample_game/sprite_stamp.h"
#include "make_sample_game/world_pictures.h"

namespace sample {

namespace {

constexpr int S = layout::kCell;

void Grass(Canvas& c, int x, int y, int seed) {
  for (int row = 0; row < S; ++row) {
    for (int col = 0; col < S; ++col) {
      const std::uint32_t n = Noise(col, row, seed);
      int level = 9;
      if (n % 13 == 0) level = 12;
      else if (n % 7 == 0) level = 7;
      c.Set(x + col, y + row, Shade(kGreen, level));
    }
  }
}

void Sea(Canvas& c, int x, int y, int level) {
  c.FillRect(x, y, S, S, Shade(kSky, level));
  for (int k = 0; k < 3; ++k) {
    const int wy = y + 6 + k * 10;
    const int wx = x + 4 + (k % 2) * 12;
    c.FillRect(wx, wy, 8, 1, Shade(kSky, level + 3));
    c.FillRect(wx + 2, wy - 1, 4, 1, Shade(kSky, level + 3));
  }
}

void Mountain(Canvas& c, int x, int y) {
  Grass(c, x, y, 4);
  for (int row = 2; row < 30; ++row) {
    const int half = (row - 2) * 14 / 28;
    for (int col = 16 - half; col <= 15 + half; ++col) {
      const bool lit = col < 16;
      c.Set(x + col, y + row, Shade(kBrown, lit ? 9 : 6));
    }
    c.Set(x + 16 - half, y + row, ink::kOutline);
    c.Set(x + 15 + half, y + row, ink::kOutline);
  }
  for (int row = 2; row < 9; ++row) {
    const int half = (row - 2) * 14 / 28;
    c.FillRect(x + 16 - half, y + row, 2 * half, 1, ink::kWhite);
  }
  c.FillRect(x + 2, y + 29, 28, 1, ink::kOutline);
}

void Forest(Canvas& c, int x, int y) {
  Grass(c, x, y, 5);
  for (const auto& [tx, ty] : {std::pair{8, 10}, {22, 8}, {15, 20}, {27, 22}, {5, 24}}) {
    c.FillRect(x + tx - 1, y + ty + 3, 3, 5, Shade(kBrown, 4));
    c.FillEllipse(x + tx, y + ty, 6, 6, Shade(kForest, 5));
    c.FillEllipse(x + tx - 1, y + ty - 2, 3, 3, Shade(kForest, 9));
  }
}

void Rock(Canvas& c, int x, int y) {
  Bevel(c, x, y, S, S, kGrey, 7, 3);
  c.Line(x + 5, y + 10, x + 14, y + 18, Shade(kGrey, 3));
  c.Line(x + 20, y + 6, x + 26, y + 20, Shade(kGrey, 3));
}

void Wall(Canvas& c, int x, int y) {
  c.FillRect(x, y, S, S, Shade(kPurple, 2));
  for (int row = 0; row < 4; ++row) {
    for (int k = 0; k < 3; ++k) {
      const int bx = x + k * 16 - (row % 2) * 8;
      for (int col = 0; col < 15; ++col) {
        if (bx + col < x || bx + col >= x + S) continue;
        c.FillRect(bx + col, y + row * 8, 1, 7, Shade(kPurple, col == 0 ? 9 : 6));
      }
    }
  }
}

void Path(Canvas& c, int x, int y) {
  Grass(c, x, y, 6);
  c.FillRect(x, y + 9, S, 14, Shade(kBrown, 10));
  c.FillRect(x, y + 9, S, 1, Shade(kBrown, 7));
  c.FillRect(x, y + 22, S, 1, Shade(kBrown, 7));
  c.FillRect(x + 9, y, 14, S, Shade(kBrown, 10));
  for (int k = 0; k < 6; ++k) c.Set(x + static_cast<int>(Noise(k, 1, 8) % 14) + 9, y + static_cast<int>(Noise(k, 2, 8) % 32), Shade(kBrown, 7));
}

void Bridge(Canvas& c, int x, int y) {
  // Planks across, running east to west.
  Sea(c, x, y, 7);
  c.FillRect(x, y + 6, S, 20, Shade(kBrown, 9));
  for (int col = 0; col < S; col += 4) c.FillRect(x + col, y + 6, 1, 20, Shade(kBrown, 5));
  c.FillRect(x, y + 5, S, 1, Shade(kBrown, 3));
  c.FillRect(x, y + 26, S, 1, Shade(kBrown, 3));
}

void Sand(Canvas& c, int x, int y) {
  for (int row = 0; row < S; ++row) {
    for (int col = 0; col < S; ++col) {
      c.Set(x + col, y + row, Shade(kGold, Noise(col, row, 9) % 9 == 0 ? 10 : 12));
    }
  }
}

void Flowers(Canvas& c, int x, int y) {
  Grass(c, x, y, 7);
  for (int k = 0; k < 7; ++k) {
    const int fx = x + 3 + static_cast<int>(Noise(k, 3, 12) % 26);
    const int fy = y + 3 + static_cast<int>(Noise(k, 4, 12) % 26);
    const std::uint8_t petal = k % 2 == 0 ? Shade(kPink, 12) : ink::kWhite;
    c.Set(fx - 1, fy, petal);
    c.Set(fx + 1, fy, petal);
    c.Set(fx, fy - 1, petal);
    c.Set(fx, fy + 1, petal);
    c.Set(fx, fy, ink::kYellow);
  }
}

void Snow(Canvas& c, int x, int y) {
  for (int row = 0; row < S; ++row) {
    for (int col = 0; col < S; ++col) c.Set(x + col, y + row, Noise(col, row, 13) % 11 == 0 ? Shade(kSky, 12) : Shade(kGrey, 15));
  }
}

void Swamp(Canvas& c, int x, int y) {
  Grass(c, x, y, 14);
  c.FillEllipse(x + 12, y + 14, 9, 6, Shade(kTeal, 5));
  c.FillEllipse(x + 22, y + 22, 7, 5, Shade(kTeal, 5));
  c.FillRect(x + 10, y + 12, 4, 1, Shade(kTeal, 9));
}

using ChipPainter = void (*)(Canvas&, int, int);

const std::array<ChipPainter, worldpic::kChipCount> kChips = {
    [](Canvas& c, int x, int y) { Sea(c, x, y, 7); },
    Mountain,
    Forest,
    Rock,
    Wall,
    [](Canvas& c, int x, int y) { Grass(c, x, y, 1); },
    Path,
    Bridge,
    Sand,
    Flowers,
    [](Canvas& c, int x, int y) { Sea(c, x, y, 9); },
    Snow,
    Swamp,
    [](Canvas& c, int x, int y) { Sea(c, x, y, 4); },
    [](Canvas& c, int x, int y) {
      Grass(c, x, y, 15);
      c.FillRect(x + 9, y, 14, S, Shade(kBrown, 10));
    },
};

const Legend& EventLegend() {
  static const Legend legend{
      {'o', ink::kOutline},   {'R', Shade(kRed, 9)},     {'Y', Shade(kGold, 12)},  {'P', Shade(kGrey, 12)},
      {'K', Shade(kGrey, 4)}, {'k', Shade(kGrey, 8)},    {'F', Shade(kOrange, 11)}, {'W', ink::kWhite},
      {'C', Shade(kPurple, 6)}, {'c', Shade(kPurple, 3)}, {'B', Shade(kBrown, 8)},  {'b', Shade(kBrown, 4)},
      {'L', Shade(kGold, 14)},
  };
  return legend;
}

constexpr const char* kFlag[2][16] = {
    {"................", "....oooooo......", "....oPRRRRRo....", "....oPRRRRRRRo..", "....oPRRRRRRRRo.",
     "....oPRRRRRRo...", "....oPRRRRo.....", "....oPooooo.....", "....oPo.........", "....oPo.........",
     "....oPo.........", "....oPo.........", "...oPPPo........", "..ooooooo.......", "................",
     "................"},
    {"................", "....oooooo......", "....oPYYYYYo....", "....oPYYWYYYYo..", "....oPYWWWYYYYo.",
     "....oPYYWYYo...", "....oPYYYYo.....", "....oPooooo.....", "....oPo.........", "....oPo.........",
     "....oPo.........", "....oPo.........", "...oPPPo........", "..ooooooo.......", "................",
     "................"},
};
constexpr const char* kCave[2][16] = {
    {"................", "................", ".....oooooo.....", "...ookkkkkkoo...", "..okkkkkkkkkko..",
     ".okkkkooookkkko.", ".okkkoKKKKokkko.", "okkkoKKKKKKokkko", "okkkoKKKKKKokkko", "okkkoKKKKKKokkko",
     "okkkoKKKKKKokkko", "oooooooooooooooo", "................", "................", "................",
     "................"},
    {"................", "..F..........F..", ".oYoooooooooYo..", "..ookkkkkkoo....", "..okkkkkkkkkko..",
     ".okkkkooookkkko.", ".okkkoKKKKokkko.", "okkkoKKKKKKokkko", "okkkoKKKKKKokkko", "okkkoKKKKKKokkko",
     "okkkoKKKKKKokkko", "oooooooooooooooo", "................", "................", "................",
     "................"},
};
constexpr const char* kTower[2][16] = {
    {"................", "......o.........", "......oo........", ".....oCCo.......", ".o.o.oCCo.o.o...",
     ".oCoCoCCoCoCo...", ".oCCCCCCCCCCo...", ".oCCCKKKCCCCo...", ".oCCCKKKCCCCo...", ".oCCCCCCCCCCo...",
     ".oCCCCKKCCCCo...", ".oCCCCKKCCCCo...", ".oCCCCKKCCCCo...", ".oooooooooooo...", "................",
     "................"},
    {"......oRRRo.....", "......oRRo......", "......oo........", ".....oCCo.......", ".o.o.oCCo.o.o...",
     ".oCoCoCCoCoCo...", ".oCCCCCCCCCCo...", ".oCCCLLLCCCCo...", ".oCCCLLLCCCCo...", ".oCCCCCCCCCCo...",
     ".oCCCCKKCCCCo...", ".oCCCCKKCCCCo...", ".oCCCCKKCCCCo...", ".oooooooooooo...", "................",
     "................"},
};
constexpr const char* kHouse[16] = {
    "................", "......oooo......", "....ooRRRRoo....", "..ooRRRRRRRRoo..", ".oRRRRRRRRRRRRo.",
    "oooooooooooooooo", ".oBBBBBBBBBBBBo.", ".oBLLBBBBBBLLBo.", ".oBLLBBBBBBLLBo.", ".oBBBBBbbBBBBBo.",
    ".oBBBBBbbBBBBBo.", ".oBBBBBbbBBBBBo.", ".oooooooooooooo.", "................", "................",
    "................",
};

}  // namespace

Canvas PaintWorldChips() {
  Canvas sheet(layout::kChipWidth, layout::kChipHeight);
  for (int n = 0; n < worldpic::kChipCount; ++n) {
    kChips[static_cast<std::size_t>(n)](sheet, n % layout::kChipColumns * S, n / layout::kChipColumns * S);
  }
  return sheet;
}

Canvas PaintWorldEvents() {
  Canvas sheet(layout::kEventWidth, layout::kEventHeight);
  for (int cleared = 0; cleared < 2; ++cleared) {
    const int x = cleared * S;
    Stamp(sheet, kFlag[cleared], EventLegend(), x, worldpic::kIconFlag * S, 2);
    Stamp(sheet, kCave[cleared], EventLegend(), x, worldpic::kIconCave * S, 2);
    Stamp(sheet, kTower[cleared], EventLegend(), x, worldpic::kIconTower * S, 2);
    Stamp(sheet, kHouse, EventLegend(), x, worldpic::kIconHouse * S, 2);
  }
  return sheet;
}

}  // namespace sample
