#include <cmath>
#include <numbers>

#include "make_sample_game/art_helpers.h"
#include "make_sample_game/art_sheets.h"
#include "make_sample_game/pixel_font.h"
#include "make_sample_game/sheet_layouts.h"

namespace sample {

namespace {

constexpr int E = layout::kEffectCell;

// Rays from the centre of a cell: the burst grows and thins out over its frames.
void Burst(Canvas& c, int x, int frame, int frames) {
  const int cx = x + E / 2;
  const int cy = E / 2;
  const int reach = 4 + frame * 11 / (frames - 1);
  const int inner = frame * 9 / (frames - 1);
  for (int ray = 0; ray < 8; ++ray) {
    const double angle = ray * std::numbers::pi / 4 + (frame % 2) * std::numbers::pi / 8;
    for (int r = inner; r <= reach; ++r) {
      const int px = cx + static_cast<int>(std::lround(r * std::cos(angle)));
      const int py = cy + static_cast<int>(std::lround(r * std::sin(angle)));
      const std::uint8_t color = r > reach - 3 ? Shade(kOrange, 10) : Shade(kGold, 14);
      c.FillRect(px, py, 2, 2, color);
    }
  }
  if (frame < frames / 2) c.FillEllipse(cx, cy, 5 - frame, 5 - frame, ink::kWhite);
}

void Sparkle(Canvas& c, int x, int frame) {
  const int cx = x + E / 2;
  const int cy = E / 2;
  const int arm = 3 + (frame < 2 ? frame * 5 : (3 - frame) * 5 + 2);
  c.FillRect(cx - arm, cy, 2 * arm + 1, 1, Shade(kGold, 15));
  c.FillRect(cx, cy - arm, 1, 2 * arm + 1, Shade(kGold, 15));
  c.FillRect(cx - arm / 2, cy - 1, arm + 1, 3, Shade(kGold, 12));
  c.FillRect(cx - 1, cy - arm / 2, 3, arm + 1, Shade(kGold, 12));
  c.Set(cx, cy, ink::kWhite);
  for (int k = 0; k < 4; ++k) {
    const int d = 4 + frame * 3;
    c.Set(cx + ((k & 1) ? d : -d), cy + ((k & 2) ? d : -d), ink::kWhite);
  }
}

}  // namespace

Canvas PaintBurstEffect() {
  constexpr int kFrames = 6;
  Canvas sheet(kFrames * E, E);
  for (int frame = 0; frame < kFrames; ++frame) Burst(sheet, frame * E, frame, kFrames);
  return sheet;
}

Canvas PaintSparkleEffect() {
  constexpr int kFrames = 4;
  Canvas sheet(kFrames * E, E);
  for (int frame = 0; frame < kFrames; ++frame) Sparkle(sheet, frame * E, frame);
  return sheet;
}

Canvas PaintSignPicture() {
  // A wooden notice board for the picture command.
  Canvas c(320, 96);
  c.FillRect(150, 70, 20, 26, Shade(kBrown, 5));
  c.FillRect(0, 0, 320, 74, ink::kOutline);
  for (int row = 1; row < 73; ++row) {
    const int plank = row / 12;
    c.FillRect(1, row, 318, 1, Shade(kBrown, (row % 12 == 0) ? 5 : 9 + (plank % 2)));
  }
  for (const auto& [x, y] : {std::pair{6, 6}, {310, 6}, {6, 64}, {310, 64}}) c.FillRect(x, y, 3, 3, Shade(kGrey, 12));
  TextStyle text;
  text.scale = 2;
  text.face = ink::kWhite;
  text.shadow = Shade(kBrown, 3);
  DrawTextCentred(c, 160, 14, "RUN, JUMP AND", text);
  DrawTextCentred(c, 160, 40, "REACH THE ORB!", text);
  return c;
}

}  // namespace sample

namespace sample {

namespace {

// A short feathered blade, its tip to the left, in the 32 x 16 rectangle at the origin.
Canvas SwordBlade() {
  Canvas c(64, 32);
  c.FillRect(2, 6, 22, 4, Shade(kGrey, 13));
  c.FillRect(2, 6, 22, 1, ink::kWhite);
  c.FillRect(2, 9, 22, 1, Shade(kGrey, 7));
  c.Set(1, 7, Shade(kGrey, 13));
  c.Set(1, 8, Shade(kGrey, 11));
  c.Set(0, 7, Shade(kGrey, 9));
  c.FillRect(24, 3, 3, 10, Shade(kGold, 11));
  c.FillRect(27, 6, 5, 4, Shade(kBrown, 6));
  c.Outline(ink::kOutline);
  return c;
}

}  // namespace

Canvas PaintSwordLeft() { return SwordBlade(); }

Canvas PaintSwordRight() {
  const Canvas left = SwordBlade();
  Canvas right(left.Width(), left.Height());
  right.Blit(left, 0, 0, 32, 16, 0, 0, true, true);
  return right;
}

}  // namespace sample
