// Character searches, graphic references and references to removed characters.
#include <gtest/gtest.h>

#include "core/system_ini.h"
#include "gfx/dd_state.h"
#include "support/world_fixture.h"
#include "world/chara_search.h"
#include "world/graphic_ref.h"

namespace {

using worldtest::WorldFixture;

class SearchTest : public testing::Test {
 protected:
  SearchTest() : world({"H.e.e.e...", "##########"}) {
    world.Build();
    for (cChara& c : world.Scene().CharaList) {
      list.push_back(&c);
      c.UpdateScreenRect();
      c.bPresent = 1;
      c.bOnScreen = 1;
    }
  }
  WorldFixture world;
  cList<cCharaBase*> list;
};

TEST_F(SearchTest, FiltersAndComparisons) {
  CharaFilter f;
  EXPECT_EQ(FindChara(list, f)->nNumber, 1);
  f.skipSelf = true;
  f.selfNumber = 1;
  EXPECT_EQ(FindChara(list, f)->nNumber, 2);
  world.Chara(3)->Vars[4] = 12;
  f.byValue = true;
  f.valueIndex = 4;
  f.value = 6;
  f.comparison = 6;  // a multiple of 6; 0 is one too
  EXPECT_EQ(FindChara(list, f)->nNumber, 2);
  f.value = 0;
  EXPECT_EQ(FindChara(list, f)->nNumber, 2);
  f.comparison = 7;
  EXPECT_EQ(FindChara(list, f), nullptr);
  world.Chara(2)->bDead = 1;
  f = CharaFilter{};
  f.skipSelf = true;
  f.selfNumber = 1;
  EXPECT_EQ(FindChara(list, f)->nNumber, 3);
}

TEST_F(SearchTest, NearestPrefersOnScreenAndTheEarlierOfEquals) {
  cChara& a = *world.Chara(1);
  cChara& b = *world.Chara(3);
  const double cx = (a.Rect.left + b.Rect.left) / 2.0 + (a.Rect.width >> 1);
  const double cy = a.Rect.top + (a.Rect.height >> 1);
  // Characters 1 and 3 stand at equal distances from the point between them.
  world.Chara(2)->bOnScreen = 0;
  EXPECT_EQ(FindNearestChara(cx, cy, list, 0, CharaFilter{})->nNumber, 1);
  EXPECT_EQ(FindNearestChara(cx, cy, list, 1, CharaFilter{})->nNumber, 2);
  a.bOnScreen = 0;
  b.bOnScreen = 0;
  EXPECT_EQ(FindNearestChara(cx, cy, list, 0, CharaFilter{})->nNumber, 2);  // only off screen
  EXPECT_EQ(FindNearestChara(cx, cy, list, 2, CharaFilter{}), nullptr);
}

TEST(GraphicRefTest, CharacterSheetCells) {
  const int backend = DDBackend;
  const int stretch = SystemIni.DD_VideoStretch;
  DDBackend = 0;
  SystemIni.DD_VideoStretch = 1;  // the first pair
  GraphicRef ref;
  ref.Set(0, 1, 17, 3, 0, 0);
  EXPECT_EQ(ref.nRow, 6);  // bmp\Character2.bmp
  EXPECT_EQ(ref.nSrcX, 96);
  EXPECT_EQ(ref.nSrcY, 64);
  ref.Set(0, 1, 17, 23, 0, 0);
  EXPECT_EQ(ref.nRow, 7);  // its mirrored sheet
  EXPECT_EQ(ref.nSrcX, 96);
  ref.Set(1, 1, 17, 3, 1, 2);  // drawing a character facing right, two poses on
  EXPECT_EQ(ref.nRow, 7);
  EXPECT_EQ(ref.nSrcX, 160);
  ref.Set(0, 1, 15 * 8, 0, 0, 0);  // beyond the eight sheets: the first character
  EXPECT_EQ(ref.nRow, 4);
  EXPECT_EQ(ref.nSrcY, 0);
  SystemIni.DD_VideoStretch = 0;
  ref.Set(0, 1, 17, 3, 0, 0);
  EXPECT_EQ(ref.nRow, 24);  // the twin
  ref.Set(0, 0, 16, 0, 0, 0);
  EXPECT_EQ(ref.nSrcX, 32);
  EXPECT_EQ(ref.nSrcY, 32);
  DDBackend = backend;
  SystemIni.DD_VideoStretch = stretch;
}

TEST(RemovedTargetTest, ATargetRemovedMidFrameReadsAsNone) {
  WorldFixture world({"H.e.e.e...", "##########"});
  world.Build();
  cChara& registered = *world.Chara(1);
  cChara& stale = *world.Chara(3);
  registered.nTarget = 2;
  world.Chara(2)->TargetedBy.push_back(1);
  stale.nTarget = 2;  // a number nobody told the target about
  // The prey asks for its removal and sets the kill flag: the next character's pass removes
  // it through the hero's HP check, in the middle of the pass.
  world.flows.scripts[2] = [&world](cCharaBase& c, int) {
    c.bKillRequest = 1;
    world.Scene().nKillFlag = 1;
    return 0;
  };
  std::vector<bool> resolved;
  world.flows.scripts[3] = [&world, &resolved](cCharaBase& c, int) {
    resolved.push_back(world.Scene().FindCharaByNumber(c.nTarget) != nullptr);
    return 0;
  };
  world.Step(1);
  EXPECT_EQ(world.Chara(2), nullptr);
  EXPECT_EQ(registered.nTarget, -1);
  EXPECT_EQ(stale.nTarget, 2);
  EXPECT_EQ(resolved, std::vector<bool>{false});
}

}  // namespace
