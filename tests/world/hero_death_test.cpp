// The hero's death tests in the play frame, with their error-log lines.
#include <gtest/gtest.h>

#include <optional>

#include "core/report_log.h"
#include "support/temp_folder.h"
#include "support/world_fixture.h"

namespace {

using worldtest::WorldFixture;

class HeroDeathTest : public testing::Test {
 protected:
  void SetUp() override {
    current_.emplace(folder_.path());
    ErrLogInit(true, "EC_Game.txt");
  }
  void TearDown() override {
    ErrLogInit(false, "EC_Game.txt");
    current_.reset();
  }
  std::string ErrorLog() const { return folder_.Read("EC_Game.txt"); }
  // The hero runs right at the given speed per frame.
  static void Run(WorldFixture& world, double perFrame) {
    world.flows.scripts[0] = [&world, perFrame](cCharaBase& c, int) {
      c.vx = perFrame / world.Scene().Units.dSubSteps;
      return 0;
    };
  }
  testsupport::TempFolder folder_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
};

TEST_F(HeroDeathTest, RunningIntoADeadlyWall) {
  WorldFixture world({"H..X", "H..X", "####"});
  world.Build();
  Run(world, 2);
  EXPECT_EQ(world.Step(60), 2);
  EXPECT_EQ(world.Hero().bDead, 1);
  EXPECT_EQ(world.sounds.Count(kSoundHeroDown), 1);
  EXPECT_NE(ErrorLog().find("Dead 1\n"), std::string::npos);
}

TEST_F(HeroDeathTest, LandingOnADeadlyFloor) {
  WorldFixture world({"H...", "....", "XXXX"});
  world.Build();
  EXPECT_EQ(world.Step(60), 2);
  EXPECT_NE(ErrorLog().find("Dead 4\n"), std::string::npos);
}

TEST_F(HeroDeathTest, FallingOutOfTheStage) {
  WorldFixture world({"H...", "....", "...."});
  world.Build();
  EXPECT_EQ(world.Step(120), 2);
  EXPECT_NE(ErrorLog().find("Dead 2\n"), std::string::npos);
}

TEST_F(HeroDeathTest, SqueezedBetweenWallsByTheGrace) {
  WorldFixture world({"H...", "####"});
  world.Build();
  cPlayer& hero = world.Hero();
  // Both side contacts at once, as a pressing platform and a wall would leave them.
  world.flows.scripts[0] = [](cCharaBase& c, int) {
    c.bContactL = 1;
    c.bContactR = 1;
    return 0;
  };
  hero.nSqueezeGrace = 3;  // counted down by each step: no squeeze death while positive
  EXPECT_EQ(world.Step(1), 0);
  EXPECT_EQ(world.Step(2), 2);
  const std::string log = ErrorLog();
  EXPECT_NE(log.find("Player[P1].LRUD = 1,1,"), std::string::npos);
  EXPECT_NE(log.find("Dead SP\n"), std::string::npos);
}

}  // namespace
