// The menus played by the real program, headless, from key and dialog scripts: the options
// edited, written and read again by a second run.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "program_run_fixture.h"
#include "support/byte_builder.h"
#include "support/golden_frame.h"
#include "support/png_reader.h"
#include "support/utf8.h"

namespace {

using e2e::kExitLimitMs;
using e2e::ProgramRunTest;
using testsupport::ReadFileBytes;

// Presses a key and lets a frame pass without it, n times.
void Press(std::ostringstream& s, const char* key, int times = 1) {
  for (int i = 0; i < times; ++i) s << "press " << key << "\nwait 2\n";
}

class MenuRunTest : public ProgramRunTest {
 protected:
  // A run of the game from its title with the scripts given; true when it ended in order.
  bool RunScripted(const std::string& keys, const std::string& dialogs) {
    game_.Write("keys.txt", keys);
    game_.Write("dialogs.txt", dialogs);
    game_.Write("System.ini", "Direct3D=1\nWindowMode=1\nShowFps=0\nExit\n");
    platform::ChildProcess program;
    Start(program, game_,
          {{"KESTREL_UNPACED", "1"},
           {"KESTREL_INPUT_SCRIPT", (game_.path() / "keys.txt").string()},
           {"KESTREL_DIALOG_SCRIPT", (game_.path() / "dialogs.txt").string()}});
    return program.WaitForExit(kExitLimitMs) == 0;
  }
};

TEST_F(MenuRunTest, TheOptionsEditedInTheirSceneAreWrittenAndKeptByTheNextRun) {
  std::ostringstream keys;
  keys << "wait 60\n";
  Press(keys, "Down", 5);  // the options row
  Press(keys, "Z");
  keys << "wait 40\n";
  Press(keys, "Down", 2);  // effects volume: 7 down to 3
  Press(keys, "Z");
  Press(keys, "Down", 4);
  Press(keys, "Z");
  Press(keys, "Up");  // music: on, up, wraps to off
  Press(keys, "Z");
  Press(keys, "Up");
  Press(keys, "Z");
  Press(keys, "Down", 2);  // entry mode 0 up to 1
  Press(keys, "Z");
  Press(keys, "Up");
  Press(keys, "Z");
  Press(keys, "Down");  // the fixed name, in the name dialog
  Press(keys, "Z");
  keys << "wait 5\n";
  Press(keys, "Down");  // back
  Press(keys, "Z");
  keys << "wait 60\npress Escape\nwait 100000\n";
  ASSERT_TRUE(RunScripted(keys.str(), testsupport::Utf8(u8"name たかし\n")));
  const std::string want =
      testsupport::ByteBuilder().u32(750).fields(4).i32(0).i32(0).i32(3).i32(1).strings(1).str("たかし").bytes();
  EXPECT_EQ(ReadFileBytes(game_.path() / "user_data" / "Option.dat"), want) << ReportLog(game_);

  // The next run reads them; into the options and straight out again, they are written the same.
  std::ostringstream again;
  again << "wait 60\n";
  Press(again, "Down", 5);
  Press(again, "Z");
  again << "wait 40\n";
  Press(again, "X");
  again << "wait 60\npress Escape\nwait 100000\n";
  ASSERT_TRUE(RunScripted(again.str(), ""));
  EXPECT_EQ(ReadFileBytes(game_.path() / "user_data" / "Option.dat"), want);
}

// The menu screens as a player first sees them, pinned by hash: the title, the options, the
// stage select and the world map of a new game.
TEST_F(MenuRunTest, TheMenuScreensLookAsLookedAt) {
  const auto shot = [&](const char* name) { return (game_.path() / (std::string(name) + ".png")).string(); };
  std::ostringstream keys;
  keys << "wait 60\nshot " << shot("title") << "\nwait 1\n";
  Press(keys, "Down", 5);
  Press(keys, "Z");
  keys << "wait 60\nshot " << shot("options") << "\nwait 1\n";
  Press(keys, "X");
  keys << "wait 60\n";
  Press(keys, "Up", 3);
  Press(keys, "Z");
  keys << "wait 60\nshot " << shot("select") << "\nwait 1\n";
  Press(keys, "X");
  keys << "wait 60\n";
  Press(keys, "Up", 2);
  Press(keys, "Z");
  keys << "wait 60\nshot " << shot("map") << "\nwait 1\npress Escape\nwait 100000\n";
  ASSERT_TRUE(RunScripted(keys.str(), ""));
  struct Golden {
    const char* name;
    std::uint64_t hash;
  };
  const Golden goldens[] = {{"title", 0xa4d8909c8a5f26a1ull},
                            {"options", 0xb88dc4767e91b00cull},
                            {"select", 0x65d6292070e9f324ull},
                            {"map", 0xfeb8199d9c48af31ull}};
  for (const Golden& g : goldens) {
    platform::Frame frame;
    ASSERT_TRUE(testsupport::ReadPng(shot(g.name), frame)) << g.name;
    testsupport::ExpectGoldenFrame(frame, std::string("menu_") + g.name, g.hash);
  }
}

// A challenge stage left through the pause menu: the title again, and the challenge list as it
// was, the cursor on the stage played.
TEST_F(MenuRunTest, TheChallengeListComesBackOnTheStagePlayedAfterAQuit) {
  const auto shot = [&](const char* name) { return (game_.path() / (std::string(name) + ".png")).string(); };
  std::ostringstream keys;
  keys << "wait 60\n";
  Press(keys, "Down", 2);
  Press(keys, "Z");
  keys << "wait 60\nshot " << shot("before") << "\nwait 1\n";
  Press(keys, "Z");
  keys << "wait 300\n";
  Press(keys, "Space");
  keys << "wait 10\n";
  Press(keys, "Up");
  Press(keys, "Z");
  keys << "wait 120\n";
  Press(keys, "Z");  // the title's cursor is on the challenge row
  keys << "wait 60\nshot " << shot("after") << "\nwait 1\npress Escape\nwait 100000\n";
  ASSERT_TRUE(RunScripted(keys.str(), ""));
  platform::Frame before;
  platform::Frame after;
  ASSERT_TRUE(testsupport::ReadPng(shot("before"), before));
  ASSERT_TRUE(testsupport::ReadPng(shot("after"), after));
  EXPECT_EQ(testsupport::FrameHash(after), testsupport::FrameHash(before));
}

}  // namespace
