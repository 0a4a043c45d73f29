// The screen tint as the change-screen-colour command sets it.
#include <gtest/gtest.h>

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

}  // namespace
