// What the message command hands the scene: its parameters as the window's settings.
#include <gtest/gtest.h>

#include "data/command_tables.h"
#include "fake_actor.h"
#include "flow/flow_cursor.h"
#include "flow/message_command.h"

namespace {

TEST(MessageCommandTest, TheParametersBecomeTheWindowsSettings) {
  struct Case {
    const char* name;
    int positionMode, tenths, oneFrame;
    int frames, follow;
  };
  const Case cases[] = {
      {"15 tenths are 90 frames", 0, 15, 0, 90, 0},
      {"one frame whatever the time", 0, 15, 1, 1, 0},
      {"above itself follows itself", 2, 1, 0, 6, 1},
      {"below the hero follows the hero", 5, 1, 0, 6, 2},
      {"screen coordinates follow nothing", 7, 1, 0, 6, 0},
      {"stage coordinates follow nothing", 8, 1, 0, 6, 0},
  };
  for (const Case& c : cases) {
    flowtest::FakeWorld world;
    flowtest::FakeActor self;
    cEdCommand command;
    command.nKind = kCmdMessage;
    command.strText = "HELLO";
    command.params.assign(18, 0);
    command.params[0] = c.positionMode;
    command.params[6] = 2;
    command.params[7] = c.tenths;
    command.params[12] = 1;
    command.params[13] = 42;
    command.params[17] = c.oneFrame;
    CmdMessage(self, command);
    ASSERT_EQ(world.messages.size(), 1u) << c.name;
    const FlowMessage& m = world.messages[0];
    EXPECT_EQ(m.frames, c.frames) << c.name;
    EXPECT_EQ(m.follow, c.follow) << c.name;
    EXPECT_EQ(m.text, "HELLO");
    EXPECT_EQ(m.displayMode, 2);
    EXPECT_EQ(m.hasId, 1);
    EXPECT_EQ(m.id, 42);
    EXPECT_EQ(m.chained, 0);
  }
}

TEST(MessageCommandTest, AChainedMessageSaysSoAndNothingShowsWhileTheSceneLeaves) {
  flowtest::FakeWorld world;
  flowtest::FakeActor self;
  cEdCommand command;
  command.nKind = kCmdMessage;
  command.params.assign(18, 0);
  cFlow flow;
  flow.bMessageChain = 1;
  {
    const FlowCursorScope scope;
    CurrentFlow().flow = &flow;
    CmdMessage(self, command);
  }
  ASSERT_EQ(world.messages.size(), 1u);
  EXPECT_EQ(world.messages[0].chained, 1);
  world.quitting = true;
  CmdMessage(self, command);
  EXPECT_EQ(world.messages.size(), 1u);
}

}  // namespace
