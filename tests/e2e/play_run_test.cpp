// The sample game's first stage played by the real program, headless, from the command line:
// a fixed key script and seed, read back from the per-frame log.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "program_run_fixture.h"

namespace {

using e2e::kExitLimitMs;
using e2e::ProgramRunTest;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;

// A scripted play runs some thousands of frames: a sanitizer build on a busy machine takes
// minutes over them. The bound of a failure, not an expectation.
constexpr std::uint32_t kPlayLimitMs = 300000;

// Sixty hops, a fireball after each.
void Hops(std::ostringstream& s) {
  for (int i = 0; i < 60; ++i) s << "down Z\nwait 20\nup Z\npress X\nwait 7\n";
}

// Fires the spread (down, then button 2), runs right hopping over the beetles and the pits
// with a fireball after each hop, walks back onto the goal orb, leaves the clear display, loses
// a life to a beetle in the stage begun again, and quits through the pause menu.
std::string MeadowScript() {
  std::ostringstream s;
  s << "wait 180\ndown Down\nwait 2\nup Down\npress X\nwait 10\ndown Right\n";
  Hops(s);
  s << "up Right\ndown Left\nwait 90\nup Left\n";
  s << "wait 120\npress Z\n";          // the clear display is left
  s << "wait 400\n";                   // the stage begins again
  s << "press Space\nwait 5\npress Up\nwait 5\npress Z\n";  // pause, quit
  s << "wait 100000\n";
  return s.str();
}

// From the title: free play of the map's first stage, cleared with fireballs for more than
// 500 points; the stage again, run into the first pit until no life is left; back to the
// title, and Escape.
std::string FreePlayScript() {
  std::ostringstream s;
  s << "wait 30\npress Z\nwait 180\ndown Right\n";
  Hops(s);
  s << "up Right\ndown Left\nwait 90\nup Left\n";
  s << "wait 150\npress Z\n";
  s << "wait 300\ndown Right\nwait 3000\nup Right\n";
  s << "press Z\nwait 100\npress Escape\nwait 100000\n";
  return s.str();
}

struct LogLine {
  int frame = 0;
  int state = 0;
  int score = 0;
  int lives = 0;
  int time = 0;
  std::string digest;
};

std::vector<LogLine> ParseLog(const std::string& text) {
  std::vector<LogLine> lines;
  std::istringstream in(text);
  LogLine line;
  while (in >> line.frame >> line.state >> line.score >> line.lives >> line.time >> line.digest) lines.push_back(line);
  return lines;
}

// The states in the order the scene went through them, repeats merged.
std::vector<int> StateRuns(const std::vector<LogLine>& lines) {
  std::vector<int> runs;
  for (const LogLine& line : lines) {
    if (runs.empty() || runs.back() != line.state) runs.push_back(line.state);
  }
  return runs;
}

// The log up to the pause menu's quit (its first fade-out frame included).
std::string UntilQuit(const std::string& log) {
  const std::size_t quit = log.find(" 7 ", log.find(" 3 "));
  const std::size_t end = quit == std::string::npos ? std::string::npos : log.find('\n', quit);
  return end == std::string::npos ? log : log.substr(0, end + 1);
}

class PlayRunTest : public ProgramRunTest {
 protected:
  // A run of Meadow in a game folder and a runtime folder of its own, so that two runs go
  // side by side without seeing each other.
  struct Run {
    TempFolder game;
    TempFolder runtime;
    platform::ChildProcess program;
  };

  void StartMeadow(Run& run) { StartRun(run, MeadowScript(), {"data\\stg4\\Meadow.stg4"}); }

  void StartRun(Run& run, const std::string& script, const std::vector<std::string>& arguments) {
    MakeGame(run.game);
    run.game.Write("System.ini", "Direct3D=1\nWindowMode=1\nExit\n");
    run.game.Write("keys.txt", script);
    const std::map<std::string, std::string> environment = {
        {"XDG_RUNTIME_DIR", run.runtime.path().string()},
        {"KESTREL_HEADLESS", "1"},
        {"KESTREL_UNPACED", "1"},
        {"KESTREL_INPUT_SCRIPT", (run.game.path() / "keys.txt").string()},
        {"KESTREL_SEED", "5"},
        {"KESTREL_FRAME_LOG", (run.game.path() / "frames.txt").string()}};
    ASSERT_TRUE(run.program.Start(KESTREL_EXECUTABLE, arguments, environment, run.game.path()));
  }
};

TEST_F(PlayRunTest, MeadowIsClearedPlayedAgainAndQuitTheSameWayTwice) {
  Run first;
  Run second;
  StartMeadow(first);
  StartMeadow(second);
  EXPECT_EQ(first.program.WaitForExit(kPlayLimitMs), 0);
  EXPECT_EQ(second.program.WaitForExit(kPlayLimitMs), 0);
  const std::string firstLog = ReadFileBytes(first.game.path() / "frames.txt");
  const std::vector<LogLine> lines = ParseLog(UntilQuit(firstLog));
  ASSERT_FALSE(lines.empty());
  // Fade-in, banners, play, the clear, the fade-out and the scene's end; the same stage again,
  // a life lost and the stage restarted, until the pause menu's quit.
  EXPECT_EQ(StateRuns(lines), (std::vector<int>{0, 1, 2, 4, 7, -1, 0, 1, 2, 1, 2, 3, 7})) << firstLog.substr(0, 2000);
  const auto clear = std::find_if(lines.begin(), lines.end(), [](const LogLine& l) { return l.state == 4; });
  ASSERT_NE(clear, lines.end());
  EXPECT_EQ(clear->score, 620);  // the coins, and the beetles the fireballs beat
  EXPECT_EQ(clear->lives, 999999);  // a stage named at start-up has lives without end
  EXPECT_LT(clear->time, 300);
  EXPECT_GT(clear->time, 250);
  // The frames between the quit and the close depend on how soon the window closes.
  EXPECT_EQ(UntilQuit(ReadFileBytes(second.game.path() / "frames.txt")), UntilQuit(firstLog));
}

TEST_F(PlayRunTest, FreePlayFromTheTitleEarnsALifeLosesThemAllAndReturns) {
  Run run;
  StartRun(run, FreePlayScript(), {});
  EXPECT_EQ(run.program.WaitForExit(kPlayLimitMs), 0);
  const std::string log = ReadFileBytes(run.game.path() / "frames.txt");
  const std::vector<LogLine> lines = ParseLog(log);
  // Cleared, left, the stage again with three attempts, game over, and out to the title.
  EXPECT_EQ(StateRuns(lines), (std::vector<int>{0, 1, 2, 4, 7, -1, 0, 1, 2, 1, 2, 1, 2, 6, 7, -1})) << log.substr(0, 2000);
  const auto clear = std::find_if(lines.begin(), lines.end(), [](const LogLine& l) { return l.state == 4; });
  ASSERT_NE(clear, lines.end());
  EXPECT_GE(clear->score, 500);
  EXPECT_EQ(clear->lives, 3);  // three lives, one taken by the attempt, one earned at the clear
  const auto over = std::find_if(lines.begin(), lines.end(), [](const LogLine& l) { return l.state == 6; });
  ASSERT_NE(over, lines.end());
  EXPECT_EQ(over->lives, 0);
}

TEST_F(ProgramRunTest, ABrokenStageOnTheCommandLineStopsTheStartWithTheLoadersMessage) {
  game_.Write("System.ini", "Direct3D=1\nWindowMode=1\nExit\n");
  game_.Write("default/stg4/Broken.stg4", "not a stage");
  platform::ChildProcess program;
  Start(program, game_, {}, {"data\\stg4\\Broken.stg4"});
  EXPECT_EQ(program.WaitForExit(kExitLimitMs), 0);
  EXPECT_NE(ReportLog(game_).find("ステージファイル data\\stg4\\Broken.stg4 が破損しています！"), std::string::npos)
      << ReportLog(game_);
}

}  // namespace
