#include <array>
#include <string>

#include "make_sample_game/art_helpers.h"
#include "make_sample_game/art_sheets.h"
#include "make_sample_game/chara_pictures.h"
#include "make_sample_game/hero_art.h"
#include "make_sample_game/pixel_font.h"
#include "make_sample_game/sheet_layouts.h"
#include "make_sample_game/sprite_stamp.h"

namespace sample {

Canvas PaintPalette() {
  // Pixel (0, 0) and the rows above the colour block stay transparent.
  Canvas sheet(layout::kPaletteWidth, layout::kPaletteHeight, ink::kKey);
  for (int n = 0; n < 256; ++n) sheet.Set(n % 16, layout::kPaletteBlockTop + n / 16, static_cast<std::uint8_t>(n));
  return sheet;
}

Canvas PaintDebugSheet() {
  // Code c in column c mod 16, row c / 16, as the fixed-cell debug text reads it.
  Canvas sheet(layout::kDebugWidth, layout::kDebugHeight);
  TextStyle style;
  style.scale = 1;
  style.scaleY = 2;
  style.face = ink::kWhite;
  for (int code = 0x21; code < 0x7F; ++code) {
    const char text[2] = {static_cast<char>(code), '\0'};
    DrawText(sheet, (code % 16) * layout::kDebugCellWidth + 1, (code / 16) * layout::kDebugCellHeight + 1, text, style);
  }
  return sheet;
}

Canvas PaintWindow() {
  // The frame picture behind every message and menu box: a deep blue panel, lighter at the
  // top, with a faint diagonal weave. Boxes take it from the top-left corner.
  Canvas sheet(layout::kScreenWidth, layout::kScreenHeight);
  const int shades = ink::kPanelLast - ink::kPanelFirst + 1;
  for (int y = 0; y < sheet.Height(); ++y) {
    const int fall = y < 48 ? (48 - y) * (shades - 3) / 48 : 0;
    for (int x = 0; x < sheet.Width(); ++x) {
      int level = 2 + fall;
      if (((x + y) & 7) == 0 || ((x - y) & 7) == 0) level += 1;
      if (level >= shades) level = shades - 1;
      sheet.Set(x, y, static_cast<std::uint8_t>(ink::kPanelFirst + level));
    }
  }
  sheet.FillRect(0, 0, sheet.Width(), 1, ink::kPanelLast);
  return sheet;
}

Canvas PaintStatusBar() {
  Canvas sheet(layout::kStatusBarWidth, layout::kStatusBarHeight);
  sheet.FillRect(4, 0, layout::kStatusBarWidth - 8, 18, ink::kShadow);
  sheet.FillRect(4, 0, layout::kStatusBarWidth - 8, 1, ink::kPanelFirst + 3);
  for (int x = 4; x < layout::kStatusBarWidth - 4; x += 2) sheet.Set(x, 1, ink::kPanelFirst + 1);
  sheet.FillRect(2, 0, 2, 17, ink::kShadow);
  sheet.FillRect(layout::kStatusBarWidth - 4, 0, 2, 17, ink::kShadow);
  sheet.FillRect(4, 18, layout::kStatusBarWidth - 8, 1, ink::kFrame);
  sheet.FillRect(2, 17, 2, 1, ink::kFrame);
  sheet.FillRect(layout::kStatusBarWidth - 4, 17, 2, 1, ink::kFrame);
  sheet.FillRect(6, 19, layout::kStatusBarWidth - 12, 1, Shade(kGold, 5));
  return sheet;
}

Canvas PaintGameMode() {
  // One strip per title menu entry, letters over the transparent colour.
  static constexpr std::array<const char*, layout::kTitleMenuEntries> kLabels = {
      "NEW GAME", "CONTINUE", "CHALLENGE", "FREE PLAY", "REPLAY", "OPTIONS", "QUIT",
  };
  Canvas sheet(layout::kGameModeWidth, layout::kGameModeHeight);
  TextStyle style;
  style.scale = 3;
  style.face = Shade(kGold, 14);
  style.faceLow = Shade(kOrange, 9);
  style.outline = ink::kOutline;
  for (int i = 0; i < layout::kTitleMenuEntries; ++i) DrawText(sheet, 10, i * layout::kCell + 5, kLabels[static_cast<std::size_t>(i)], style);
  return sheet;
}

namespace {

const Legend& IconLegend() {
  static const Legend legend{
      {'o', ink::kOutline}, {'Y', Shade(kGold, 11)}, {'y', Shade(kGold, 7)}, {'h', Shade(kGold, 15)},
      {'R', Shade(kRed, 9)}, {'p', Shade(kRed, 14)}, {'r', Shade(kRed, 5)}, {'B', Shade(kSky, 11)},
      {'b', Shade(kBlue, 7)}, {'W', ink::kWhite},    {'G', Shade(kGreen, 9)}, {'g', Shade(kGreen, 5)},
      {'F', Shade(kOrange, 10)},
  };
  return legend;
}

constexpr const char* kCursor[] = {
    "................", "................", "...ooo..........", "..oFFFoo........", "..oFYYFFoo......", "...oFYYYFFoo....",
    "....oFYYYYFFoo..", ".....oFYYYYYFFo.", ".....oFYYYYYFFo.", "....oFYYYYFFoo..", "...oFYYYFFoo....", "..oFYYFFoo......",
    "..oFFFoo........", "...ooo..........", "................", "................",
};
constexpr const char* kSmallArrow[] = {
    "................", "...oo...........", "...oYoo.........", "...oYYYoo.......", "...oYYYYYoo.....", "...oYYYYYYYo....",
    "...oYYYYYYYYo...", "...oYYYYYYYYo...", "...oYYYYYYYo....", "...oYYYYYoo.....", "...oYYYoo.......", "...oYoo.........",
    "...oo...........", "................", "................", "................",
};
constexpr const char* kHighlight[] = {
    "................", ".......oo.......", "......oYYo......", "......oYYo......", "..ooooYhhYoooo..", ".oYYYYhhhhYYYYo.",
    "..oYYYhhhhYYYo..", "...oYYYYYYYYo...", "....oYYYYYYo....", "...oYYYooYYYo...", "...oYYo..oYYo...", "..oYo......oYo..",
    "..oo........oo..", "................", "................", "................",
};
constexpr const char* kMedal[] = {
    "...oo......oo...", "...oRo....oBo...", "....oRo..oBo....", ".....oRooBo.....", "....ooooooo.....", "...oYYYYYYYo....",
    "..oYhhYYYYYyo...", ".oYhYYYYYYoYyo..", ".oYhYYYYYoWoYo..", ".oYYYoYYoWoYyo..", ".oYYYoWoWoYYyo..", ".oYYYYoWoYYYyo..",
    "..oYYYYoYYYyo...", "...oyyyyyyyo....", "....ooooooo.....", "................",
};
constexpr const char* kCoinStack[] = {
    "................", "................", "................", "....oooooooo....", "...oYhYYYYYYo...", "....oyyyyyyo....",
    "...oYhYYYYYYo...", "....oyyyyyyo....", "...oYhYYYYYYo...", "....oyyyyyyo....", "...oYhYYYYYYo...", "....oyyyyyyo....",
    "...oYYYYYYYYo...", "....oooooooo....", "................", "................",
};
constexpr const char* kCoin[] = {
    "................", "................", ".....oooooo.....", "....oYYYYYYo....", "...oYhhYYYYyo...", "...oYhYYYYYyo...",
    "...oYhYYyYYyo...", "...oYYYyYYYyo...", "...oYYYyYYYyo...", "...oYYYYYYYyo...", "....oYYYYYyo....", ".....oooooo.....",
    "................", "................", "................", "................",
};
constexpr const char* kHeart[] = {
    "................", "................", "..ooo....ooo....", ".oRpRo..oRRRo...", "oRpRRRooRRRRRo..", "oRpRRRRRRRRRro..",
    "oRRRRRRRRRRRro..", ".oRRRRRRRRRro...", "..oRRRRRRRro....", "...oRRRRRro.....", "....oRRRro......", ".....oRro.......",
    "......oo........", "................", "................", "................",
};
constexpr const char* kBolt[] = {
    "................", ".......oooo.....", "......oBBBo.....", ".....oBBBo......", "....oBBBo.......", "...oBBBBoooo....",
    "...oBBBBBBBo....", "....oooBBBo.....", "......oBBo......", ".....oBBo.......", "....oBBo........", "....oBo.........",
    "....oo..........", "................", "................", "................",
};

// The hero's head and shoulders in a 16 x 16 icon, from the standing pose.
void HeroHead(Canvas& c, int x, int y) {
  const PixelRows stand = HeroPoseRows(charapic::kPoseStand);
  Stamp(c, stand.first(11), HeroLegend(), x, y + 3, 1);
  c.FillRect(x, y + 14, 16, 2, 0);
}

// Gauge art: the frame holds a dark well; a fill bar covers the well from the left.
void Gauge(Canvas& c, int x, int y, Ramp ramp, int base) {
  c.FillRect(x, y + 2, 50, 12, ink::kOutline);
  c.FillRect(x + 1, y + 3, 48, 10, ink::kShadow);
  c.FillRect(x + 1, y + 3, 48, 1, ink::kPanelFirst);
  for (int col = 1; col < 49; ++col) {
    for (int row = 3; row < 13; ++row) {
      const int level = base + 4 - (row - 3) * 6 / 9;
      c.Set(x + col, y + 16 + row, Shade(ramp, level));
    }
  }
  c.FillRect(x + 1, y + 16 + 4, 48, 1, Shade(ramp, 15));
}

// The world-map walker: front and back views, two steps each.
constexpr const char* kWalkerFront[2][16] = {
    {".....oooooo.....", "....oCCCCCCo....", "...oCCCCCCCCo...", "..occccccccccoF.", "..ooHHHHHHHHooFf",
     "..oHSSSSSSSSHo..", "..oSeSSSSSSeSo..", "..oSSSSSSSSSSo..", "...oSSSssSSSo...", "..oKKKKKKKKKKo..",
     ".oSTTTTTTTTTTSo.", ".ooTTTbbybbTToo.", "...oTTTTTTTTo...", "...oPPPooPPPo...", "..oBBBBo.oBBo....",
     "..ooooo..ooo...."},
    {".....oooooo.....", "....oCCCCCCo....", "...oCCCCCCCCo...", "..occccccccccoF.", "..ooHHHHHHHHooFf",
     "..oHSSSSSSSSHo..", "..oSeSSSSSSeSo..", "..oSSSSSSSSSSo..", "...oSSSssSSSo...", "..oKKKKKKKKKKo..",
     ".oSTTTTTTTTTTSo.", ".ooTTTbbybbTToo.", "...oTTTTTTTTo...", "...oPPPooPPPo...", "....oBBo.oBBBBo..",
     "....ooo..ooooo.."},
};
constexpr const char* kWalkerBack[2][16] = {
    {".....oooooo.....", "....oCCCCCCo....", "...oCCCCCCCCo...", "..oCCCCCCCCCCoF.", "..ooccccccccooFf",
     "..oHHHHHHHHHHo..", "..oHHHHHHHHHHo..", "..oHHHHHHHHHHo..", "...oHHHHHHHHo...", "..oKKKKKKKKKKo..",
     ".oSTTTTKKTTTTSo.", ".ooTTTTKKTTTToo.", "...oTTTTTTTTo...", "...oPPPooPPPo...", "..oBBBBo.oBBo....",
     "..ooooo..ooo...."},
    {".....oooooo.....", "....oCCCCCCo....", "...oCCCCCCCCo...", "..oCCCCCCCCCCoF.", "..ooccccccccooFf",
     "..oHHHHHHHHHHo..", "..oHHHHHHHHHHo..", "..oHHHHHHHHHHo..", "...oHHHHHHHHo...", "..oKKKKKKKKKKo..",
     ".oSTTTTKKTTTTSo.", ".ooTTTTKKTTTToo.", "...oTTTTTTTTo...", "...oPPPooPPPo...", "....oBBo.oBBBBo..",
     "....ooo..ooooo.."},
};

}  // namespace

Canvas PaintAccessory() {
  Canvas sheet(layout::kAccessoryWidth, layout::kAccessoryHeight);
  const Legend& icons = IconLegend();
  Stamp(sheet, kCursor, icons, 0, 0, 2);        // menu cursor, 32 x 32
  Stamp(sheet, kCursor, icons, 34, 0, 2);       // its second look, a step ahead
  Stamp(sheet, kSmallArrow, icons, 64, 0, 1);   // list cursor
  Stamp(sheet, kHighlight, icons, 80, 0, 1);    // chosen-slot highlight
  Stamp(sheet, kMedal, icons, 96, 0, 2);        // cleared sign
  Stamp(sheet, kCoinStack, icons, 0, 32, 1);    // total score
  Stamp(sheet, kCoin, icons, 16, 32, 1);        // stage score
  Stamp(sheet, kHeart, icons, 32, 32, 1);       // HP
  Stamp(sheet, kBolt, icons, 48, 32, 1);        // SP
  HeroHead(sheet, 64, 32);                      // lives
  HeroHead(sheet, 0, 48);                       // lives on the world map
  Stamp(sheet, kSmallArrow, icons, 16, 48, 1);  // ranking marker
  // World-map walker: down (0, 64), up (64, 64), left (64, 96), right (0, 96); two steps each.
  for (int step = 0; step < 2; ++step) {
    Stamp(sheet, kWalkerFront[step], HeroLegend(), step * 32, 64, 2);
    Stamp(sheet, kWalkerBack[step], HeroLegend(), 64 + step * 32, 64, 2);
    const PixelRows side = HeroPoseRows(step == 0 ? charapic::kPoseWalkA : charapic::kPoseWalkB);
    Stamp(sheet, side, HeroLegend(), 64 + step * 32, 96, 2);
    Stamp(sheet, side, HeroLegend(), step * 32, 96, 2, true);
  }
  Gauge(sheet, 0, 128, kGreen, 9);   // HP frame (0, 128), fill (0, 144)
  Gauge(sheet, 64, 128, kSky, 9);    // SP frame (64, 128), fill (64, 144)
  for (int col = 1; col < 49; ++col) {  // low fills (0, 160) and (64, 160)
    for (int row = 3; row < 13; ++row) {
      const int level = 13 - (row - 3) * 6 / 9;
      sheet.Set(col, 160 + row, Shade(kRed, level));
      sheet.Set(64 + col, 160 + row, Shade(kPurple, level));
    }
  }
  return sheet;
}

Canvas PaintSymbols() {
  // The pictures that stand for the letters a to z in texts: key caps bearing the letter.
  Canvas sheet(layout::kSymbolWidth, layout::kSymbolHeight);
  constexpr Ramp kCapColors[] = {kSky, kGreen, kGold, kPink};
  TextStyle style;
  style.face = ink::kOutline;
  for (int i = 0; i < 26; ++i) {
    const int x = i * layout::kSymbolCellWidth;
    const Ramp ramp = kCapColors[i % 4];
    sheet.FillRect(x + 1, 1, 14, 14, ink::kOutline);
    sheet.FillRect(x + 2, 2, 12, 11, Shade(ramp, 13));
    sheet.FillRect(x + 2, 12, 12, 2, Shade(ramp, 6));
    sheet.FillRect(x + 2, 2, 12, 1, ink::kWhite);
    const char letter[2] = {static_cast<char>('A' + i), '\0'};
    DrawText(sheet, x + 6, 4, letter, style);
  }
  return sheet;
}

Canvas PaintWords() {
  Canvas sheet(layout::kWordWidth, layout::kWordHeight);
  TextStyle banner;
  banner.scale = 3;
  banner.face = Shade(kGold, 14);
  banner.faceLow = Shade(kOrange, 9);
  banner.outline = ink::kOutline;
  struct Word {
    int x, y, w;
    const char* text;
    std::uint8_t face;
    std::uint8_t faceLow;
    int scaleY;
  };
  const Word words[] = {
      {0, 0, 128, "STAGE", Shade(kGold, 14), Shade(kOrange, 9), 3},
      {160, 0, 80, "GO!", Shade(kGreen, 14), Shade(kGreen, 8), 3},
      {0, 32, 128, "REPLAY", Shade(kSky, 14), Shade(kBlue, 9), 3},
      {0, 64, 128, "CLEAR!", Shade(kGold, 15), Shade(kGold, 9), 3},
      {0, 96, 144, "GAME OVER", Shade(kRed, 13), Shade(kRed, 7), 3},
  };
  for (const Word& word : words) {
    TextStyle style = banner;
    style.face = word.face;
    style.faceLow = word.faceLow;
    const int scale = TextWidth(word.text, 3) <= word.w - 4 ? 3 : 2;
    style.scale = scale;
    style.scaleY = word.scaleY;
    DrawTextCentred(sheet, word.x + word.w / 2, word.y + 5, word.text, style);
  }
  // Two rows of 32 x 32 digits: the stage number and the time.
  for (int row = 0; row < 2; ++row) {
    TextStyle digits = banner;
    digits.scale = 4;
    digits.scaleY = 3;
    digits.face = row == 0 ? Shade(kGold, 14) : ink::kWhite;
    digits.faceLow = row == 0 ? Shade(kOrange, 9) : Shade(kSky, 11);
    for (int d = 0; d < 10; ++d) {
      const char text[2] = {static_cast<char>('0' + d), '\0'};
      DrawTextCentred(sheet, d * 32 + 16, 128 + row * 32 + 5, text, digits);
    }
  }
  return sheet;
}

}  // namespace sample
