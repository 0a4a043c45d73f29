#include <array>
#include <vector>

#include "make_sample_game/art_helpers.h"
#include "make_sample_game/art_sheets.h"
#include "make_sample_game/chara_pictures.h"
#include "make_sample_game/hero_art.h"
#include "make_sample_game/sheet_layouts.h"
#include "make_sample_game/sprite_stamp.h"

namespace sample {

namespace {

constexpr int S = layout::kCell;

// Every character faces left on its sheet: the runtime mirrors the sheet cell by cell for the
// right-facing pictures.

}  // namespace

const Legend& HeroLegend() {
  static const Legend legend{
      {'o', ink::kOutline},       {'C', Shade(kRed, 9)},     {'c', Shade(kRed, 5)},    {'F', Shade(kGold, 13)},
      {'f', Shade(kGold, 8)},     {'H', Shade(kBrown, 6)},   {'S', ink::kSkin},        {'s', Shade(kBrown, 11)},
      {'e', ink::kOutline},       {'K', Shade(kOrange, 10)}, {'T', Shade(kBlue, 9)},   {'t', Shade(kBlue, 5)},
      {'b', Shade(kBrown, 3)},    {'y', Shade(kGold, 13)},   {'P', Shade(kBlue, 3)},   {'B', Shade(kBrown, 5)},
      {'W', ink::kWhite},         {'x', ink::kOutline},
  };
  return legend;
}

// Shared top half of the hero: cap with a feather, hair, face.
#define HERO_HEAD                                                                                        \
  ".....oooooo.....", "....oCCCCCCo....", "...oCCCCCCCCo.F.", "..occccccccCoFf.", "..ooHHHHHHHHooF.", \
      ".oSSeSSHHHHHHo..", ".oSSSSSSSHHHo...", "..oSSsSSSSHo...."

constexpr const char* kHeroStand[] = {
    HERO_HEAD,          "..oKKKKKKKKKo...", ".oTTTTTTTTKKKo..", ".oSoTTTTTTTtoKo.", ".ooobbybbbbbo.o.",
    "...oTTTTTTTto...", "...oPPPooPPPo...", "..oBBBBooBBBBo..", "..oooooo.ooooo..",
};
constexpr const char* kHeroWalkA[] = {
    HERO_HEAD,          "..oKKKKKKKKKo...", ".oTTTTTTTTKKKo..", ".oSoTTTTTTTtoKo.", ".ooobbybbbbbo.o.",
    "...oTTTTTTTto...", "..oPPPo..oPPo...", ".oBBBBo...oBBo..", ".oooooo...oooo..",
};
constexpr const char* kHeroWalkB[] = {
    HERO_HEAD,          "..oKKKKKKKKKo...", "..oTTTTTTTKKKo..", "..oTSoTTTTtoKo..", "..oobbybbbbo.o..",
    "...oTTTTTTto....", "....oPPPPPo.....", "....oBBBBBBo....", "....oooooooo....",
};
constexpr const char* kHeroJump[] = {
    ".....oooooo...F.", "....oCCCCCCo.Ff.", "...oCCCCCCCCoF..", "..occccccccCo...", "..ooHHHHHHHHo...",
    ".oSSeSSHHHHHo...", ".oSSSSSSSHHo....", "oSo.SSsSSSo.....", "oSooKKKKKKKo....", ".ooTTTTTTTKKKo..",
    "..oTTTTTTTtoKKo.", "..oobbybbbbo.oo.", "...oTTTTTTto....", "..oPPPoPPPPo....", ".oBBBo.oPPo.....",
    ".oooo..oBBBo....",
};
constexpr const char* kHeroHurt[] = {
    ".....oooooo.....", "....oCCCCCCo....", "...oCCCCCCCCo...", "..occccccccCo.F.", "..ooHHHHHHHHoFf.",
    ".oSSxSSHHHHHHo..", ".oSSSSSSSHHHo...", "..oSoooSSSHo....", "..oKKKKKKKKKo...", "oSoTTTTTTTKKKo..",
    "oSoTTTTTTTTtoKo.", ".oobbybbbbbbo.o.", "...oTTTTTTTto...", "...oPPPooPPPo...", "..oBBBBooBBBBo..",
    "..oooooo.ooooo..",
};
constexpr const char* kHeroShoot[] = {
    HERO_HEAD,          "..oKKKKKKKKKo...", "ooTTTTTTTTKKKo..", "SSTTTTTTTTTtoKo.", "oooobbybbbbbo.o.",
    "...oTTTTTTTto...", "...oPPPooPPPo...", "..oBBBBooBBBBo..", "..oooooo.ooooo..",
};
constexpr const char* kHeroCheer[] = {
    ".oSo.oooooo.....", ".oSooCCCCCCo....", "..ooCCCCCCCCo.F.", "..occccccccCoFf.", "..ooHHHHHHHHooF.",
    ".oSSeSSHHHHHHo..", ".oSSSSSSSHHHo...", "..oSWWWSSSHo....", "..oKKKKKKKKKo...", "..oTTTTTTTKKKo..",
    "..oTTTTTTTTtoKo.", "..oobbybbbbbo.o.", "...oTTTTTTTto...", "...oPPPooPPPo...", "..oBBBBooBBBBo..",
    "..oooooo.ooooo..",
};
constexpr const char* kHeroFall[] = {
    ".....oooooo.....", "....oCCCCCCo....", "...oCCCCCCCCo.F.", "..occccccccCoFf.", "..ooHHHHHHHHooF.",
    ".oSSeSSHHHHHHo..", ".oSSSSSSSHHHo...", "..oSSoSSSSHo....", "oSoKKKKKKKKKoSo.", "oSTTTTTTTTKKKSo.",
    ".oTTTTTTTTTtoo..", "..oobbybbbbbo...", "...oTTTTTTTto...", "..oPPPo..oPPPo..", "..oBBo....oBBo..",
    "..ooo......ooo..",
};
#undef HERO_HEAD

PixelRows HeroPoseRows(int pose) {
  switch (pose) {
    case charapic::kPoseWalkA: return kHeroWalkA;
    case charapic::kPoseWalkB: return kHeroWalkB;
    case charapic::kPoseJump: return kHeroJump;
    case charapic::kPoseHurt: return kHeroHurt;
    case charapic::kPoseShoot: return kHeroShoot;
    case charapic::kPoseCheer: return kHeroCheer;
    case charapic::kPoseFall: return kHeroFall;
    default: return kHeroStand;
  }
}

namespace {

const Legend& BeetleLegend() {
  static const Legend legend{
      {'o', ink::kOutline},      {'G', Shade(kGreen, 9)}, {'g', Shade(kGreen, 5)}, {'h', Shade(kGreen, 14)},
      {'H', Shade(kPurple, 5)},  {'W', ink::kWhite},      {'e', ink::kOutline},    {'L', Shade(kPurple, 3)},
      {'x', ink::kOutline},
  };
  return legend;
}

#define BEETLE_BODY                                                                                      \
  "................", "................", "................", "......oooooo....", "....ooGGGGGGoo..", \
      "...oGGhhGGGGGGo.", "..oGGhGGGGGGGggo", ".oHHoGGGGGGGGggo", "oHWHHoGGGGGGgggo"

constexpr const char* kBeetleA[] = {
    BEETLE_BODY,        "oHeHHoGGGGGgggo.", "oHHHHoGGggggggo.", ".oHHHoooooooooo.", "..oooLoL.oL.oL..",
    "...oLL.oL..oLL..", "...oo..oo..oo...", "................",
};
constexpr const char* kBeetleB[] = {
    BEETLE_BODY,        "oHeHHoGGGGGgggo.", "oHHHHoGGggggggo.", ".oHHHoooooooooo.", "...oLoL.oLoL.oL.",
    "..oLL..oLL..oL..", "..oo...oo...oo..", "................",
};
constexpr const char* kBeetleOuch[] = {
    BEETLE_BODY,        "oHxHHoGGGGGgggo.", "oHHHHoGGggggggo.", ".oHHHoooooooooo.", "..oLo.oLo.oLo...",
    ".oL..oL..oL.....", ".o...o...o......", "................",
};
#undef BEETLE_BODY

const Legend& SentryLegend() {
  static const Legend legend{
      {'o', ink::kOutline},     {'R', Shade(kRed, 10)},  {'r', Shade(kRed, 14)}, {'M', Shade(kGrey, 10)},
      {'m', Shade(kGrey, 6)},   {'D', Shade(kGrey, 4)},  {'E', ink::kRed},       {'e', Shade(kRed, 15)},
      {'T', Shade(kGrey, 5)},   {'t', Shade(kGrey, 9)},  {'Y', ink::kYellow},    {'W', ink::kWhite},
  };
  return legend;
}

#define SENTRY_TOP                                                                                        \
  "................", "......oooo......", ".....orRRRo.....", "....oMMMMMMo....", "...oMMMMMMMMo..."
#define SENTRY_BASE \
  "...oMMMMMMMMmmo.", "...omMMMMMMmmmo.", "....oooooooooo..", "....oTTTTTTTo...", "...oTtTtTtTtTo..", \
      "...oTTTTTTTTTo..", "....ooooooooo..."

constexpr const char* kSentryA[] = {
    SENTRY_TOP, "oooooMMMMMMMmo..", "oDDDDDoEeMMMMmo.", "oDDDDDoEEMMMMmo.", "oooooMMMMMMMMmo.", SENTRY_BASE,
};
constexpr const char* kSentryB[] = {
    SENTRY_TOP, "..oooMMMMMMMmo..", "..oDDDoEeMMMMmo.", "..oDDDoEEMMMMmo.", "..oooMMMMMMMMmo.", SENTRY_BASE,
};
constexpr const char* kSentryFire[] = {
    SENTRY_TOP, "Y.ooooMMMMMMmo..", "YWYDDDoEeMMMMmo.", "YWYDDDoEEMMMMmo.", "Y.ooooMMMMMMMmo.", SENTRY_BASE,
};
#undef SENTRY_TOP
#undef SENTRY_BASE

const Legend& BatLegend() {
  static const Legend legend{
      {'o', ink::kOutline},     {'W', Shade(kPurple, 6)}, {'w', Shade(kPurple, 9)}, {'B', Shade(kPurple, 10)},
      {'e', ink::kYellow},      {'D', ink::kWhite},       {'x', ink::kOutline},
  };
  return legend;
}

constexpr const char* kBatUp[] = {
    "................", "................", "o............o..", "oWo........oWo..", "oWwo..oo..owWo..",
    "oWwWooBBooWwWo..", ".oWWoBBBBoWWo...", "..ooBeBBeBoo....", "....oBBBBo......", ".....oDDo.......",
    "......oo........", "................", "................", "................", "................",
    "................",
};
constexpr const char* kBatDown[] = {
    "................", "................", "................", "................", "................",
    "......oo........", ".....oBBo.......", "....oBeBeBo.....", ".oooBBBBBBooo...", "oWwWoBBBBoWwWo..",
    "oWwo.oDDo.owWo..", "oWo...oo...oWo..", "oo.........oo...", "................", "................",
    "................",
};
constexpr const char* kBatOuch[] = {
    "................", "................", "................", "oo..........oo..", "oWo...oo...oWo..",
    "oWwoooBBoooWwo..", ".oWWBBBBBBWWo...", "..ooBxBBxBoo....", "....oBBBBo......", ".....oDDo.......",
    "......oo........", "................", "................", "................", "................",
    "................",
};

const Legend& SpikerLegend() {
  static const Legend legend{
      {'o', ink::kOutline},     {'R', Shade(kRed, 8)},   {'r', Shade(kRed, 4)},   {'h', Shade(kRed, 13)},
      {'N', Shade(kGrey, 14)},  {'n', Shade(kGrey, 8)},  {'F', Shade(kGold, 10)}, {'W', ink::kWhite},
      {'e', ink::kOutline},     {'L', Shade(kGold, 6)},  {'x', ink::kOutline},
  };
  return legend;
}

#define SPIKER_BODY                                                                                      \
  "................", "................", "....N....N......", "...oNo..oNo.N...", "..ooRRooRRooNo..", \
      "..oRhhRRRRRRRo..", ".oRhRRRRRRRRRro.", "oFFoRRRRRRRRrro.", "oFWFoRRRRRRrrro.", "oFeFoRRRRRrrro.."

constexpr const char* kSpikerA[] = {
    SPIKER_BODY, "oFFFoooooooooo..", ".oooLoL.oL.oL...", "...oLL.oL..oLL..", "...oo..oo..oo...",
    "................", "................",
};
constexpr const char* kSpikerB[] = {
    SPIKER_BODY, "oFFFoooooooooo..", "..ooLoL.oLoL.oL.", "..oLL..oLL..oL..", "..oo...oo...oo..",
    "................", "................",
};
#undef SPIKER_BODY

const Legend& WizardLegend() {
  static const Legend legend{
      {'o', ink::kOutline},      {'P', Shade(kPurple, 8)}, {'p', Shade(kPurple, 4)}, {'Y', ink::kYellow},
      {'y', Shade(kGold, 12)},   {'S', ink::kSkin},        {'e', ink::kOutline},     {'W', ink::kWhite},
      {'T', Shade(kBrown, 6)},
  };
  return legend;
}

#define WIZARD_HAT \
  "......oo........", ".....oPPo.......", "....oPPPPo......", "...oPPPYPPo.....", "..oooooooooo...."
#define WIZARD_ROBE                                                                                      \
  "...oPWWWWPo.T...", "..oPPoWWoPPoT...", "..oPPPooPPPPo...", "..oPPPPPPPppo...", "..oPPPPPPPppo...", \
      "..oPPPPPPPppo...", "..oooooooooo....", "................"

constexpr const char* kWizardA[] = {
    WIZARD_HAT, "....oSSSSo..y...", "....oSeSeo.oTo..", "....oWWWWo..T...", WIZARD_ROBE,
};
constexpr const char* kWizardCast[] = {
    WIZARD_HAT, "....oSSSSo.yYy..", "....oSeSeo.YWY..", "....oWWWWo.yYy..", WIZARD_ROBE,
};
#undef WIZARD_HAT
#undef WIZARD_ROBE

const Legend& ChestLegend() {
  static const Legend legend{
      {'o', ink::kOutline},     {'B', Shade(kBrown, 8)}, {'b', Shade(kBrown, 5)}, {'G', Shade(kGold, 10)},
      {'Y', ink::kYellow},
  };
  return legend;
}

constexpr const char* kChestShut[] = {
    "................", "................", "................", "................", "..oooooooooooo..",
    ".oBBBBBBBBBBBBo.", ".oBbbbbbbbbbbBo.", ".oGGGGGGGGGGGGo.", ".ooooooYYoooooo.", ".oBBBBoYYoBBBBo.",
    ".oBbbbbooobbbBo.", ".oBbbbbbbbbbbBo.", ".oGGGGGGGGGGGGo.", ".oBBBBBBBBBBBBo.", "..oooooooooooo..",
    "................",
};

constexpr const char* kPlaceholderRows[] = {
    "................", ".....oooooo.....", "....oWWWWWWo....", "...oWWoooWWWo...", "...oWWWWoWWWo...",
    "...oWWWooWWWo...", "...oWWWoWWWWo...", "...oWWWWWWWWo...", "...oWWWoWWWWo...", "...oWWWWWWWWo...",
    "...oWoWWoWWoWo..", "...oo.oo.oo.o...", "................", "................", "................",
    "................",
};

const Legend& FrogLegend() {
  static const Legend legend{
      {'o', ink::kOutline}, {'G', Shade(kGreen, 9)}, {'g', Shade(kForest, 5)}, {'Y', Shade(kGold, 12)},
      {'W', ink::kWhite},   {'e', ink::kOutline},
  };
  return legend;
}

constexpr const char* kFrogSit[] = {
    "................", "................", "................", "................", "................", "..oo...oo.......", ".oWWo.oWWo......", ".oWeooWeWo......", "oGGGGGGGGGoo....", "oGGGGGGGGGGGo...", "ooooGGGGGGGGGo..", ".oYYoGGGgGGGGo..", ".oYYYoGGgGGGGo..", "..oYYYoggGGggGo.", ".oGGoooooGGoGGo.", "ooooo...ooooooo.",
};
constexpr const char* kFrogLeap[] = {
    "................", "..oo...oo.......", ".oWWo.oWWo......", ".oWeooWeWo......", "oGGGGGGGGGoo....", "oGGGGGGGGGGGo...", "ooooGGGGGGGGGo..", ".oYYoGGGGGGGGo..", ".oYYYoGGGGGGGGo.", "..ooooGGGGGGGGo.", "......oGGoooGGo.", ".....oGGo..oGGo.", "....oGGo....oGGo", "....ooo.....ooo.", "................", "................",
};

const Legend& WispLegend() {
  static const Legend legend{
      {'o', Shade(kBlue, 3)}, {'B', Shade(kSky, 9)}, {'b', Shade(kSky, 13)}, {'W', ink::kWhite}, {'e', Shade(kBlue, 2)},
  };
  return legend;
}

constexpr const char* kWispA[] = {
    "................", "......oo........", ".....oWbo.......", "....oWbbo.......", "...oWbbBBo......", "..oWbbBBBBo.....", "..oWbeBBeBo.....", ".oWbbBBBBBBo....", ".oWbBBBBBBBo....", ".oWbBBBBBBBo....", "..oBBBBBBBo.....", "..oBBoBBoBo.....", "...oo.oo.oo.....", "................", "................", "................",
};
constexpr const char* kWispB[] = {
    "................", "......oo........", ".....oWbo.......", "....oWbbo.......", "...oWbbBBo......", "..oWbbBBBBo.....", "..oWbeBBeBo.....", ".oWbbBBBBBBo....", ".oWbBBBBBBBo....", ".oWbBBBBBBBo....", "..oBBBBBBBo.....", "..oBoBBoBBo.....", "...o.oo.oo......", "................", "................", "................",
};

const Legend& HiveLegend() {
  static const Legend legend{
      {'o', ink::kOutline}, {'Y', Shade(kGold, 11)}, {'y', Shade(kBrown, 7)}, {'H', Shade(kBrown, 2)},
  };
  return legend;
}

constexpr const char* kHiveRows[] = {
    "................", "......oooo......", "....ooYYYYoo....", "...oYYYYYYYYo...", "...oyyyyyyyyo...", "..oYYYYYYYYYYo..", "..oyyyyyyyyyyo..", "..oYYYYHHYYYYo..", ".oyyyyHHHHyyyyo.", ".oYYYYHHHHYYYYo.", ".oyyyyyyyyyyyyo.", ".oYYYYYYYYYYYYo.", "oyyyyyyyyyyyyyyo", "oYYYYYYYYYYYYYYo", "oooooooooooooooo", "................",
};

void PaintLift(Canvas& c, int x, int y) {
  // A floating stone lift with a glowing rune: a 32 x 32 block character.
  Bevel(c, x, y + 4, S, 20, kGrey, 9, 3);
  c.FrameRect(x, y + 4, S, 20, ink::kOutline);
  c.FillRect(x + 6, y + 10, 20, 2, Shade(kTeal, 12));
  c.FillRect(x + 14, y + 8, 4, 6, Shade(kTeal, 12));
  c.FillRect(x + 15, y + 9, 2, 4, Shade(kTeal, 15));
  for (int k = 0; k < 3; ++k) c.FillRect(x + 8 + k * 7, y + 26 + (k % 2), 3, 2, Shade(kTeal, 9 - k));
  c.FillRect(x + 12, y + 29, 8, 2, Shade(kTeal, 5));
}

struct Pose {
  int column;
  PixelRows rows;
};

struct CharaArt {
  int row;
  const Legend& (*legend)();
  std::vector<Pose> poses;
};

// Brighter, gold-edged copy of a cell: the invincible look.
void Glow(Canvas& c, int fromX, int toX, int y) {
  Canvas cell(S, S);
  cell.Blit(c, fromX, y, S, S, 0, 0, false);
  for (int row = 0; row < S; ++row) {
    for (int col = 0; col < S; ++col) {
      const std::uint8_t p = cell.At(col, row);
      if (p >= kRampFirst && p < kCycleFirst) {
        const int ramp = (p - kRampFirst) / kRampShades;
        const int level = (p - kRampFirst) % kRampShades;
        cell.Set(col, row, Shade(static_cast<Ramp>(ramp), level + 4));
      } else if (p == ink::kOutline) {
        cell.Set(col, row, Shade(kGold, 9));
      } else if (p == ink::kSkin) {
        cell.Set(col, row, ink::kWhite);
      }
    }
  }
  c.Blit(cell, 0, 0, S, S, toX, y, false);
}

void PaintCharacter(Canvas& sheet, const CharaArt& art) {
  const int y = art.row * S;
  for (const Pose& pose : art.poses) Stamp(sheet, pose.rows, art.legend(), pose.column * S, y, 2);
  // The first four poses again, glowing (invincible) and as they are (block character).
  for (int column = 0; column < layout::kInvincibleOffset; ++column) {
    Glow(sheet, column * S, (column + layout::kInvincibleOffset) * S, y);
    sheet.Blit(sheet, column * S, y, S, S, (column + layout::kBlockCharaOffset) * S, y, false);
  }
}

}  // namespace

Canvas PaintCharacters() {
  using namespace charapic;
  Canvas sheet(layout::kCharaWidth, layout::kCharaHeight);
  const std::vector<CharaArt> characters = {
      {kPlaceholder, []() -> const Legend& {
         static const Legend l{{'o', ink::kOutline}, {'W', Shade(kGrey, 13)}};
         return l;
       },
       {{0, kPlaceholderRows}, {1, kPlaceholderRows}, {2, kPlaceholderRows}, {3, kPlaceholderRows}}},
      {kHero, HeroLegend,
       {{kPoseStand, kHeroStand},
        {kPoseWalkA, kHeroWalkA},
        {kPoseWalkB, kHeroWalkB},
        {kPoseJump, kHeroJump},
        {kPoseHurt, kHeroHurt},
        {kPoseShoot, kHeroShoot},
        {kPoseCheer, kHeroCheer},
        {kPoseFall, kHeroFall}}},
      {kBeetle, BeetleLegend, {{kPoseMoveA, kBeetleA}, {kPoseMoveB, kBeetleB}, {kPoseAction, kBeetleA}, {kPoseOuch, kBeetleOuch}}},
      {kSentry, SentryLegend, {{kPoseMoveA, kSentryA}, {kPoseMoveB, kSentryB}, {kPoseAction, kSentryFire}, {kPoseOuch, kSentryB}}},
      {kBat, BatLegend, {{kPoseMoveA, kBatUp}, {kPoseMoveB, kBatDown}, {kPoseAction, kBatUp}, {kPoseOuch, kBatOuch}}},
      {kSpiker, SpikerLegend, {{kPoseMoveA, kSpikerA}, {kPoseMoveB, kSpikerB}, {kPoseAction, kSpikerA}, {kPoseOuch, kSpikerB}}},
      {kWizard, WizardLegend, {{kPoseMoveA, kWizardA}, {kPoseMoveB, kWizardA}, {kPoseAction, kWizardCast}, {kPoseOuch, kWizardA}}},
      {kChest, ChestLegend, {{kPoseMoveA, kChestShut}, {kPoseMoveB, kChestShut}, {kPoseAction, kChestShut}, {kPoseOuch, kChestShut}}},
      {kFrog, FrogLegend, {{kPoseMoveA, kFrogSit}, {kPoseMoveB, kFrogSit}, {kPoseAction, kFrogLeap}, {kPoseOuch, kFrogLeap}}},
      {kWisp, WispLegend, {{kPoseMoveA, kWispA}, {kPoseMoveB, kWispB}, {kPoseAction, kWispA}, {kPoseOuch, kWispB}}},
      {kHive, HiveLegend, {{kPoseMoveA, kHiveRows}, {kPoseMoveB, kHiveRows}, {kPoseAction, kHiveRows}, {kPoseOuch, kHiveRows}}},
  };
  for (const CharaArt& art : characters) PaintCharacter(sheet, art);
  for (int column = 0; column < layout::kCharaColumns; ++column) PaintLift(sheet, column * S, kLift * S);
  return sheet;
}

}  // namespace sample
