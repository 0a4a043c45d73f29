#include "platform/input/input_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/input/joystick.h"
#include "platform/input/key_flags.h"

namespace {

using namespace platform;

class InputScriptTest : public testing::Test {
 protected:
  void TearDown() override {
    ReleaseAllKeys();
    UnplugAllPads();
  }
  // Steps the script and notes, per step, whether `key` was down.
  std::vector<bool> Run(const char* text, int key, int steps) {
    InputScript script;
    std::string error;
    EXPECT_TRUE(script.Parse(text, error)) << error;
    std::vector<bool> down;
    for (int i = 0; i < steps; ++i) {
      script.Step();
      down.push_back(IsKeyDown(key));
    }
    return down;
  }
};

TEST_F(InputScriptTest, WaitsHoldTheStateForThatManySteps) {
  EXPECT_EQ(Run("# held three frames\nwait 1\ndown Right\nwait 3\nup Right\n", 0x27, 6),
            (std::vector<bool>{false, true, true, true, false, false}));
  EXPECT_EQ(Run("press Z\nwait 2\npress Z\npress X\n", 'Z', 4), (std::vector<bool>{true, false, true, false}));
}

TEST_F(InputScriptTest, PadsPlugAndUnplug) {
  InputScript script;
  std::string error;
  ASSERT_TRUE(script.Parse("pad 1 0 65535 0x3\nwait 2\nunplug 1\n", error)) << error;
  JoyReading reading;
  script.Step();
  ASSERT_EQ(JoyGetPosEx(1, reading), 0);
  EXPECT_EQ(reading.x, 0u);
  EXPECT_EQ(reading.y, 65535u);
  EXPECT_EQ(reading.buttons, 3u);
  EXPECT_FALSE(script.Finished());
  script.Step();
  script.Step();
  EXPECT_EQ(JoyGetPosEx(1, reading), kJoyUnplugged);
  EXPECT_TRUE(script.Finished());
}

TEST_F(InputScriptTest, BadLinesAreNamed) {
  const std::pair<const char*, const char*> cases[] = {
      {"down Left\njump Z\n", "line 2: unknown command"},
      {"down\n", "line 1: no key named"},
      {"press Nope\n", "unknown key \"Nope\""},
      {"wait 0\n", "wait takes"},
      {"wait 99999999999999999999\n", "wait takes"},
      {"pad 16 0 0 0\n", "out of range: 16"},
      {"pad 0 70000 0 0\n", "out of range: 70000"},
      {"pad 0 0 0\n", "pad takes"},
      {"unplug x\n", "unplug takes"},
  };
  for (const auto& [text, message] : cases) {
    InputScript script;
    std::string error;
    EXPECT_FALSE(script.Parse(text, error)) << text;
    EXPECT_NE(error.find(message), std::string::npos) << error;
    script.Step();  // nothing was kept
    EXPECT_FALSE(IsKeyDown(0x25));
  }
}

}  // namespace
