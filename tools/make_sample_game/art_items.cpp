#include <array>

#include "make_sample_game/art_helpers.h"
#include "make_sample_game/art_sheets.h"
#include "make_sample_game/item_pictures.h"
#include "make_sample_game/sheet_layouts.h"
#include "make_sample_game/sprite_stamp.h"

namespace sample {

namespace {

constexpr int S = layout::kCell;

const Legend& ItemLegend() {
  static const Legend legend{
      {'o', ink::kOutline},     {'Y', Shade(kGold, 11)},   {'y', Shade(kGold, 7)},   {'h', Shade(kGold, 15)},
      {'B', Shade(kSky, 10)},   {'b', Shade(kBlue, 6)},    {'s', Shade(kSky, 15)},   {'R', Shade(kRed, 9)},
      {'r', Shade(kRed, 5)},    {'p', Shade(kRed, 14)},    {'W', ink::kWhite},       {'G', Shade(kGreen, 8)},
      {'g', Shade(kGreen, 4)},  {'S', ink::kSkin},         {'e', ink::kOutline},     {'C', Shade(kGreen, 10)},
      {'T', Shade(kTeal, 10)},  {'t', Shade(kTeal, 5)},    {'u', Shade(kTeal, 15)},  {'N', Shade(kBrown, 6)},
      {'w', Shade(kGrey, 12)},  {'k', Shade(kGrey, 6)},
  };
  return legend;
}

struct ItemArt {
  int picture;
  std::array<const char*, 16> frames[2];
};

const ItemArt kItemArt[] = {
    {itempic::kCoin,
     {{"................", ".....oooooo.....", "....oYYYYYYo....", "...oYhhYYYYyo...", "..oYhYYyyYYYyo..",
       "..oYhYyYYyYYyo..", "..oYYYyYYYYYyo..", "..oYYYyYYYYYyo..", "..oYYYyYYyYYyo..", "..oYYYYyyYYYyo..",
       "..oYYYYYYYYYyo..", "...oYYYYYYYyo...", "....oyyyyyyo....", ".....oooooo.....", "................",
       "................"},
      {"................", "......oooo......", "......oYho......", ".....oYYhYo.....", ".....oYhYyo.....",
       ".....oYhYyo.....", ".....oYYYyo.....", ".....oYYYyo.....", ".....oYYYyo.....", ".....oYYYyo.....",
       ".....oYYYyo.....", "......oYyo......", "......oyyo......", "......oooo......", "................",
       "................"}}},
    {itempic::kGem,
     {{"................", "................", "....oooooooo....", "...osBBsBBBbo...", "..osBBsBBBBBbo..",
       ".ooooooooooooooo", ".obsBBBBBBBBbbo.", "..obsBBBBBBbbo..", "...obsBBBBbbo...", "....obsBBbbo....",
       ".....obsBbo.....", "......obbo......", ".......oo.......", "................", "................",
       "................"},
      {"........W.......", ".......WWW......", "....oooWoooo....", "...osBBsBBBbo...", "..osBBsBBBBBbo..",
       ".ooooooooooooooo", ".obsBBBBBBBBbbo.", "..obsBBBBBBbbo..", "...obsBBBBbbo...", "....obsBBbbo....",
       ".....obsBbo.....", "......obbo......", ".......oo.......", "................", "................",
       "................"}}},
    {itempic::kHeart,
     {{"................", "................", "...ooo....ooo...", "..oRpRo..oRRRo..", ".oRpRRRooRRRRRo.",
       ".oRpRRRRRRRRRro.", ".oRRRRRRRRRRRro.", ".oRRRRRRRRRRrro.", "..oRRRRRRRRrro..", "...oRRRRRRrro...",
       "....oRRRRrro....", ".....oRRrro.....", "......oRro......", ".......oo.......", "................",
       "................"},
      {"................", "................", "................", "....ooo..ooo....", "...oRpRooRRRo...",
       "...oRpRRRRRro...", "...oRRRRRRRro...", "....oRRRRRrro...", ".....oRRRrro....", "......oRrro.....",
       ".......oro......", "........o.......", "................", "................", "................",
       "................"}}},
    {itempic::kStar,
     {{".......oo.......", "......oYYo......", "......oYYo......", ".....oYhYYo.....", "oooooYhYYYYooooo",
       "oYYYYhYYYYYYYYYo", ".oYYYYYYYYYYYYo.", "..oYYYeYYeYYYo..", "...oYYeYYeYYo...", "...oYYYYYYYYo...",
       "..oYYYYooYYYYo..", "..oYYYo..oYYYo..", ".oYYoo....ooYYo.", ".ooo........ooo.", "................",
       "................"},
      {".......oo.......", "......ohho......", "......oYYo......", ".....oYhYYo.....", "oooooYhYYYYooooo",
       "ohYYYhYYYYYYYYho", ".oYYYYYYYYYYYYo.", "..oYYYeYYeYYYo..", "...oYYYYYYYYo...", "...oYYYYYYYYo...",
       "..oYYYYooYYYYo..", "..oYYYo..oYYYo..", ".oYYoo....ooYYo.", ".ooo........ooo.", "................",
       "................"}}},
    {itempic::kKey,
     {{"................", "................", "...oooo.........", "..oYYYYo........", ".oYhooYYo.......",
       ".oYo..oYoooooooo", ".oYo..oYYYYYYYYo", ".oYYooYYoooYoYo.", "..oYYYYo..oYoYo.", "...oooo....o.o..",
       "................", "................", "................", "................", "................",
       "................"},
      {"................", "................", "...oooo.........", "..ohhYYo........", ".ohhooYYo.......",
       ".oYo..oYoooooooo", ".oYo..oYhhhYYYYo", ".oYYooYYoooYoYo.", "..oYYYYo..oYoYo.", "...oooo....o.o..",
       "................", "................", "................", "................", "................",
       "................"}}},
    {itempic::kOneUp,
     {{".....oooooo.....", "....oCCCCCCo....", "...oCCWWCCCCo...", "..oCCWWCCCCCCo..", "..ooooooooooooo.",
       ".oSSSSSSSSSSSSo.", ".oSSeSSSSSSeSSo.", ".oSSeSSSSSSeSSo.", ".oSSSSSSSSSSSSo.", "..oSSSoooSSSSo..",
       "...oSSSSSSSSo...", "....oooooooo....", "................", "................", "................",
       "................"},
      {".....oooooo.....", "....oCCCCCCo....", "...oCCWWCCCCo...", "..oCCWWCCCCCCo..", "..ooooooooooooo.",
       ".oSSSSSSSSSSSSo.", ".oSSeSSSSSSeSSo.", ".oSSSSSSSSSSSSo.", ".oSSSSSSSSSSSSo.", "..oSSoSSSSoSSo..",
       "...oSSoooooSo...", "....oooooooo....", "................", "................", "................",
       "................"}}},
    {itempic::kGoalOrb,
     {{"......oooo......", "....ooTTTToo....", "...oTuuTTTTto...", "..oTuuTTTTTTto..", "..oTuTTTTTTTto..",
       "..oTTTTTTTTTto..", "..oTTTTTTTTtto..", "...oTTTTTTtto...", "....ootttoo.....", "...oYYYYYYYYo...",
       "..oYhYYYYYYYyo..", "..oyyyyyyyyyyo..", "...oYYYYYYYYo...", "..oYhYYYYYYYyo..", "..oooooooooooo..",
       "................"},
      {"...W..oooo..W...", "....ooTuuToo....", "...ouuuTTTTto...", "W.oTuuTTTTTTto.W", "..oTuTTuTTTTto..",
       "..oTTTTTTTTTto..", "..oTTTTTTTTtto..", "...oTTTTTTtto...", "....ootttoo.....", "...oYYYYYYYYo...",
       "..oYhYYYYYYYyo..", "..oyyyyyyyyyyo..", "...oYYYYYYYYo...", "..oYhYYYYYYYyo..", "..oooooooooooo..",
       "................"}}},
    {itempic::kApple,
     {{"................", ".......oo.......", "........oN.oo...", "........oNoGGo..", "....ooo.oNGGo...",
       "...oRRRooRRRo...", "..oRpRRRRRRRro..", "..oRpRRRRRRRro..", "..oRRRRRRRRRro..", "..oRRRRRRRRrro..",
       "...oRRRRRRrro...", "...oRRRRRrrro...", "....ooRRroo.....", "......ooo.......", "................",
       "................"},
      {"................", ".......oo.......", "........oN.oo...", "........oNoGGo..", "....ooo.oNGGo...",
       "...oRRRooRRRo...", "..oRWRRRRRRRro..", "..oRWpRRRRRRro..", "..oRRRRRRRRRro..", "..oRRRRRRRRrro..",
       "...oRRRRRRrro...", "...oRRRRRrrro...", "....ooRRroo.....", "......ooo.......", "................",
       "................"}}},
    {itempic::kFeather,
     {{"..........oo....", ".........oWWo...", "........oWWwo...", ".......oWWwWo...", "......oWWwWWo...",
       ".....oWWwWWo....", "....oWWwWWwo....", "...oWWwWWwo.....", "...oWwWWwo......", "..oWwWwWo.......",
       "..oYwwoo........", ".oYoo...........", ".oo.............", "................", "................",
       "................"},
      {"...........oo...", "..........oWWo..", ".........oWWwo..", "........oWWwWo..", ".......oWWwWWo..",
       "......oWWwWWo...", ".....oWWwWWwo...", "....oWWwWWwo....", "....oWwWWwo.....", "...oWwWwWo......",
       "...oYwwoo.......", "..oYoo..........", "..oo............", "................", "................",
       "................"}}},
    {itempic::kClock,
     {{"................", "....oooooooo....", "...oYYYYYYYYo...", "..oYWWWWWWWWYo..", ".oYWWWWeWWWWWYo.",
       ".oYWWWWeWWWWWYo.", ".oYWWWWeWWWWWYo.", ".oYWWWWeeeeWWYo.", ".oYWWWWWWWWWWYo.", ".oYWWWWWWWWWWYo.",
       "..oYWWWWWWWWYo..", "...oYYYYYYYYo...", "....oooooooo....", "................", "................",
       "................"},
      {"................", "....oooooooo....", "...oYYYYYYYYo...", "..oYWWWWWWWWYo..", ".oYWWWWWWWWWWYo.",
       ".oYWWWWWWWWWWYo.", ".oYWWWWWWWWWWYo.", ".oYWWWWeeeeWWYo.", ".oYWWWWeWWWWWYo.", ".oYWWWWeWWWWWYo.",
       "..oYWWWeWWWWYo..", "...oYYYYYYYYo...", "....oooooooo....", "................", "................",
       "................"}}},
};

int ItemColumnX(int picture) { return picture / layout::kItemRows * 2 * S; }

}  // namespace

Canvas PaintItems() {
  Canvas sheet(layout::kItemWidth, layout::kItemHeight);
  for (const ItemArt& art : kItemArt) {
    const int y = art.picture % layout::kItemRows * S;
    for (int frame = 0; frame < 2; ++frame) {
      Stamp(sheet, art.frames[frame], ItemLegend(), ItemColumnX(art.picture) + frame * S, y, 2);
    }
  }
  return sheet;
}

Canvas PaintMiniItems() {
  // The first frame of each item at its own 16 x 16 size.
  Canvas sheet(layout::kMiniItemWidth, layout::kMiniItemHeight);
  for (const ItemArt& art : kItemArt) {
    const int x = art.picture / layout::kItemRows * S;
    const int y = art.picture % layout::kItemRows * layout::kSmallCell;
    Stamp(sheet, art.frames[0], ItemLegend(), x, y, 1);
  }
  return sheet;
}

namespace {

constexpr int C = layout::kSmallCell;

struct ShotArt {
  int picture;
  std::array<const char*, 16> frames[2];
};

const Legend& ShotLegend() {
  static const Legend legend{
      {'o', ink::kOutline},     {'F', Shade(kOrange, 10)}, {'f', Shade(kRed, 8)},   {'Y', Shade(kGold, 14)},
      {'W', ink::kWhite},       {'R', Shade(kPink, 9)},    {'r', Shade(kRed, 6)},   {'N', Shade(kGrey, 12)},
      {'n', Shade(kGrey, 7)},   {'S', Shade(kGold, 11)},   {'I', Shade(kTeal, 13)}, {'i', Shade(kTeal, 8)},
  };
  return legend;
}

const ShotArt kShotArt[] = {
    {shotpic::kFireball,
     {{"................", "................", "................", "......ooo.......", "....ooYYFo.f....",
       "...oYWWYFFo.f...", "..oYWWYYFFfo.f..", "..oYWYYFFffo....", "..oYYYFFFffo.f..", "...oYFFFffo.f...",
       "....ooFFfo.f....", "......ooo.......", "................", "................", "................",
       "................"},
      {"................", "................", "................", "......ooo..f....", "....ooYYFo..f...",
       "...oYWWYFFo.....", "..oYWWYYFFfo.f..", "..oYWYYFFffo..f.", "..oYYYFFFffo.f..", "...oYFFFffo.....",
       "....ooFFfo..f...", "......ooo.......", "................", "................", "................",
       "................"}}},
    {shotpic::kOrb,
     {{"................", "................", "................", "................", ".....oooo.......",
       "....oRWRRo......", "...oRWRRRro.....", "...oRRRRRro.....", "...oRRRRrro.....", "....oRrrro......",
       ".....oooo.......", "................", "................", "................", "................",
       "................"},
      {"................", "................", "................", "................", ".....oooo.......",
       "....oRRRRo......", "...oRRWRRro.....", "...oRWWRRro.....", "...oRRRRrro.....", "....oRrrro......",
       ".....oooo.......", "................", "................", "................", "................",
       "................"}}},
    {shotpic::kNeedle,
     {{"................", "................", "................", "................", "................",
       "................", "..oo............", ".oNNoooooooooo..", "oWNNNNNNNNNNnno.", ".oNNoooooooooo..",
       "..oo............", "................", "................", "................", "................",
       "................"},
      {"................", "................", "................", "................", "................",
       "................", "..oo............", ".oNNoooooooooo..", "oWWNNNNNNNNnnno.", ".oNNoooooooooo..",
       "..oo............", "................", "................", "................", "................",
       "................"}}},
    {shotpic::kStarShot,
     {{"................", "................", "................", ".......o........", "......oSo.......",
       "..oooooSooooo...", "..oSSSSWSSSSo...", "...oSSSSSSSo....", "....oSSSSSo.....", "....oSSoSSo.....",
       "...oSoo.ooSo....", "...oo.....oo....", "................", "................", "................",
       "................"},
      {"................", "................", "................", "................", "...oo.....oo....",
       "...oSoo.ooSo....", "....oSSoSSo.....", "....oSSSSSo.....", "...oSSSSSSSo....", "..oSSSSWSSSSo...",
       "..oooooSooooo...", "......oSo.......", ".......o........", "................", "................",
       "................"}}},
    {shotpic::kIceShard,
     {{"................", "................", "................", "................", "................",
       "..........oo....", "...oooooooIIo...", ".ooIIIIIIIIIio..", "oIIIWIIIIIiiio..", ".ooiiiiiiiiio...",
       "...oooooooo.....", "................", "................", "................", "................",
       "................"},
      {"................", "................", "................", "................", "................",
       "..........oo....", "...oooooooIIo...", ".ooIWIIIIIIIio..", "oIIIIIIWIIiiio..", ".ooiiiiiiiiio...",
       "...oooooooo.....", "................", "................", "................", "................",
       "................"}}},
};

}  // namespace

Canvas PaintShots() {
  Canvas sheet(layout::kShotWidth, layout::kShotHeight);
  for (const ShotArt& art : kShotArt) {
    const int x = art.picture / layout::kShotRows * 2 * C;
    const int y = art.picture % layout::kShotRows * C;
    for (int frame = 0; frame < 2; ++frame) Stamp(sheet, art.frames[frame], ShotLegend(), x + frame * C, y, 1);
  }
  return sheet;
}

namespace {

const Legend& MarkLegend() {
  static const Legend legend{
      {'o', ink::kOutline}, {'W', ink::kWhite},       {'R', Shade(kRed, 9)},   {'Y', Shade(kGold, 12)},
      {'B', Shade(kSky, 9)}, {'G', Shade(kGrey, 12)}, {'g', Shade(kGrey, 6)},  {'P', Shade(kPink, 10)},
  };
  return legend;
}

struct MarkArt {
  int tile;
  std::array<const char*, 16> rows;
};

const MarkArt kMarkArt[] = {
    {markpic::kExclaim, {"................", "...oooooooooo...", "..oWWWWWWWWWWo..", "..oWWWWooWWWWo..", "..oWWWWRRoWWWo..",
                         "..oWWWWRRoWWWo..", "..oWWWWRRoWWWo..", "..oWWWWRRoWWWo..", "..oWWWWooWWWWo..", "..oWWWWRRoWWWo..",
                         "..oWWWWooWWWWo..", "...ooooWWooooo..", "......oWo.......", ".......o........", "................",
                         "................"}},
    {markpic::kQuestion, {"................", "...oooooooooo...", "..oWWWWWWWWWWo..", "..oWWWooooWWWo..", "..oWWoBBBBoWWo..",
                          "..oWWWWWoBBoWo..", "..oWWWWoBBoWWo..", "..oWWWWoBoWWWo..", "..oWWWWWoWWWWo..", "..oWWWWoBoWWWo..",
                          "..oWWWWWoWWWWo..", "...ooooWWooooo..", "......oWo.......", ".......o........", "................",
                          "................"}},
    {markpic::kArrowDown, {"................", "......oooo......", "......oYYo......", "......oYYo......", "......oYYo......",
                           "......oYYo......", "...ooooYYoooo...", "...oYYYYYYYYo...", "....oYYYYYYo....", ".....oYYYYo.....",
                           "......oYYo......", ".......oo.......", "................", "................", "................",
                           "................"}},
    {markpic::kArrowUp, {"................", ".......oo.......", "......oYYo......", ".....oYYYYo.....", "....oYYYYYYo....",
                         "...oYYYYYYYYo...", "...ooooYYoooo...", "......oYYo......", "......oYYo......", "......oYYo......",
                         "......oYYo......", "......oooo......", "................", "................", "................",
                         "................"}},
    {markpic::kArrowLeft, {"................", "................", "................", "......o.........", ".....oo.........",
                           "....oYo.........", "...oYYooooooo...", "..oYYYYYYYYYYo..", "..oYYYYYYYYYYo..", "...oYYooooooo...",
                           "....oYo.........", ".....oo.........", "......o.........", "................", "................",
                           "................"}},
    {markpic::kArrowRight, {"................", "................", "................", ".........o......", ".........oo.....",
                            ".........oYo....", "...oooooooYYo...", "..oYYYYYYYYYYo..", "..oYYYYYYYYYYo..", "...oooooooYYo...",
                            ".........oYo....", ".........oo.....", ".........o......", "................", "................",
                            "................"}},
    {markpic::kSparkle, {"................", ".......o........", ".......W........", ".......W........", "......WYW.......",
                         "..WWWWYYYWWWW...", "......WYW.......", ".......W........", ".......W....o...", "...o...o....W...",
                         "...W.......WYW..", "..WYW.......W...", "...W........o...", "...o............", "................",
                         "................"}},
    {markpic::kHeart, {"................", "................", "...ooo...ooo....", "..oPPPo.oPPPo...", ".oPWPPPoPPPPPo..",
                       ".oPWPPPPPPPPPo..", ".oPPPPPPPPPPPo..", "..oPPPPPPPPPo...", "...oPPPPPPPo....", "....oPPPPPo.....",
                       ".....oPPPo......", "......oPo.......", ".......o........", "................", "................",
                       "................"}},
    {markpic::kSkull, {"................", "....oooooooo....", "...oGGGGGGGGo...", "..oGGGGGGGGGGo..", "..oGooGGGGooGo..",
                       "..oGooGGGGooGo..", "..oGGGGooGGGGo..", "...oGGGooGGGo...", "....oGGGGGGo....", "....oGoGoGoo....",
                       "....oooooooo....", "................", "................", "................", "................",
                       "................"}},
    {markpic::kLock, {"................", ".....oooooo.....", "....oGGGGGGo....", "...oGoooooGGo...", "...oGo....oGo...",
                      "...oGo....oGo...", "..oooooooooooo..", "..oYYYYYYYYYYo..", "..oYYYYooYYYYo..", "..oYYYYooYYYYo..",
                      "..oYYYYYoYYYYo..", "..oYYYYYYYYYYo..", "..oooooooooooo..", "................", "................",
                      "................"}},
    {markpic::kNote, {"................", "........ooooo...", "........oYYYYo..", "........oYoooYo.", "........oYo..oo.",
                      "........oYo.....", "........oYo.....", ".....ooooYo.....", "....oYYYYYo.....", "...oYYYYYYo.....",
                      "...oYYYYYo......", "....ooooo.......", "................", "................", "................",
                      "................"}},
};

}  // namespace

Canvas PaintMarks() {
  Canvas sheet(layout::kMarkWidth, layout::kMarkHeight);
  for (const MarkArt& art : kMarkArt) {
    const int x = art.tile / 15 * S;
    const int y = art.tile % 15 * S;
    Stamp(sheet, art.rows, MarkLegend(), x, y, 2);
  }
  return sheet;
}

}  // namespace sample
