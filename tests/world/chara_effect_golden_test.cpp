// A character drawn in each of the seventeen draw-effect kinds, frames compared with frames
// looked at (write them as PNG files with KESTREL_GOLDEN_DIR=<folder>).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/system_ini.h"
#include "data/database.h"
#include "gfx/blend_table.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_present.h"
#include "gfx/dd_surface.h"
#include "gfx/gfx_test_support.h"
#include "gfx/surface_records.h"
#include "support/golden_frame.h"
#include "platform/video/presenter.h"
#include "support/world_fixture.h"
#include "world/chara_draw.h"
#include "world/effect_tables.h"

namespace {

using gfxtest::Mode;

std::string Sheet() {
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
const Golden kGolden[] = {{"D3D32", 0x2c716ee3f26d734eull}, {"DD16", 0x35aa5a3ed522e768ull}};

class CharaEffectFrame : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    WriteFile("bmp/Character2.bmp", Sheet());
    ASSERT_TRUE(Init(GetParam()));
    ASSERT_TRUE(DDLoadPaletteFromFile(DDPalette, "bmp\\plt\\Palette.bmp"));
    std::copy(std::begin(DDPalette), std::end(DDPalette), std::begin(DDPaletteSaved));
    ASSERT_EQ(DDSetTransmit("bmp\\plt\\Palette.bmp"), 1);
    for (int a = 0; a < 256; ++a)
      for (int b = 0; b < 256; ++b) DDBlendTable[a * 256 + b] = static_cast<BYTE>(a > b ? (a + b) / 2 : b);
    for (int row : {6, 7, 24, 25}) {
      ASSERT_EQ(DDCreateSurfaceFromFile(&SurfaceRecords[row], "bmp\\Character2.bmp", 1, DDBpp, 0, 0, 0, 0, 0, 0, 0), 0);
    }
    saved_ = Database.CharaEffects;
    Database.CharaEffects.assign(2, cEdCharaEffect{});
    Database.CharaEffects[1].nParam[1] = 2;  // blink interval
    Database.CharaEffects[1].nParam[3] = 4;  // bands, waves, lens offset, tint colour
    Database.CharaEffects[1].nParam[4] = 3;
    world_.emplace(std::vector<std::string>{"H...", "####"});
    world_->Build();
  }
  void TearDown() override {
    world_.reset();
    Database.CharaEffects = saved_;
    for (int row : {6, 7, 24, 25}) DDReleaseSurface(&SurfaceRecords[row]);
    LibraryTest::TearDown();
  }
  std::optional<worldtest::WorldFixture> world_;
  cVector<cEdCharaEffect> saved_;
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
  if (lpDTCon != nullptr) {
    ASSERT_EQ(DDFlip(0, 0, 0), 1);
  } else {
    DDPresentDirectDraw();
  }
  platform::CapturePresenter capture;
  ASSERT_TRUE(platform::PresentNewestFrame(capture));
  const platform::Frame& frame = capture.LastFrame();
  for (const Golden& g : kGolden) {
    if (std::string(g.mode) == GetParam().name) {
      testsupport::ExpectGoldenFrame(frame, std::string("chara_effects_") + GetParam().name, g.hash);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, CharaEffectFrame,
                         testing::Values(Mode{"D3D32", 1, 32, 1}, Mode{"DD16", 0, 16, 1}), gfxtest::PrintMode);

}  // namespace
