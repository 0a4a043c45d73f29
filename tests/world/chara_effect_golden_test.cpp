// A character drawn in each of the seventeen draw-effect kinds, frames compared with frames
// looked at (write them as PNG files with KESTREL_GOLDEN_DIR=<folder>).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/system_ini.h"
#include "data/database.h"
#include "data/system_data.h"
#include "gfx/blend_table.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/gfx_test_support.h"
#include "gfx/surface_records.h"
#include "support/chara_effects_fixture.h"
#include "support/golden_frame.h"
#include "support/world_fixture.h"
#include "world/chara_draw.h"
#include "world/effect_tables.h"

namespace {

using gfxtest::Mode;

// onlyRow >= 0 paints that row of cells alone, the rest transparent.
std::string Sheet(int onlyRow = -1) {
  testsupport::BmpPicture picture;
  picture.width = 128;
  picture.height = 480;
  picture.bits = 8;
  for (int n = 0; n < 256; ++n) picture.colors.push_back(gfxtest::PaletteColor(n));
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 128; ++x) {
      const int cx = x % 32;
      const int cy = y % 32;
      // A keyed rim round a face of stripes and a darker eye, so that every effect shows.
      int index = 0;
      if (cx >= 3 && cx < 29 && cy >= 3 && cy < 29) index = 16 + (cx / 4) * 8 + cy / 8;
      if (cx >= 18 && cx < 24 && cy >= 8 && cy < 14) index = 200;
      if (onlyRow >= 0 && y / 32 != onlyRow) index = 0;
      picture.pixels.push_back(static_cast<std::uint32_t>(index));
    }
  }
  return testsupport::MakeBmp(picture);
}

struct Golden {
  const char* mode;
  std::uint64_t hash;
};
// Looked at: plain, split, bands across and down, waves across and down; blink (shown), the
// two rotations, the card turn, the disc, the enlargement; the lens, the tint, half
// transparency, mosaic and blur.
const Golden kGolden[] = {{"D3D32", 0x47c17a83023f728aull}, {"DD16", 0xc387fa0b9eda8927ull}};

class CharaEffectFrame : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    WriteFile("bmp/Character2.bmp", Sheet());
    ASSERT_TRUE(Init(GetParam()));
    ASSERT_TRUE(UsePaletteFile());
    for (int a = 0; a < 256; ++a)
      for (int b = 0; b < 256; ++b) DDBlendTable[a * 256 + b] = static_cast<BYTE>(a > b ? (a + b) / 2 : b);
    for (int row : {6, 7, 24, 25}) {
      ASSERT_EQ(DDCreateSurfaceFromFile(&SurfaceRecords[row], "bmp\\Character2.bmp", 1, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
    }
    // The two work textures as the surface table makes them: a render target, and one in
    // system memory.
    ASSERT_TRUE(DDCreateSurface(&SurfaceRecords[69], 256, 256, 1, 0, DTMEMORYTYPE_VIDEO_NORT, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&SurfaceRecords[70], 256, 256, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    // Parameters 1 the blink interval, 3 and 4 the bands, waves, lens offset and tint colour.
    effects_.Set(1, 0, {0, 2, 0, 4, 3});
    world_.emplace(std::vector<std::string>{"H...", "####"});
    world_->Build();
  }
  void TearDown() override {
    world_.reset();
    for (int row : {6, 7, 24, 25, 69, 70}) DDReleaseSurface(&SurfaceRecords[row]);
    LibraryTest::TearDown();
  }
  // The hero as the fixture draws it: picture 16, facing right, pinned to the screen there.
  cPlayer& PinnedHero(int left, int top) {
    cPlayer& hero = world_->Hero();
    hero.Def.nGraphicKind = 1;
    hero.Def.nPicture = 16;  // row 1 of the second sheet
    hero.nFacing = 1;
    hero.bPinX = hero.bPinY = 1;
    hero.nPinLeft = left;
    hero.nPinTop = top;
    return hero;
  }
  worldtest::ScopedCharaEffects effects_{2};
  std::optional<worldtest::WorldFixture> world_;
};

TEST_P(CharaEffectFrame, EverySeventeenKindsDrawsAsLookedAt) {
  cPlayer& hero = world_->Hero();
  hero.Def.nGraphicKind = 1;
  hero.Def.nPicture = 16;  // sheet 2
  hero.nFacing = 1;
  hero.bPinX = hero.bPinY = 1;
  // A value per kind that shows it well: gaps, shifts, amplitudes, angles, radii, strengths.
  const double values[17] = {0, 6, 3, 3, 3, 3, 0, 30, 45, 12, 14, 48, 6, 160, 0, 4, 2};
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 36);
  for (int kind = 0; kind < 17; ++kind) {
    hero.nPinLeft = 40 + (kind % 6) * 100;
    hero.nPinTop = 60 + (kind / 6) * 130;
    hero.Effect = cCharaEffectRun{};
    hero.Effect.entry.nIndex = 1;
    hero.Effect.entry.nKind = kind;
    hero.Effect.entry.dValue = values[kind];
    hero.Effect.entry.nWavePhase = 30;
    hero.Effect.bBlink = kind == 6 ? 1 : 0;
    DrawCharaPicture(hero, &SDBackBuffer, true);
    EXPECT_EQ(hero.Effect.entry.nKind, kind);  // a frozen draw never ends an effect
  }
  platform::Frame frame;
  ASSERT_TRUE(gfxtest::PresentBackBuffer(frame));
  for (const Golden& g : kGolden) {
    if (std::string(g.mode) == GetParam().name) {
      testsupport::ExpectGoldenFrame(frame, std::string("chara_effects_") + GetParam().name, g.hash);
    }
  }
}

// A tinted hero (invincible, tint 2, switch 287 on) is modulated by palette entry 212 on
// Direct3D only, drawn plain or giant; the state does not outlive the draw.
TEST_P(CharaEffectFrame, ATintModulatesThePictureOnDirect3DAndIsResetAfterTheDraw) {
  const int option = SystemData.bOption287;
  SystemData.bOption287 = 1;
  DDPalette[212] = PALETTEENTRY{255, 0, 0, 0};
  cPlayer& hero = PinnedHero(100, 100);
  hero.Def.nAnimeSet = 0xFFFF;  // no set: an invincible hero keeps its pose column
  const bool direct3D = GetParam().backend == 1;
  for (int giant : {1, 2}) {
    hero.Def.nGiant = giant;
    hero.Rect.width = hero.Rect.height = 32 * giant;
    DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 36);
    hero.Def.nInvincible = 0;
    DrawCharaPicture(hero, &SDBackBuffer, true);
    const DWORD plain = gfxtest::PixelOf(&SDBackBuffer, 100 + 6 * giant, 100 + 20 * giant);
    hero.Def.nInvincible = 1;
    hero.Def.nTint = 2;
    DrawCharaPicture(hero, &SDBackBuffer, true);
    const DWORD tinted = gfxtest::PixelOf(&SDBackBuffer, 100 + 6 * giant, 100 + 20 * giant);
    if (direct3D) {
      EXPECT_EQ(tinted & 0x00FFFFu, 0u) << "giant " << giant;
      EXPECT_EQ(tinted & 0xFF0000u, plain & 0xFF0000u) << "giant " << giant;
    } else {
      EXPECT_EQ(tinted, plain) << "giant " << giant;
    }
    hero.Def.nInvincible = 0;
    DrawCharaPicture(hero, &SDBackBuffer, true);
    EXPECT_EQ(gfxtest::PixelOf(&SDBackBuffer, 100 + 6 * giant, 100 + 20 * giant), plain) << "giant " << giant;
  }
  SystemData.bOption287 = option;
}

// A giant picture turned by rotation A (on DirectDraw through a square holding the cell at its
// own size, then stretched) covers what rotation B covers turning the scaled copy, give or take
// the pixel that the square's odd side and the samplings round apart.
TEST_P(CharaEffectFrame, RotationAOfAGiantCoversWhatRotationBCovers) {
  cPlayer& hero = PinnedHero(200, 200);
  hero.Def.nGiant = 2;
  hero.Rect.width = hero.Rect.height = 64;
  struct Box {
    int left = 9999, top = 9999, right = -1, bottom = -1;
  };
  const auto drawn = [&](int kind, int angle) {
    DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 36);
    const DWORD background = gfxtest::PixelOf(&SDBackBuffer, 0, 0);
    hero.Effect = cCharaEffectRun{};
    hero.Effect.entry.nIndex = 1;
    hero.Effect.entry.nKind = kind;
    hero.Effect.entry.dValue = angle;
    DrawCharaPicture(hero, &SDBackBuffer, true);
    Box box;
    for (int y = 150; y < 314; ++y) {
      for (int x = 150; x < 314; ++x) {
        if (gfxtest::PixelOf(&SDBackBuffer, x, y) == background) continue;
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
      }
    }
    return box;
  };
  for (int angle : {0, 30, 90, 225}) {
    const Box a = drawn(7, angle);
    const Box b = drawn(8, angle);
    ASSERT_LE(b.left, b.right) << "angle " << angle;
    EXPECT_NEAR(a.left, b.left, 2) << "angle " << angle;
    EXPECT_NEAR(a.top, b.top, 2) << "angle " << angle;
    EXPECT_NEAR(a.right, b.right, 2) << "angle " << angle;
    EXPECT_NEAR(a.bottom, b.bottom, 2) << "angle " << angle;
  }
}

// The lens reaches past the picture (its offset moves it down and right); what it shows there
// must be the picture's own transparent surroundings, never the sheet's neighbouring cells.
TEST_P(CharaEffectFrame, TheLensReadsOnlyThePicturesOwnCell) {
  cPlayer& hero = PinnedHero(200, 200);
  const auto lens = [&] {
    DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 36);
    hero.Effect = cCharaEffectRun{};
    hero.Effect.entry.nIndex = 1;
    hero.Effect.entry.nKind = 12;
    hero.Effect.entry.dValue = 6;
    DrawCharaPicture(hero, &SDBackBuffer, true);
    std::vector<DWORD> area;
    for (int y = 140; y < 320; ++y)
      for (int x = 140; x < 320; ++x) area.push_back(gfxtest::PixelOf(&SDBackBuffer, x, y));
    return area;
  };
  const std::vector<DWORD> amongOthers = lens();
  WriteFile("bmp/Character2.bmp", Sheet(1));
  for (int row : {6, 7, 24, 25}) {
    DDReleaseSurface(&SurfaceRecords[row]);
    ASSERT_EQ(DDCreateSurfaceFromFile(&SurfaceRecords[row], "bmp\\Character2.bmp", 1, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
  }
  EXPECT_TRUE(amongOthers == lens());
}

// Under Direct3D lens, mosaic and blur come to the screen through an intermediate drawn as a
// quad, so a tinted picture is tinted in them too; DirectDraw has no tint.
TEST_P(CharaEffectFrame, MosaicAndBlurOfATintedPictureAreTintedOnDirect3D) {
  const int option = SystemData.bOption287;
  SystemData.bOption287 = 1;
  DDPalette[212] = PALETTEENTRY{255, 0, 0, 0};
  cPlayer& hero = PinnedHero(100, 100);
  hero.Def.nAnimeSet = 0xFFFF;
  hero.Def.nTint = 2;
  for (int kind : {15, 16}) {
    const auto pixel = [&](int invincible) {
      DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 36);
      hero.Def.nInvincible = static_cast<std::uint8_t>(invincible);
      hero.Effect = cCharaEffectRun{};
      hero.Effect.entry.nIndex = 1;
      hero.Effect.entry.nKind = kind;
      hero.Effect.entry.dValue = 1;  // a mosaic of one-pixel blocks, the least blur
      DrawCharaPicture(hero, &SDBackBuffer, true);
      return gfxtest::PixelOf(&SDBackBuffer, 106, 120);
    };
    const DWORD plain = pixel(0);
    const DWORD tinted = pixel(1);
    if (GetParam().backend == 1) {
      EXPECT_NE(plain & 0x00FFFFu, 0u) << "kind " << kind;
      EXPECT_EQ(tinted & 0x00FFFFu, 0u) << "kind " << kind;
    } else {
      EXPECT_EQ(tinted, plain) << "kind " << kind;
    }
  }
  SystemData.bOption287 = option;
}

INSTANTIATE_TEST_SUITE_P(Modes, CharaEffectFrame,
                         testing::Values(Mode{"D3D32", 1, 32, 1}, Mode{"DD16", 0, 16, 1}), gfxtest::PrintMode);

}  // namespace
