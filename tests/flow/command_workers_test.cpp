// The one-call commands by family: what each changes of the character, its target and the
// play scene, and the item commands that run them on the hero.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/command_tables.h"
#include "fake_actor.h"
#include "flow/command_workers.h"
#include "flow/flow_cursor.h"

namespace {

using flowtest::FakeActor;
using flowtest::FakeWorld;

cEdCommand Cmd(int kind, std::vector<std::int32_t> params) {
  cEdCommand c;
  c.nKind = static_cast<std::uint8_t>(kind);
  for (std::int32_t p : params) c.params.push_back(p);
  return c;
}

struct Scene {
  FakeWorld world;
  FakeActor self;
  FakeActor other;
};

TEST(CommandWorkersTest, StatusOperationTwoSetsFlagsOfTheCharacterItsTargetOrTheSystem) {
  struct Case {
    const char* name;
    bool hasTarget, selfIsPlayer;
    std::vector<std::int32_t> params;  // object, status, value
    std::string expected;             // self: vanished hp flags[1..6]; other: vanished; defeat checks; scroll x
  };
  const Case cases[] = {
      {"transparent on itself", false, false, {0, 1, 1}, "0 10 100000 | 0 | 0 0"},
      {"fixed facing takes the low byte", false, false, {0, 2, 258}, "0 10 020000 | 0 | 0 0"},
      {"flight only for a player's character", false, false, {0, 3, 1}, "0 10 000000 | 0 | 0 0"},
      {"flight of the player's character", false, true, {0, 3, 2}, "0 10 002000 | 0 | 0 0"},
      {"its target vanishes and may have died", true, false, {1, 0, 0}, "0 10 000000 | 1 | 1 0"},
      {"no target: nothing", false, false, {1, 4, 1}, "0 10 000000 | 0 | 0 0"},
      {"the player's own character loses its HP, no check", false, true, {0, 0, 0}, "0 0 000000 | 0 | 0 0"},
      {"a stage character vanishes itself", false, false, {0, 0, 0}, "1 10 000000 | 0 | 0 0"},
      {"the system's horizontal auto-scroll", false, false, {2, 0, 1}, "0 10 000000 | 0 | 0 1"},
      {"another system status: nothing", false, false, {2, 5, 1}, "0 10 000000 | 0 | 0 0"},
      {"any other object is the character itself", false, false, {7, 4, 2}, "0 10 000200 | 0 | 0 0"},
  };
  for (const Case& c : cases) {
    Scene t;
    t.self.playerOperated = c.selfIsPlayer;
    if (c.hasTarget) t.self.target = &t.other;
    cEdCommand command = Cmd(kCmdStatusOp2, c.params);
    CmdStatusOp2(t.self, command);
    std::string flags;
    for (int i = 1; i <= 6; ++i) flags += std::to_string(t.self.flags[i] & 0xFF);
    const std::string got = std::to_string(t.self.vanished) + " " + std::to_string(t.self.hp) + " " + flags + " | " +
                            std::to_string(t.other.vanished) + " | " + std::to_string(t.world.defeatChecks) + " " +
                            std::to_string(t.world.scrollOnX);
    EXPECT_EQ(got, c.expected) << c.name;
  }
}

TEST(CommandWorkersTest, VanishNamesItsGroupAndRangeAndGetItemPassesItsResultOn) {
  Scene t;
  cEdCommand charas = Cmd(kCmdVanish, {0, 2, 0});
  cEdCommand shots = Cmd(kCmdVanish, {1, 7, 1});
  cEdCommand other = Cmd(kCmdVanish, {2, 1, 1});
  cEdCommand badGroup = Cmd(kCmdVanish, {0, 8, 1});
  for (cEdCommand* c : {&charas, &shots, &other, &badGroup}) CmdVanish(t.self, *c);
  EXPECT_EQ(t.world.vanished, (std::vector<std::vector<int>>{{0, 2, 0}, {1, 7, 1}}));

  // 1 clears the stage, 2 is the hero's death; another palette runs nothing.
  for (const int result : {0, 1, 2}) {
    t.world.itemRunner = [result](int, int) { return result; };
    cEdCommand take = Cmd(kCmdTakeItem, {1, 3});
    EXPECT_EQ(CmdGetItem(t.self, take), result);
    EXPECT_EQ(t.world.leave, result);
  }
  t.world.leave = 5;
  cEdCommand elsewhere = Cmd(kCmdTakeItem, {2, 3});
  CmdGetItem(t.self, elsewhere);
  EXPECT_EQ(t.world.leave, 5);

  // An item that takes itself stops eight deep.
  t.world.itemsRun.clear();
  cEdCommand self = Cmd(kCmdTakeItem, {0, 1});
  t.world.itemRunner = [&](int, int) { return CmdGetItem(t.self, self); };
  CmdGetItem(t.self, self);
  EXPECT_EQ(t.world.itemsRun.size(), 8u);
}

TEST(CommandWorkersTest, PictureAnimationEffectsBackgroundAndSound) {
  Scene t;
  cEdCommand graphic = Cmd(kCmdChangeGraphic, {300, 70000, -1});
  CmdChangeGraphic(t.self, graphic);
  EXPECT_EQ(t.self.graphic, (std::vector<int>{44, 4464, 65535}));

  cEdCommand anime = Cmd(kCmdRunAnime, {5});
  CmdAnimation(t.self, anime);
  cFlow flow;
  flow.nAnimeKey = 12;
  {
    const FlowCursorScope scope;
    CurrentFlow().flow = &flow;
    CmdAnimation(t.self, anime);
  }
  EXPECT_EQ(t.self.animes, (std::vector<std::pair<int, int>>{{5, -1}, {5, 12}}));

  cEdCommand effect = Cmd(kCmdRunCharaEffect, {2, 1, 1});
  CmdCharaEffect(t.self, effect);
  EXPECT_EQ(t.self.charaEffects, (std::vector<std::vector<int>>{{2, 1, 1}}));

  cEdCommand screen = Cmd(kCmdRunScrEffect, {65537, 2, 1});
  CmdScreenEffect(t.self, screen);
  EXPECT_EQ(t.world.screenEffects, (std::vector<std::vector<int>>{{1, 2, 1}}));  // 16 bits

  cEdCommand colour = Cmd(kCmdScreenColour, {255, 0, 0, 40, 0, 2, 1, 1});
  CmdScreenColor(t.self, colour);
  ASSERT_EQ(t.world.tints.size(), 1u);
  EXPECT_EQ(t.world.tints[0].size(), 8u);

  cEdCommand background = Cmd(kCmdChangeBackground, {1, 2});
  CmdBackground(t.self, background);
  EXPECT_EQ(t.world.backgrounds, (std::vector<std::pair<int, int>>{{0, 2}}));  // numbered from 1

  cEdCommand sound = Cmd(kCmdPlaySound, {9});
  sound.bSoundInViewOnly = 1;
  t.self.onScreen = false;
  CmdSoundEffect(t.self, sound);
  t.self.onScreen = true;
  CmdSoundEffect(t.self, sound);
  EXPECT_EQ(t.world.sounds, std::vector<int>{9});
}

TEST(CommandWorkersTest, AnItemCommandRunsTheWorkerOfItsCharacterTwin) {
  Scene t;
  cEdCommand statusOp2 = Cmd(kCmdStatusOp2 - kItemKindOffset, {0, 4, 1});
  statusOp2.nSet = kItemCommandSet;
  RunItemWorker(t.self, statusOp2);
  EXPECT_EQ(t.self.flags[4], 1);
  // Kinds 0 and 1 have no twin; a character command given as an item's runs as itself.
  for (const int kind : {0, 1}) {
    cEdCommand c = Cmd(kind, {0, 4, 2});
    c.nSet = kItemCommandSet;
    EXPECT_EQ(RunItemWorker(t.self, c), 0);
  }
  EXPECT_EQ(t.self.flags[4], 1);
}

}  // namespace
