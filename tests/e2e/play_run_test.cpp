// The sample game's first stage played by the real program, headless, from the command line:
// a fixed key script and seed, read back from the per-frame log.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/scene_manager.h"
#include "data/play_stage_file.h"
#include "data/save_data.h"
#include "data/stage_data.h"
#include "input/replay.h"
#include "core/record_file.h"
#include "core/record_version.h"
#include "data/data_read_context.h"
#include "program_in_process.h"
#include "program_run_fixture.h"
#include "support/golden_frame.h"
#include "support/png_reader.h"
#include "support/utf8.h"
#include "world/scene_play.h"
#include "world/world_digest.h"

namespace {

namespace fs = std::filesystem;
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

// From the title's free-play row: Meadow chosen in the file dialog, cleared with fireballs for
// more than 500 points; the stage again, run into the first pit until no life is left; back to
// the title, and Escape.
std::string FreePlayScript() {
  std::ostringstream s;
  s << "wait 60\n";
  for (int i = 0; i < 3; ++i) s << "press Down\nwait 2\n";
  // The title fades out, then the stage fades in and shows its banners.
  s << "press Z\nwait 200\ndown Right\n";
  Hops(s);
  s << "up Right\ndown Left\nwait 90\nup Left\n";
  s << "wait 150\npress Z\n";
  s << "wait 300\ndown Right\nwait 3000\nup Right\n";
  s << "press Z\nwait 100\npress Escape\nwait 100000\n";
  return s.str();
}

// Meadow's set pieces where a player meets them, with shots of the frames that show them: the
// notice and the hint at the start and after their four seconds; the star taken on the way,
// left to run out while the hero waits at the stage's left end (shots while it lasts and after);
// the feather on the bricks' end, which carries the hero far on; hops to the orb and the clear
// display; then the stage again, and Escape.
std::string SetPiecesScript(const std::string& shots) {
  std::ostringstream s;
  const auto shot = [&](const char* name) { s << "shot " << shots << name << ".png\n"; };
  s << "wait 250\n";
  shot("hint");
  s << "wait 200\n";
  shot("after_hint");
  s << "down Right\nwait 110\nup Right\ndown Left\nwait 200\nup Left\nwait 40\n";
  for (int i = 0; i < 4; ++i) {
    shot(("star" + std::to_string(i)).c_str());
    s << "wait 1\n";
  }
  s << "wait 296\n";
  for (int i = 0; i < 4; ++i) {
    shot(("after_star" + std::to_string(i)).c_str());
    s << "wait 1\n";
  }
  s << "wait 60\ndown Right\nwait 120\ndown Z\nwait 25\nup Z\nwait 50\n";
  shot("warped");
  s << "wait 1\n";
  for (int i = 0; i < 30; ++i) {
    s << "down Z\nwait 20\nup Z\npress X\nwait 7\n";
    if (i == 13) shot("clear");
  }
  s << "up Right\nwait 100\npress Escape\nwait 100000\n";
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

  // The frame-rate read-out shows real time: off, so that the shots of two runs agree.
  void StartRun(Run& run, const std::string& script, const std::vector<std::string>& arguments,
                const std::string& mode = "Direct3D=1\nWindowMode=1\n", const std::string& dialogs = "") {
    MakeGame(run.game);
    run.game.Write("System.ini", mode + "ShowFps=0\nExit\n");
    Launch(run, run.program, script, arguments, dialogs);
  }

  // The program started again in the run's game folder with its own scripts.
  void Launch(Run& run, platform::ChildProcess& program, const std::string& script,
              const std::vector<std::string>& arguments, const std::string& dialogs) {
    run.game.Write("keys.txt", script);
    std::map<std::string, std::string> environment = {
        {"XDG_RUNTIME_DIR", run.runtime.path().string()},
        {"KESTREL_HEADLESS", "1"},
        {"KESTREL_UNPACED", "1"},
        {"KESTREL_INPUT_SCRIPT", (run.game.path() / "keys.txt").string()},
        {"KESTREL_SEED", "5"},
        {"KESTREL_FRAME_LOG", (run.game.path() / "frames.txt").string()}};
    if (!dialogs.empty()) {
      run.game.Write("dialogs.txt", dialogs);
      environment["KESTREL_DIALOG_SCRIPT"] = (run.game.path() / "dialogs.txt").string();
    }
    ASSERT_TRUE(program.Start(KESTREL_EXECUTABLE, arguments, environment, run.game.path(),
                              run.game.path() / "stderr.txt"));
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
  StartRun(run, FreePlayScript(), {}, "Direct3D=1\nWindowMode=1\n", "open data\\stg4\\Meadow.stg4_000\n");
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

// Pixels of a shot inside a rectangle that pass a test.
template <typename Test>
int CountPixels(const platform::Frame& frame, int left, int top, int width, int height, Test test) {
  int count = 0;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      const std::uint32_t p = frame.At(x, y);
      if (test(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF))) ++count;
    }
  }
  return count;
}

double MeanBrightness(const platform::Frame& frame, int left, int top, int width, int height) {
  double sum = 0;
  CountPixels(frame, left, top, width, height, [&](int r, int g, int b) {
    sum += r + g + b;
    return false;
  });
  return sum / (3.0 * width * height);
}

TEST_F(PlayRunTest, TheHintTheStarTheFeatherAndTheOrbEachDoWhatTheyShowAndTwoRunsAgree) {
  Run runs[2];
  for (Run& run : runs) {
    StartRun(run, SetPiecesScript((run.game.path() / "shot_").string()), {"data\\stg4\\Meadow.stg4"});
  }
  for (Run& run : runs) EXPECT_EQ(run.program.WaitForExit(kPlayLimitMs), 0);
  const fs::path shots = runs[0].game.path();
  const auto read = [&](const char* name) {
    platform::Frame frame;
    EXPECT_TRUE(testsupport::ReadPng(shots / (std::string("shot_") + name + ".png"), frame)) << name;
    if (frame.width != 640 || frame.height != 480) frame = platform::Frame{640, 480, std::vector<std::uint32_t>(640 * 480)};
    return frame;
  };

  // The notice board, wood brown over the sky, and the hint's dark blue window under it.
  const auto wood = [](int r, int g, int b) { return r > b + 40 && r > g; };
  const auto window = [](int r, int g, int b) { return b > 150 && r < 100 && g < 110; };
  const platform::Frame hint = read("hint");
  const platform::Frame afterHint = read("after_hint");
  EXPECT_GT(CountPixels(hint, 160, 96, 320, 74, wood), 320 * 74 * 8 / 10);
  EXPECT_GT(CountPixels(hint, 169, 234, 302, 12, window), 302 * 12 / 2);
  EXPECT_EQ(CountPixels(afterHint, 160, 96, 320, 74, wood), 0);
  EXPECT_EQ(CountPixels(afterHint, 169, 234, 302, 12, window), 0);

  // The hero stands at the stage's left end: pale while the star lasts, its own colours after.
  for (int i = 0; i < 4; ++i) {
    const std::string n = std::to_string(i);
    const double starred = MeanBrightness(read(("star" + n).c_str()), 0, 352, 32, 32);
    const double plain = MeanBrightness(read(("after_star" + n).c_str()), 0, 352, 32, 32);
    EXPECT_GT(starred, plain + 25) << i;
  }

  const std::string log = ReadFileBytes(runs[0].game.path() / "frames.txt");
  const std::vector<LogLine> lines = ParseLog(log);
  std::vector<int> states = StateRuns(lines);
  states.resize(std::min<std::size_t>(states.size(), 6));
  EXPECT_EQ(states, (std::vector<int>{0, 1, 2, 4, 7, -1})) << log.substr(0, 2000);
  const auto clear = std::find_if(lines.begin(), lines.end(), [](const LogLine& l) { return l.state == 4; });
  ASSERT_NE(clear, lines.end());
  // Thirteen seconds waited for the star, and still the orb is reached with 274 of 300 left:
  // walking the forty-nine cells the feather skips would have taken eight more.
  EXPECT_GE(clear->time, 270);

  // The same frames, in the log up to the first stage's end and in every shot.
  const auto firstStage = [](const std::string& text) { return text.substr(0, text.find(" -1 ")); };
  EXPECT_EQ(firstStage(ReadFileBytes(runs[1].game.path() / "frames.txt")), firstStage(log));
  for (const char* name : {"hint", "after_hint", "star0", "after_star0", "warped", "clear"}) {
    const std::string file = std::string("shot_") + name + ".png";
    EXPECT_EQ(ReadFileBytes(runs[1].game.path() / file), ReadFileBytes(shots / file)) << name;
  }
}

// Meadow at its start, hint and banner shown, as looked at (KESTREL_GOLDEN_DIR=<folder> writes
// the PNGs): alike in Direct3D at 32 bits and DirectDraw at 8, whose palette holds every
// colour of the frame. Leaving leaves no surface behind in either.
TEST_F(PlayRunTest, MeadowsFirstFramesLookAsLookedAtInDirect3DAndEightBitDirectDraw) {
  struct Mode {
    const char* name;
    const char* ini;
  };
  const Mode modes[] = {{"D3D32", "Direct3D=1\nWindowMode=1\n"}, {"DD8", "Direct3D=0\nWindowMode=0\nBpp=8\n"}};
  Run runs[2];
  for (int i = 0; i < 2; ++i) {
    const std::string script = "wait 250\nshot " + (runs[i].game.path() / "shot.png").string() + "\nwait 2\npress Escape\nwait 100000\n";
    StartRun(runs[i], script, {"data\\stg4\\Meadow.stg4"}, modes[i].ini);
  }
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(runs[i].program.WaitForExit(kPlayLimitMs), 0) << modes[i].name;
    platform::Frame frame;
    ASSERT_TRUE(testsupport::ReadPng(runs[i].game.path() / "shot.png", frame)) << modes[i].name;
    testsupport::ExpectGoldenFrame(frame, std::string("meadow_") + modes[i].name, 0xf91d32ce75dc9d63ull);
    EXPECT_EQ(ReadFileBytes(runs[i].game.path() / "stderr.txt").find("解放漏れ"), std::string::npos) << modes[i].name;
  }
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


// The digests of the play frames, in order: those that began and ended in play. The frame that
// enters play steps nothing yet.
std::vector<std::string> PlayDigests(const std::vector<LogLine>& lines) {
  std::vector<std::string> digests;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i - 1].state == kPlayRunning && lines[i].state == kPlayRunning) digests.push_back(lines[i].digest);
  }
  return digests;
}

// Where a playback first leaves the log, or -1 when it follows it all the way.
long FirstDifference(const std::vector<std::uint64_t>& played, const std::vector<std::string>& logged) {
  for (std::size_t i = 0; i < played.size(); ++i) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(played[i]));
    if (i >= logged.size() || logged[i] != text) return static_cast<long>(i);
  }
  return -1;
}


// A replay file played back as the title plays one, by the program started in this process
// in the game folder given: the digests of its play frames until the recording is over, then
// those of its second time through.
using Loops = std::pair<std::vector<std::uint64_t>, std::vector<std::uint64_t>>;

Loops PlayBack(const fs::path& game, const std::string& replay) {
  Loops loops;
  const bool started = e2e::WithProgramStarted(game, [&] {
    SceneMgr.TitleChoice = kTitleChoiceReplay;
    SceneMgr.PlayMode = 3;
    SceneMgr.PreviousScene = kSceneTitle;
    if (Replay0.ReadFile(replay, StageCur, StageStart, SaveDataCur) != 1) {
      ADD_FAILURE() << replay << " did not read";
      return;
    }
    StageFilePath = replay;
    cScenePlay scene(StageCur);
    // Frames as the game loop runs them; a play frame begins and ends in play.
    std::vector<std::uint64_t>* loop = &loops.first;
    for (int frame = 0; frame < 100000 && loop != nullptr; ++frame) {
      const int before = scene.m_nState;
      scene.Run();
      if (before == kPlayRunning && scene.m_nState == kPlayRunning) {
        loop->push_back(WorldDigest(scene));
      } else if (before == kPlayRunning) {
        EXPECT_EQ(scene.m_nState, kPlayReady) << "the end of the recording begins the stage again";
        loop = loop == &loops.first ? &loops.second : nullptr;
      }
    }
    StageFilePath.clear();
    Replay0.Clear();
  });
  EXPECT_TRUE(started);
  return loops;
}

// Where the builds leave a replay and its log for one another: the sanitizer build plays the
// plain build's file, so that a replay is shown to repeat across builds and not only runs.
const fs::path kExchange = fs::path(KESTREL_REPLAY_EXCHANGE);

TEST_F(PlayRunTest, AnAttemptSavedWithF1PlaysBackToTheProgramsOwnFrameLog) {
  // Hops to the right past the frog, whose dice the seed decides, then F1 while still in play;
  // the save dialog takes the name it offers, and Escape ends the program.
  std::ostringstream keys;
  keys << "wait 180\ndown Right\n";
  for (int i = 0; i < 15; ++i) keys << "down Z\nwait 20\nup Z\npress X\nwait 7\n";
  keys << "press F1\nwait 30\npress Escape\nwait 100000\n";
  Run run;
  StartRun(run, keys.str(), {"data\\stg4\\Meadow.stg4"}, "Direct3D=1\nWindowMode=1\n", "save Meadow_00.rpl4_750\n");
  ASSERT_EQ(run.program.WaitForExit(kPlayLimitMs), 0) << ReadFileBytes(run.game.path() / "stderr.txt");
  const std::string replay = "user_data\\rpl4\\Meadow_00.rpl4_750";
  ASSERT_TRUE(fs::exists(run.game.path() / "user_data" / "rpl4" / "Meadow_00.rpl4_750"));
  const std::vector<std::string> logged = PlayDigests(ParseLog(ReadFileBytes(run.game.path() / "frames.txt")));

  const auto [first, second] = PlayBack(run.game.path(), replay);
  ASSERT_GT(first.size(), 300u);
  ASSERT_GT(logged.size(), first.size());
  EXPECT_EQ(FirstDifference(first, logged), -1) << "of " << first.size() << " frames";
  EXPECT_EQ(second, first);

  // The same words with the seed one off take another course.
  e2e::WithProgramStarted(run.game.path(), [&] {
    cReplay other;
    cStageData stage;
    cStageData start;
    cSaveData progress;
    ASSERT_EQ(other.ReadFile(replay, stage, start, progress), 1);
    other.m_nSeed += 1;
    ProjectDataContext().stagePalette = stage.PaletteView();
    ASSERT_EQ(other.WriteFile("user_data\\rpl4\\Meadow_01.rpl4_750", stage, start, progress), 1);
  });
  EXPECT_NE(PlayBack(run.game.path(), "user_data\\rpl4\\Meadow_01.rpl4_750").first, first);

  // The program itself plays the file from the title's replay row, as a player would.
  {
    std::ostringstream title;
    title << "wait 60\n";
    for (int i = 0; i < 4; ++i) title << "press Down\nwait 2\n";
    title << "press Z\nwait 800\npress Escape\nwait 100000\n";
    run.game.Write("title_keys.txt", title.str());
    run.game.Write("title_dialogs.txt", "open Meadow_00.rpl4_750\n");
    const std::map<std::string, std::string> environment = {
        {"XDG_RUNTIME_DIR", run.runtime.path().string()},
        {"KESTREL_HEADLESS", "1"},
        {"KESTREL_UNPACED", "1"},
        {"KESTREL_INPUT_SCRIPT", (run.game.path() / "title_keys.txt").string()},
        {"KESTREL_DIALOG_SCRIPT", (run.game.path() / "title_dialogs.txt").string()},
        {"KESTREL_FRAME_LOG", (run.game.path() / "replayed.txt").string()}};
    platform::ChildProcess replaying;
    ASSERT_TRUE(replaying.Start(KESTREL_EXECUTABLE, {}, environment, run.game.path(), run.game.path() / "stderr2.txt"));
    ASSERT_EQ(replaying.WaitForExit(kPlayLimitMs), 0);
    const std::vector<std::string> replayed = PlayDigests(ParseLog(ReadFileBytes(run.game.path() / "replayed.txt")));
    ASSERT_GE(replayed.size(), first.size());
    EXPECT_EQ(std::vector<std::string>(replayed.begin(), replayed.begin() + static_cast<long>(first.size())),
              std::vector<std::string>(logged.begin(), logged.begin() + static_cast<long>(first.size())));
  }

  // This build's file for the other builds; theirs played here to their own logs.
  const fs::path mine = kExchange / KESTREL_BUILD_NAME;
  fs::create_directories(mine);
  fs::copy_file(run.game.path() / "user_data" / "rpl4" / "Meadow_00.rpl4_750", mine / "Meadow_00.rpl4_750",
                fs::copy_options::overwrite_existing);
  fs::copy_file(run.game.path() / "frames.txt", mine / "frames.txt", fs::copy_options::overwrite_existing);
  for (const fs::directory_entry& other : fs::directory_iterator(kExchange)) {
    if (other.path() == mine || !fs::exists(other.path() / "Meadow_00.rpl4_750")) continue;
    fs::copy_file(other.path() / "Meadow_00.rpl4_750", run.game.path() / "user_data" / "rpl4" / "theirs.rpl4_750",
                  fs::copy_options::overwrite_existing);
    const std::vector<std::string> theirLog = PlayDigests(ParseLog(ReadFileBytes(other.path() / "frames.txt")));
    const std::vector<std::uint64_t> theirs = PlayBack(run.game.path(), "user_data\\rpl4\\theirs.rpl4_750").first;
    EXPECT_GT(theirs.size(), 300u) << other.path();
    EXPECT_EQ(FirstDifference(theirs, theirLog), -1) << "the replay of " << other.path().filename();
  }
}

}  // namespace

namespace {

void Press(std::ostringstream& s, const char* key, int times = 1) {
  for (int i = 0; i < times; ++i) s << "press " << key << "\nwait 4\n";
}

// A slot file read as the program reads it, with the slot and the save time left out.
std::string SlotWithoutSlotAndTime(const fs::path& file) {
  cSaveData save;
  EXPECT_TRUE(ReadRecordBytes(ReadFileBytes(file), save)) << file;
  save.m_nSaveSlot = 0;
  save.m_SaveTime = SaveTime{};
  return RecordFileBytes(save);
}

TEST_F(PlayRunTest, ANewGameClearsMeadowEntersItsRankingAndIsSavedAndContinuedInTwoSlots) {
  CurrentVersion = kRecordVersion;
  // New game; along the road to Meadow, whose question opens by itself; Yes.
  std::ostringstream keys;
  keys << "wait 60\n";
  Press(keys, "Z");
  keys << "wait 60\n";
  Press(keys, "Right", 3);
  Press(keys, "Up", 2);
  keys << "wait 10\n";
  Press(keys, "Up");
  Press(keys, "Z");
  // The spread, then hops to the orb; F3 in the clear display, the name typed in its dialog.
  keys << "wait 200\ndown Down\nwait 2\nup Down\npress X\nwait 10\ndown Right\n";
  for (int i = 0; i < 23; ++i) keys << "down Z\nwait 20\nup Z\npress X\nwait 7\n";
  keys << "up Right\nwait 100\npress F3\nwait 60\npress Z\nwait 30\npress Z\nwait 120\n";
  // Back on the map: its menu, save, slot 1, "save".
  Press(keys, "X");
  keys << "wait 60\n";
  Press(keys, "Z", 2);
  Press(keys, "Up");
  Press(keys, "Z");
  keys << "wait 10\npress Escape\nwait 100000\n";
  Run run;
  StartRun(run, keys.str(), {}, "Direct3D=1\nWindowMode=1\n", testsupport::Utf8(u8"name たかし\n"));
  ASSERT_EQ(run.program.WaitForExit(kPlayLimitMs), 0) << ReadFileBytes(run.game.path() / "stderr.txt");
  const fs::path story = run.game.path() / "user_data" / "story";
  ASSERT_TRUE(fs::exists(story / "Story01.dat"));
  cSaveData first;
  ASSERT_TRUE(ReadRecordBytes(ReadFileBytes(story / "Story01.dat"), first));
  EXPECT_EQ(first.m_StageCleared[1], 1);  // Meadow
  EXPECT_EQ(first.m_strRankName, "たかし");
  EXPECT_EQ(first.m_nSaveSlot, 0);
  EXPECT_NE(ReadFileBytes(story / "Meadow.rkg").find("たかし"), std::string::npos);

  // Continue from slot 1 and save into slot 2: the same progress but for the slot and the time.
  std::ostringstream again;
  again << "wait 60\n";
  Press(again, "Down");
  Press(again, "Z");
  again << "wait 10\n";
  Press(again, "Z");
  again << "wait 60\n";
  Press(again, "X");
  again << "wait 60\n";
  Press(again, "Z");
  Press(again, "Down");
  Press(again, "Z");
  Press(again, "Up");
  Press(again, "Z");
  again << "wait 10\npress Escape\nwait 100000\n";
  platform::ChildProcess second;
  Launch(run, second, again.str(), {}, "");
  ASSERT_EQ(second.WaitForExit(kPlayLimitMs), 0);
  ASSERT_TRUE(fs::exists(story / "Story02.dat"));
  cSaveData copy;
  ASSERT_TRUE(ReadRecordBytes(ReadFileBytes(story / "Story02.dat"), copy));
  EXPECT_EQ(copy.m_nSaveSlot, 1);
  EXPECT_EQ(SlotWithoutSlotAndTime(story / "Story02.dat"), SlotWithoutSlotAndTime(story / "Story01.dat"));
}

}  // namespace
