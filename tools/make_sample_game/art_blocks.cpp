#include <array>

#include "make_sample_game/art_helpers.h"
#include "make_sample_game/art_sheets.h"
#include "make_sample_game/block_pictures.h"
#include "make_sample_game/sheet_layouts.h"
#include "make_sample_game/sprite_stamp.h"

namespace sample {

namespace {

constexpr int S = layout::kCell;

// Earth: brown with darker specks and a few grey pebbles.
void Earth(Canvas& c, int x, int y, int top, Ramp ramp, int base, int seed) {
  for (int row = top; row < S; ++row) {
    for (int col = 0; col < S; ++col) {
      const std::uint32_t n = Noise(col, row, seed);
      int level = base - (row - top) / 12;
      if (n % 11 == 0) level -= 2;
      else if (n % 7 == 0) level += 1;
      c.Set(x + col, y + row, Shade(ramp, level));
    }
  }
  for (int i = 0; i < 4; ++i) {
    const std::uint32_t n = Noise(i, seed, 77);
    const int px = x + 3 + static_cast<int>(n % 24);
    const int py = y + top + 4 + static_cast<int>((n >> 8) % static_cast<unsigned>(S - top - 8 > 1 ? S - top - 8 : 1));
    c.FillRect(px, py, 3, 2, Shade(kGrey, 9));
    c.Set(px, py, Shade(kGrey, 12));
    c.FillRect(px, py + 2, 3, 1, Shade(ramp, base - 3));
  }
}

// A grass cap over earth: light blades hanging to an uneven edge.
void GrassCap(Canvas& c, int x, int y, int seed) {
  for (int col = 0; col < S; ++col) {
    const int depth = 7 + static_cast<int>(Noise(col / 2, 0, seed) % 4);
    for (int row = 0; row < depth; ++row) {
      int level = 10 - row / 2;
      if ((col + row) % 5 == 0) level += 2;
      c.Set(x + col, y + row, Shade(kGreen, level));
    }
    c.Set(x + col, y + depth, Shade(kForest, 3));
  }
  c.FillRect(x, y, S, 1, Shade(kGreen, 14));
  for (int col = 1; col < S; col += 4) c.Set(x + col, y + 1, Shade(kGreen, 13));
}

void PaintGrass(Canvas& c, int x, int y) {
  Earth(c, x, y, 0, kBrown, 7, 1);
  GrassCap(c, x, y, 1);
}

void PaintDirt(Canvas& c, int x, int y) { Earth(c, x, y, 0, kBrown, 6, 2); }

void PaintDirtStones(Canvas& c, int x, int y) {
  Earth(c, x, y, 0, kBrown, 6, 3);
  c.FillEllipse(x + 10, y + 12, 5, 4, Shade(kGrey, 8));
  c.FillEllipse(x + 9, y + 11, 3, 2, Shade(kGrey, 11));
  c.FillEllipse(x + 23, y + 24, 4, 3, Shade(kGrey, 7));
  c.FillEllipse(x + 22, y + 23, 2, 1, Shade(kGrey, 10));
}

// A grass edge: the cap wraps round one side, the earth there darkens.
void PaintGrassEdge(Canvas& c, int x, int y, bool left) {
  PaintGrass(c, x, y);
  const int side = left ? x : x + S - 3;
  for (int row = 4; row < S; ++row) {
    for (int i = 0; i < 3; ++i) c.Set(side + i, y + row, Shade(kBrown, 3 + (left ? i : 2 - i)));
  }
  c.FillRect(left ? x : x + S - 4, y, 4, 9, Shade(kGreen, 8));
  c.FillRect(left ? x : x + S - 1, y, 1, 9, Shade(kForest, 3));
  c.Set(left ? x : x + S - 1, y, 0);
  c.Set(left ? x + 1 : x + S - 2, y, Shade(kGreen, 12));
}

void PaintBrick(Canvas& c, int x, int y, Ramp ramp, int base) {
  c.FillRect(x, y, S, S, Shade(kGrey, 5));  // mortar
  for (int band = 0; band < 4; ++band) {
    const int shift = (band % 2) * 8;
    for (int k = -1; k < 3; ++k) {
      const int bx = x + k * 16 + shift;
      const int by = y + band * 8;
      for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 15; ++col) {
          const int px = bx + col;
          if (px < x || px >= x + S) continue;
          int level = base;
          if (row == 0 || col == 0) level = base + 3;
          else if (row == 6 || col == 14) level = base - 3;
          else if (Noise(px, by + row, 5) % 9 == 0) level = base - 1;
          c.Set(px, by + row, Shade(ramp, level));
        }
      }
    }
  }
}

void PaintStone(Canvas& c, int x, int y) {
  Bevel(c, x, y, S, S, kGrey, 8, 3);
  c.Line(x + 8, y + 6, x + 13, y + 14, Shade(kGrey, 4));
  c.Line(x + 13, y + 14, x + 11, y + 22, Shade(kGrey, 4));
  c.Line(x + 22, y + 20, x + 26, y + 25, Shade(kGrey, 5));
  c.FrameRect(x, y, S, S, ink::kOutline);
}

void PaintBonus(Canvas& c, int x, int y, bool used) {
  if (used) {
    Bevel(c, x, y, S, S, kBrown, 6, 3);
  } else {
    Bevel(c, x, y, S, S, kGold, 9, 3);
    static constexpr const char* kStar[] = {
        "....#....", "....#....", "...###...", "#########", ".#######.", "..#####..", ".###.###.", ".##...##.", "#.......#",
    };
    const Legend star{{'#', Shade(kGold, 15)}};
    const Legend shadow{{'#', Shade(kOrange, 5)}};
    Stamp(c, kStar, shadow, x + 8, y + 8, 2);
    Stamp(c, kStar, star, x + 7, y + 7, 2);
  }
  for (const auto& [dx, dy] : {std::pair{4, 4}, {27, 4}, {4, 27}, {27, 27}}) {
    c.Set(x + dx, y + dy, used ? Shade(kBrown, 2) : Shade(kOrange, 4));
  }
  c.FrameRect(x, y, S, S, ink::kOutline);
}

void PaintCrate(Canvas& c, int x, int y) {
  c.FillRect(x, y, S, S, Shade(kBrown, 9));
  for (int row = 0; row < S; row += 8) c.FillRect(x, y + row, S, 1, Shade(kBrown, 6));
  c.FillRect(x + 2, y + 2, S - 4, 3, Shade(kBrown, 5));
  c.FillRect(x + 2, y + S - 5, S - 4, 3, Shade(kBrown, 5));
  for (int i = 0; i < 3; ++i) {
    c.Line(x + 3 + i, y + 5, x + S - 6 + i, y + S - 6, Shade(kBrown, 5));
    c.Line(x + S - 4 - i, y + 5, x + 3 - i + 2, y + S - 6, Shade(kBrown, 5));
  }
  c.FrameRect(x, y, S, S, Shade(kBrown, 2));
  c.FrameRect(x + 1, y + 1, S - 2, S - 2, Shade(kBrown, 11));
}

void PaintMetal(Canvas& c, int x, int y) {
  Bevel(c, x, y, S, S, kSky, 5, 3);
  for (int i = 0; i < S; ++i) {
    if ((i / 4) % 2 == 0) c.Set(x + i, y + i, Shade(kSky, 7));
  }
  for (const auto& [dx, dy] : {std::pair{5, 5}, {25, 5}, {5, 25}, {25, 25}}) {
    c.FillRect(x + dx, y + dy, 2, 2, Shade(kGrey, 13));
    c.Set(x + dx + 1, y + dy + 1, Shade(kGrey, 5));
  }
  c.FrameRect(x, y, S, S, ink::kOutline);
}

void PaintSpikes(Canvas& c, int x, int y) {
  c.FillRect(x, y + 26, S, 6, Shade(kGrey, 5));
  c.FillRect(x, y + 26, S, 1, Shade(kGrey, 9));
  for (int k = 0; k < 4; ++k) {
    const int bx = x + k * 8;
    for (int row = 0; row < 18; ++row) {
      const int half = (row + 1) * 4 / 18;
      for (int col = 4 - half; col <= 3 + half; ++col) {
        c.Set(bx + col, y + 8 + row, col < 4 ? Shade(kGrey, 13) : Shade(kGrey, 8));
      }
    }
    c.Set(bx + 3, y + 7, ink::kWhite);
  }
}

void PaintBridge(Canvas& c, int x, int y) {
  c.FillRect(x, y + 2, S, 1, Shade(kBrown, 4));
  for (int k = 0; k < 4; ++k) {
    const int bx = x + k * 8;
    c.FillRect(bx, y + 4, 7, 8, Shade(kBrown, 9));
    c.FillRect(bx, y + 4, 7, 1, Shade(kBrown, 12));
    c.FillRect(bx, y + 11, 7, 1, Shade(kBrown, 5));
    c.FillRect(bx + 7, y + 4, 1, 8, Shade(kBrown, 3));
  }
  for (int col = 0; col < S; col += 2) c.Set(x + col, y + 3 + (col / 2) % 2, Shade(kGold, 6));
}

void PaintCloud(Canvas& c, int x, int y) {
  c.FillEllipse(x + 9, y + 16, 9, 8, Shade(kSky, 11));
  c.FillEllipse(x + 22, y + 15, 10, 9, Shade(kSky, 11));
  c.FillEllipse(x + 16, y + 11, 9, 8, Shade(kSky, 13));
  c.FillEllipse(x + 9, y + 14, 6, 5, Shade(kGrey, 15));
  c.FillEllipse(x + 17, y + 9, 6, 4, Shade(kGrey, 15));
  c.FillRect(x + 2, y + 22, 28, 3, Shade(kSky, 10));
}

void PaintIce(Canvas& c, int x, int y) {
  Bevel(c, x, y, S, S, kTeal, 11, 2);
  for (int i = 0; i < 10; ++i) c.Set(x + 6 + i, y + 22 - i, Shade(kTeal, 15));
  for (int i = 0; i < 6; ++i) c.Set(x + 16 + i, y + 26 - i, Shade(kTeal, 15));
  c.FrameRect(x, y, S, S, Shade(kTeal, 4));
}

void PaintLiquid(Canvas& c, int x, int y, bool surface, Ramp ramp, int base) {
  for (int row = 0; row < S; ++row) {
    for (int col = 0; col < S; ++col) {
      int level = base - row / 10;
      if (Noise(col / 3, row / 2, ramp) % 13 == 0) level += 2;
      c.Set(x + col, y + row, Shade(ramp, level));
    }
  }
  if (surface) {
    c.FillRect(x, y, S, 6, 0);
    for (int col = 0; col < S; ++col) {
      const int crest = 2 + ((col / 4) % 2 == 0 ? (col % 4) / 2 : 1 - (col % 4) / 2);
      c.Set(x + col, y + crest + 2, Shade(ramp, base + 5));
      c.FillRect(x + col, y + crest + 3, 1, 3, Shade(ramp, base + 2));
    }
  }
}

void PaintGoalTop(Canvas& c, int x, int y) {
  c.FillRect(x + 14, y + 14, 4, 18, Shade(kGrey, 12));
  c.FillRect(x + 17, y + 14, 1, 18, Shade(kGrey, 7));
  c.FillEllipse(x + 16, y + 9, 7, 7, Shade(kGold, 7));
  c.FillEllipse(x + 15, y + 8, 5, 5, Shade(kGold, 11));
  c.FillEllipse(x + 14, y + 6, 2, 2, Shade(kGold, 15));
}

void PaintGoalPole(Canvas& c, int x, int y) {
  for (int row = 0; row < S; ++row) {
    const bool stripe = (row / 4) % 2 == 0;
    c.FillRect(x + 14, y + row, 3, 1, stripe ? Shade(kGrey, 14) : Shade(kRed, 8));
    c.Set(x + 17, y + row, stripe ? Shade(kGrey, 8) : Shade(kRed, 4));
  }
}

void PaintCastle(Canvas& c, int x, int y, bool battlement) {
  // Courses of 16 x 16 stones, every other course shifted by half a stone.
  for (int row = 0; row < S; ++row) {
    const int shift = (row / 16) % 2 * 8;
    for (int col = 0; col < S; ++col) {
      const int lx = (col + shift) % 16;
      const int ly = row % 16;
      int level = 5;
      if (lx == 15 || ly == 15) level = 1;
      else if (lx == 0 || ly == 0) level = 8;
      else if (lx == 14 || ly == 14) level = 3;
      else if (Noise(x + col, y + row, 17) % 9 == 0) level = 4;
      c.Set(x + col, y + row, Shade(kPurple, level));
    }
  }
  if (battlement) {
    c.FillRect(x + 8, y, 16, 8, 0);
    c.FillRect(x + 8, y + 8, 16, 1, Shade(kPurple, 9));
    c.FillRect(x + 7, y, 1, 8, Shade(kPurple, 3));
    c.FillRect(x + 24, y, 1, 8, Shade(kPurple, 8));
  }
}

void PaintSpring(Canvas& c, int x, int y) {
  c.FillRect(x + 2, y + 26, 28, 6, Shade(kGrey, 6));
  c.FillRect(x + 2, y + 26, 28, 1, Shade(kGrey, 10));
  for (int k = 0; k < 4; ++k) {
    const int ry = y + 10 + k * 4;
    c.FillRect(x + 8, ry, 16, 2, Shade(kRed, 9));
    c.FillRect(x + 8, ry + 2, 16, 1, Shade(kRed, 4));
  }
  c.FillRect(x + 4, y + 4, 24, 5, Shade(kGrey, 11));
  c.FillRect(x + 4, y + 4, 24, 1, ink::kWhite);
  c.FrameRect(x + 4, y + 4, 24, 5, ink::kOutline);
}

void PaintConveyor(Canvas& c, int x, int y, bool left) {
  Bevel(c, x, y, S, S, kGrey, 6, 2);
  c.FillRect(x + 2, y + 3, S - 4, 10, Shade(kGrey, 3));
  static constexpr const char* kArrow[] = {"...#", "..##", ".###", "####", ".###", "..##", "...#"};
  const Legend arrow{{'#', ink::kYellow}};
  for (int k = 0; k < 3; ++k) Stamp(c, kArrow, arrow, x + 4 + k * 9, y + 4, 1, !left);
  for (const int dx : {8, 24}) {
    c.FillEllipse(x + dx, y + 22, 4, 4, Shade(kGrey, 10));
    c.Set(x + dx, y + 22, ink::kOutline);
  }
}

void PaintBush(Canvas& c, int x, int y) {
  c.FillEllipse(x + 9, y + 22, 8, 8, Shade(kForest, 6));
  c.FillEllipse(x + 22, y + 21, 9, 9, Shade(kForest, 7));
  c.FillEllipse(x + 15, y + 15, 9, 9, Shade(kForest, 8));
  c.FillEllipse(x + 13, y + 12, 4, 3, Shade(kForest, 12));
  c.FillEllipse(x + 22, y + 17, 3, 2, Shade(kForest, 11));
  c.FillRect(x, y + 30, S, 2, 0);
}

void PaintFlowers(Canvas& c, int x, int y) {
  for (int k = 0; k < 4; ++k) {
    const int fx = x + 4 + k * 7;
    const int fy = y + 18 + (k % 2) * 4;
    c.FillRect(fx + 1, fy + 2, 1, S - fy + y - 2, Shade(kGreen, 6));
    const std::uint8_t petal = k % 2 == 0 ? Shade(kPink, 10) : Shade(kGold, 12);
    c.Set(fx, fy + 1, petal);
    c.Set(fx + 2, fy + 1, petal);
    c.Set(fx + 1, fy, petal);
    c.Set(fx + 1, fy + 2, petal);
    c.Set(fx + 1, fy + 1, ink::kYellow);
  }
}

void PaintSign(Canvas& c, int x, int y) {
  c.FillRect(x + 14, y + 16, 4, 16, Shade(kBrown, 7));
  c.FillRect(x + 3, y + 4, 26, 14, Shade(kBrown, 10));
  c.FrameRect(x + 3, y + 4, 26, 14, Shade(kBrown, 4));
  static constexpr const char* kArrow[] = {
      "........#.....", "........##....", "###########...", "############..", "###########...", "........##....",
      "........#.....",
  };
  const Legend arrow{{'#', ink::kOutline}};
  Stamp(c, kArrow, arrow, x + 9, y + 7);
}

void PaintIsland(Canvas& c, int x, int y) {
  Earth(c, x, y, 0, kBrown, 7, 9);
  for (int row = 14; row < S; ++row) {
    const int inset = (row - 14) * (row - 14) / 12;
    c.FillRect(x, y + row, inset, 1, 0);
    c.FillRect(x + S - inset, y + row, inset, 1, 0);
  }
  GrassCap(c, x, y, 9);
}

void PaintDarkBrick(Canvas& c, int x, int y) { PaintBrick(c, x, y, kPurple, 4); }

using BlockPainter = void (*)(Canvas&, int, int);

struct BlockArt {
  int picture;
  BlockPainter paint;
};

const std::array<BlockArt, blockpic::kCount - 1> kBlockArt = {{
    {blockpic::kGrass, PaintGrass},
    {blockpic::kDirt, PaintDirt},
    {blockpic::kGrassLeft, [](Canvas& c, int x, int y) { PaintGrassEdge(c, x, y, true); }},
    {blockpic::kGrassRight, [](Canvas& c, int x, int y) { PaintGrassEdge(c, x, y, false); }},
    {blockpic::kBrick, [](Canvas& c, int x, int y) { PaintBrick(c, x, y, kOrange, 7); }},
    {blockpic::kStone, PaintStone},
    {blockpic::kBonus, [](Canvas& c, int x, int y) { PaintBonus(c, x, y, false); }},
    {blockpic::kBonusUsed, [](Canvas& c, int x, int y) { PaintBonus(c, x, y, true); }},
    {blockpic::kCrate, PaintCrate},
    {blockpic::kMetal, PaintMetal},
    {blockpic::kSpikes, PaintSpikes},
    {blockpic::kBridge, PaintBridge},
    {blockpic::kCloud, PaintCloud},
    {blockpic::kIce, PaintIce},
    {blockpic::kDirtStones, PaintDirtStones},
    {blockpic::kWaterTop, [](Canvas& c, int x, int y) { PaintLiquid(c, x, y, true, kSky, 8); }},
    {blockpic::kWater, [](Canvas& c, int x, int y) { PaintLiquid(c, x, y, false, kSky, 7); }},
    {blockpic::kLavaTop, [](Canvas& c, int x, int y) { PaintLiquid(c, x, y, true, kOrange, 9); }},
    {blockpic::kLava, [](Canvas& c, int x, int y) { PaintLiquid(c, x, y, false, kRed, 8); }},
    {blockpic::kGoalTop, PaintGoalTop},
    {blockpic::kGoalPole, PaintGoalPole},
    {blockpic::kCastle, [](Canvas& c, int x, int y) { PaintCastle(c, x, y, false); }},
    {blockpic::kBattlement, [](Canvas& c, int x, int y) { PaintCastle(c, x, y, true); }},
    {blockpic::kSpring, PaintSpring},
    {blockpic::kConveyorLeft, [](Canvas& c, int x, int y) { PaintConveyor(c, x, y, true); }},
    {blockpic::kConveyorRight, [](Canvas& c, int x, int y) { PaintConveyor(c, x, y, false); }},
    {blockpic::kCaveDirt, [](Canvas& c, int x, int y) { Earth(c, x, y, 0, kPurple, 3, 11); }},
    {blockpic::kBush, PaintBush},
    {blockpic::kFlowers, PaintFlowers},
    {blockpic::kSignRight, PaintSign},
    {blockpic::kIsland, PaintIsland},
    {blockpic::kDarkBrick, PaintDarkBrick},
}};

}  // namespace

Canvas PaintBlocks() {
  Canvas sheet(layout::kBlockWidth, layout::kBlockHeight);
  for (const BlockArt& art : kBlockArt) {
    const int x = art.picture / layout::kBlockRows * S;
    const int y = art.picture % layout::kBlockRows * S;
    art.paint(sheet, x, y);
  }
  return sheet;
}

}  // namespace sample
