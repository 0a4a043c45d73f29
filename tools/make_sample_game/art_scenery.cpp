#include <cmath>
#include <numbers>

#include "make_sample_game/art_helpers.h"
#include "make_sample_game/art_sheets.h"
#include "make_sample_game/chara_pictures.h"
#include "make_sample_game/hero_art.h"
#include "make_sample_game/pixel_font.h"
#include "make_sample_game/sheet_layouts.h"
#include "make_sample_game/sprite_stamp.h"

namespace sample {

namespace {

constexpr int W = layout::kScreenWidth;
constexpr int H = layout::kScreenHeight;

// A height profile that repeats every 640 dots, so the layers tile side by side.
double Ridge(int x, double base, std::initializer_list<std::pair<int, double>> waves, double phase) {
  double h = base;
  for (const auto& [cycles, amplitude] : waves) {
    h += amplitude * std::sin(2.0 * std::numbers::pi * cycles * x / W + phase * cycles);
  }
  return h;
}

void Clouds(Canvas& c, int seed, int count, int top, int bottom) {
  for (int i = 0; i < count; ++i) {
    const std::uint32_t n = Noise(i, seed, 31);
    const int cx = static_cast<int>(n % W);
    const int cy = top + static_cast<int>((n >> 10) % static_cast<unsigned>(bottom - top));
    const int size = 10 + static_cast<int>((n >> 20) % 14);
    for (const int dx : {-W, 0, W}) {  // wrap round the edge
      c.FillEllipse(cx + dx, cy + 4, size * 2, size / 2 + 2, Shade(kSky, 12));
      c.FillEllipse(cx + dx - size, cy, size, size * 2 / 3, Shade(kGrey, 15));
      c.FillEllipse(cx + dx + size / 2, cy - size / 3, size + 2, size * 3 / 4, Shade(kGrey, 15));
      c.FillEllipse(cx + dx + size * 3 / 2, cy + 1, size * 2 / 3, size / 2, Shade(kGrey, 15));
      c.FillRect(cx + dx - size * 2 + 2, cy + size / 2 + 2, size * 4 - 4, 2, Shade(kSky, 13));
    }
  }
}

void Mountains(Canvas& c, int horizon, Ramp ramp, int level, double phase, bool snow) {
  for (int x = 0; x < W; ++x) {
    const int top = static_cast<int>(Ridge(x, horizon, {{3, 38.0}, {7, 16.0}, {13, 6.0}}, phase));
    for (int y = top; y < H; ++y) {
      int shade = level + ((x + (y - top)) % 9 < 3 && (y - top) < 30 ? 1 : 0);
      if (snow && y - top < 6 && top < horizon - 30) shade = 14;
      c.Set(x, y, Shade(ramp, shade));
    }
  }
}

void Hills(Canvas& c, int horizon, double phase, int seed, bool trees) {
  for (int x = 0; x < W; ++x) {
    const int top = static_cast<int>(Ridge(x, horizon, {{2, 22.0}, {5, 10.0}}, phase));
    for (int y = top; y < H; ++y) {
      const int depth = y - top;
      int level = 9 - depth / 24;
      if (depth < 3) level = 12;
      if (((x * 3 + y * 5) % 23 == 0) && depth > 6) level -= 2;
      c.Set(x, y, Shade(kGreen, level));
    }
  }
  if (!trees) return;
  for (int i = 0; i < 9; ++i) {
    const int x = static_cast<int>(Noise(i, seed, 3) % W);
    const int base = static_cast<int>(Ridge(x, horizon, {{2, 22.0}, {5, 10.0}}, phase)) + 4;
    for (const int dx : {-W, 0, W}) {
      c.FillRect(x + dx - 2, base - 14, 5, 16, Shade(kBrown, 5));
      c.FillEllipse(x + dx, base - 22, 12, 13, Shade(kForest, 6));
      c.FillEllipse(x + dx - 3, base - 26, 7, 7, Shade(kForest, 9));
      c.FillEllipse(x + dx - 5, base - 28, 3, 3, Shade(kForest, 12));
    }
  }
}

void Stars(Canvas& c, int seed, int count, int bottom) {
  for (int i = 0; i < count; ++i) {
    const std::uint32_t n = Noise(i, seed, 5);
    const int x = static_cast<int>(n % W);
    const int y = static_cast<int>((n >> 12) % static_cast<unsigned>(bottom));
    c.Set(x, y, (n >> 28) % 3 == 0 ? ink::kWhite : Shade(kSky, 12));
    if ((n >> 24) % 9 == 0) {
      c.Set(x - 1, y, Shade(kSky, 9));
      c.Set(x + 1, y, Shade(kSky, 9));
      c.Set(x, y - 1, Shade(kSky, 9));
      c.Set(x, y + 1, Shade(kSky, 9));
    }
  }
}

constexpr const char* kKestrel[] = {
    "..........................", "oo......................oo", ".oWWo................oWWo.",
    "..oWWWo............oWWWo..", "...oWWWWoo..ooo..ooWWWWo...", "....oWwWWWooBBBooWWWwWo....",
    ".....oWwwWWBBeBBWWwwWo.....", "......ooWwwBBBBBBwwoo......", "........oowBBBBBBoo.......",
    "..........oBBBBBBo.......", "...........oBttBo.........", "............oooo..........",
};

}  // namespace

Canvas PaintTitle() {
  Canvas c(W, H);
  Gradient(c, 0, 0, W, H, kSky, 5, 15);
  c.FillEllipse(500, 150, 36, 36, Shade(kGold, 12));
  c.FillEllipse(500, 150, 30, 30, Shade(kGold, 14));
  c.FillEllipse(492, 142, 12, 12, Shade(kGold, 15));
  Clouds(c, 7, 7, 30, 220);
  Mountains(c, 300, kBlue, 8, 0.7, true);
  Hills(c, 350, 1.9, 11, true);
  // A grassy cliff on the left where the hero stands looking out.
  for (int x = 0; x < 150; ++x) {
    const int top = 392 + (x > 110 ? (x - 110) * (x - 110) / 12 : 0);
    for (int y = top; y < H; ++y) c.Set(x, y, Shade(kBrown, 7 - (y - top) / 20 + ((x + y) % 11 == 0 ? -2 : 0)));
    for (int y = top; y < top + 8 && y < H; ++y) c.Set(x, y, Shade(kGreen, 10 - (y - top) / 2));
  }
  Stamp(c, HeroPoseRows(charapic::kPoseCheer), HeroLegend(), 44, 328, 4, true);
  // The kestrel over the hills, wings spread.
  const Legend bird{{'o', ink::kOutline}, {'W', Shade(kBrown, 8)}, {'w', Shade(kOrange, 10)},
                    {'B', Shade(kOrange, 9)}, {'e', ink::kOutline}, {'t', Shade(kGold, 12)}};
  Stamp(c, kKestrel, bird, 420, 200, 3);
  // The name, in two lines of gold letters with a deep shadow.
  TextStyle shadow;
  shadow.scale = 9;
  shadow.face = ink::kShadow;
  TextStyle name;
  name.scale = 9;
  name.face = Shade(kGold, 14);
  name.faceLow = Shade(kOrange, 9);
  name.outline = ink::kOutline;
  name.outlineWidth = 3;
  DrawTextCentred(c, 326, 46, "KESTREL", shadow);
  DrawTextCentred(c, 320, 40, "KESTREL", name);
  shadow.scale = name.scale = 6;
  name.outlineWidth = 2;
  name.face = ink::kWhite;
  name.faceLow = Shade(kSky, 11);
  DrawTextCentred(c, 324, 126, "QUEST", shadow);
  DrawTextCentred(c, 320, 122, "QUEST", name);
  c.FillRect(150, 178, 340, 3, ink::kOutline);
  c.FillRect(152, 179, 336, 1, Shade(kGold, 13));
  // A band of the cycling entries under the line: in 8 bits the palette animation makes it
  // twinkle, in every other mode it keeps these colours.
  for (int i = 0; i <= kCycleLast - kCycleFirst; ++i) {
    c.FillRect(160 + i * 10, 186, 8, 4, static_cast<std::uint8_t>(kCycleFirst + i));
  }
  return c;
}

Canvas PaintBackSky() {
  Canvas c(W, H);
  Gradient(c, 0, 0, W, H, kSky, 6, 14);
  Clouds(c, 3, 8, 30, 240);
  Mountains(c, 330, kSky, 5, 0.3, true);
  return c;
}

Canvas PaintBackHills() {
  Canvas c(W, H);  // transparent above the hills
  Hills(c, 360, 0.5, 21, true);
  return c;
}

Canvas PaintBackDusk() {
  Canvas c(W, H);
  Gradient(c, 0, 0, W, 200, kPurple, 5, 10);
  Gradient(c, 0, 200, W, 160, kOrange, 8, 13);
  Gradient(c, 0, 360, W, 120, kOrange, 13, 10);
  c.FillEllipse(320, 330, 60, 60, Shade(kGold, 14));
  c.FillEllipse(320, 330, 50, 50, Shade(kGold, 15));
  for (int band = 0; band < 4; ++band) c.FillRect(0, 300 + band * 14, W, 3 + band, Shade(kOrange, 11));
  Mountains(c, 340, kPurple, 4, 2.1, false);
  Mountains(c, 400, kPurple, 2, 0.9, false);
  return c;
}

Canvas PaintBackNight() {
  Canvas c(W, H);
  Gradient(c, 0, 0, W, H, kBlue, 1, 5);
  Stars(c, 9, 160, 330);
  c.FillEllipse(140, 90, 30, 30, Shade(kGold, 15));
  c.FillEllipse(152, 82, 26, 26, Shade(kBlue, 1));
  Mountains(c, 350, kPurple, 2, 1.3, false);
  // A castle on the ridge, lit windows.
  c.FillRect(380, 210, 160, 150, Shade(kPurple, 1));
  for (int k = 0; k < 9; ++k) c.FillRect(380 + k * 18, 198, 10, 12, Shade(kPurple, 1));
  c.FillRect(420, 150, 36, 70, Shade(kPurple, 1));
  c.FillRect(480, 130, 30, 90, Shade(kPurple, 1));
  c.Line(495, 100, 495, 130, Shade(kPurple, 1));
  c.FillRect(496, 100, 14, 8, Shade(kRed, 6));
  for (int k = 0; k < 6; ++k) c.FillRect(392 + k * 24, 250 + (k % 2) * 30, 6, 10, Shade(kGold, 12));
  c.FillRect(434, 170, 6, 10, Shade(kGold, 12));
  return c;
}

Canvas PaintWorldBack() {
  // The sea round the islands of the world map.
  Canvas c(W, H);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      int level = 6;
      const int wave = (x + (y / 8) * 13) % 32;
      if (y % 8 == 0 && wave < 6) level = 9;
      else if (y % 8 == 1 && wave < 4) level = 8;
      c.Set(x, y, Shade(kSky, level));
    }
  }
  return c;
}

}  // namespace sample
