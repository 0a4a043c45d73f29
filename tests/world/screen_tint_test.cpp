// The screen tint as the change-screen-colour command sets it, and the weights it runs through.
#include <gtest/gtest.h>

#include <vector>

#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "world/screen_tint.h"

namespace {

cVector<std::int32_t> Params(std::initializer_list<std::int32_t> values) {
  cVector<std::int32_t> p;
  for (std::int32_t v : values) p.push_back(v);
  return p;
}

TEST(ScreenTintTest, ATintStartsFromThePictureAndAFadeBackFromTheTintBefore) {
  const int savedBpp = DDBpp;
  DDBpp = 8;
  cScreenTint tint;
  // In 8 bits a fade back needs a tint set before it.
  tint.Set(Params({0, 0, 0, 0, 1, 10, 0, 0}));
  EXPECT_EQ(tint.bActive, 0);

  tint.Set(Params({300, 20, 30, 50, 0, 10, 1, 3}));
  EXPECT_EQ(tint.bActive, 1);
  EXPECT_EQ(tint.bSteady, 1);
  EXPECT_EQ(tint.nRed, 44);  // a byte
  EXPECT_EQ(tint.nStrength, 50);
  EXPECT_EQ(tint.nAlpha, 0);
  EXPECT_EQ(tint.nDuration, 60);
  EXPECT_EQ(tint.bBlink, 1);
  EXPECT_EQ(tint.nRepeats, 3);
  EXPECT_EQ(tint.nPrevAlpha, 255);

  tint.nAlpha = 120;  // where the drawing left it
  tint.nCounter = 33;
  tint.Set(Params({9, 9, 9, 80, 1, 5, 0, 0}));
  EXPECT_EQ(tint.bFadeBack, 1);
  EXPECT_EQ(tint.nRed, 44);  // fades from the tint before
  EXPECT_EQ(tint.nStrength, 50);
  EXPECT_EQ(tint.nAlpha, 120);
  EXPECT_EQ(tint.nPrevAlpha, 120);
  EXPECT_EQ(tint.nCounter, 0);
  EXPECT_EQ(tint.nDuration, 30);
  DDBpp = savedBpp;
}

TEST(ScreenTintSequenceTest, APlainTintFadesInABlinkRepeatsAndAFadeBackReturns) {
  const int savedBpp = DDBpp;
  DDBpp = 8;  // the palette tint; there is no device, so nothing is shown
  cScreenTint tint;
  tint.Set(Params({255, 0, 0, 50, 0, 1, 0, 0}));  // half strength over a tenth
  std::vector<int> alphas;
  while (tint.bActive != 0 && alphas.size() < 20) {
    tint.Apply(false);
    alphas.push_back(tint.nAlpha);
  }
  EXPECT_EQ(alphas, (std::vector<int>{255, 233, 212, 191, 170, 148, 127}));
  // The palette holds the colour mixed in by that weight.
  EXPECT_EQ(DDPalette[1].peRed, (DDPaletteSaved[1].peRed * 127 + 255 * 129) >> 8);

  tint.Set(Params({0, 0, 0, 0, 1, 1, 0, 0}));  // back from the tint before
  alphas.clear();
  while (tint.bActive != 0 && alphas.size() < 20) {
    tint.Apply(false);
    alphas.push_back(tint.nAlpha);
  }
  EXPECT_EQ(alphas.front(), 127);
  EXPECT_EQ(alphas.back(), 255);
  EXPECT_EQ(alphas.size(), 7u);

  tint.Set(Params({0, 0, 255, 100, 0, 0, 1, 2}));  // a blink of no duration, twice
  alphas.clear();
  while (tint.bActive != 0 && alphas.size() < 20) {
    tint.Apply(false);
    alphas.push_back(tint.nAlpha);
  }
  EXPECT_EQ(alphas, (std::vector<int>{255, 255}));

  // Frozen drawing without Direct3D leaves the tint where it was.
  tint.Set(Params({255, 255, 0, 100, 0, 5, 0, 0}));
  for (int i = 0; i < 10; ++i) tint.Apply(true);
  EXPECT_EQ(tint.nCounter, 0);
  // Outside 8 bits the tint has no effect and ends.
  DDBpp = 16;
  tint.Apply(false);
  EXPECT_EQ(tint.bActive, 0);
  DDBpp = savedBpp;
}

}  // namespace
