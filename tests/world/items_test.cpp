// Items: command lists on the hero with fake workers, flow changes, placement, pickup and
// block events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/common_palette.h"
#include "data/data_read_context.h"
#include "support/world_fixture.h"
#include "world/item_obj.h"

namespace {

using worldtest::WorldFixture;

cEdCommand Command(int kind, int p0 = 0, int p1 = 0) {
  cEdCommand c;
  c.nSet = 1;
  c.nKind = static_cast<std::uint8_t>(kind);
  c.Param(0) = p0;
  c.Param(1) = p1;
  return c;
}

cVector<cEdCommand> List(std::initializer_list<cEdCommand> commands) {
  cVector<cEdCommand> list;
  for (const cEdCommand& c : commands) list.push_back(c);
  return list;
}

class ItemsTest : public testing::Test {
 protected:
  ItemsTest() : world({"..........", "..........", "..H.......", "##########"}, 2) {
    world.stage.nItemBox[0] = world.stage.nItemBox[1] = 32;
    world.stage.nHeroItemBox[0] = world.stage.nHeroItemBox[1] = 32;
  }
  WorldFixture world;
};

TEST_F(ItemsTest, CommandListsStopAtAClearOrAtNoHpAndArrangesFeedTheNextCommandOnly) {
  world.Build();
  cPlayer& hero = world.Hero();
  const struct {
    cVector<cEdCommand> list;
    int result;
    std::vector<int> ran;
  } cases[] = {
      {List({Command(20), Command(2), Command(20)}), 1, {20, 2}},
      {List({Command(7), Command(20)}), 2, {7}},  // the worker of 7 takes all HP
      {List({Command(0), Command(24), Command(40), Command(3)}), 0, {3}},  // 40 acts as none
  };
  world.flows.itemWorker = [](cPlayer& h, cEdCommand& c) {
    if (c.nKind == 7) h.nHp = 0;
  };
  for (const auto& c : cases) {
    world.flows.itemCommands.clear();
    hero.nHp = 10;
    EXPECT_EQ(hero.RunItemCommands(c.list), c.result);
    EXPECT_EQ(world.flows.itemCommands, c.ran);
  }
  world.flows.arranged.clear();
  hero.nHp = 10;
  EXPECT_EQ(hero.RunItemCommands(List({Command(23, 1), Command(23, 2), Command(20), Command(20)})), 0);
  ASSERT_EQ(world.flows.arranged.size(), 1u);
  EXPECT_EQ(world.flows.arranged[0], std::make_pair(20, 2));
  EXPECT_TRUE(hero.ItemArrange.empty());
  hero.RunItemCommands(List({Command(4)}));
  EXPECT_EQ(world.Scene().bItemMessage, 1);
  hero.RunItemCommands(List({Command(20)}));
  EXPECT_EQ(world.Scene().bItemMessage, 0);
}

TEST_F(ItemsTest, AFlowChangeTakenDuringTheHerosFlowsAppliesAfterThem) {
  world.Build();
  std::vector<std::string> seenInside;
  bool once = false;
  world.flows.scripts[0] = [&](cCharaBase& hero, int) {
    if (once) return 0;
    once = true;
    ItemFlowChange(hero, Command(1, 1, 5), false);
    seenInside = world.flows.flowChanges;
    return 0;
  };
  world.Step(1);
  EXPECT_TRUE(seenInside.empty());
  const std::vector<std::string> applied = {"remove 0 5", "install 0 3"};
  EXPECT_EQ(world.flows.flowChanges, applied);
  EXPECT_TRUE(world.Hero().QueuedFlowChanges.empty());
  // Outside the hero's own step a change applies at once.
  world.flows.flowChanges.clear();
  world.flows.scripts.clear();
  ItemFlowChange(world.Hero(), Command(1, 0), false);
  EXPECT_EQ(world.flows.flowChanges, std::vector<std::string>{"install 0 -1"});
}

TEST_F(ItemsTest, AScaledItemKeepsItsFootOnItsRow) {
  world.stage.nItemBox[0] = world.stage.nItemBox[1] = 24;
  world.Build();
  cEdItem def;
  def.nPicture = 1;
  cItemObj plain;
  plain.Init(0, def, 0);
  plain.PlaceAtCell(3, 1);
  def.nScale = 2;
  cItemObj big;
  big.Init(1, def, 0);
  big.PlaceAtCell(3, 1);
  EXPECT_EQ(big.nHeight, 48);
  EXPECT_EQ(big.bottom, plain.bottom);
}

TEST_F(ItemsTest, TakeModesOnceAgainAndNever) {
  for (int mode = 0; mode < 3; ++mode) {
    cEdItem item;
    item.nPicture = 1;
    item.nSound = static_cast<std::uint16_t>(10 + mode);
    item.nTakeMode = static_cast<std::uint8_t>(mode);
    item.x = 2;
    item.y = 2;
    world.stage.Items = cVector<cEdItem>{item};
    world.sounds.userSounds.clear();
    world.Build();
    world.Step(3);
    cList<cItemObj>& items = world.Scene().ItemList;
    const int taken = static_cast<int>(world.sounds.userSounds.size());
    if (mode == 2) {
      EXPECT_EQ(taken, 0);
      EXPECT_EQ(items.size(), 1u);
      continue;
    }
    EXPECT_EQ(taken, 1) << mode;
    EXPECT_EQ(items.size(), mode == 0 ? 0u : 1u);
    if (mode == 1) {
      // Away and back: taken again.
      items.front().x += 200;
      items.front().ClampX(2);
      world.Step(1);
      items.front().x -= 200;
      items.front().ClampX(2);
      world.Step(1);
      EXPECT_EQ(world.sounds.userSounds.size(), 2u);
    }
  }
}

TEST_F(ItemsTest, ABlockEventFiresAtMostOncePerSecond) {
  const cVector<cEdItem> saved = CommonPalette.Items;
  cEdItem coin;
  coin.nPicture = 1;
  coin.nSound = 42;
  CommonPalette.Items = cVector<cEdItem>{cEdItem{}, coin};
  const PaletteLists savedView = ProjectDataContext().commonPalette;
  ProjectDataContext().commonPalette = CommonPalette.PaletteView();
  world.Build();
  world.Step(2);
  cPlayer& hero = world.Hero();
  ASSERT_GE(hero.nFootCell, 0);
  cEdBlock ground = world.Scene().BlockMap.Block(hero.nFootCell);
  ground.nItemSource = 1;
  ground.nItemIndex = 1;
  world.Scene().BlockMap.Put(hero.nFootCell, ground);
  int first = 0;
  while (world.sounds.userSounds.empty() && first < 100) {
    world.Step(1);
    ++first;
  }
  EXPECT_EQ(world.sounds.userSounds, std::vector<int>{42}) << hero.bFalling << " " << first;
  world.Step(59);
  EXPECT_EQ(world.sounds.userSounds.size(), 1u);
  world.Step(1);
  EXPECT_EQ(world.sounds.userSounds.size(), 2u);
  CommonPalette.Items = saved;
  ProjectDataContext().commonPalette = savedView;
}

}  // namespace
