#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/missing_display.h"
#include "platform/process/child_process.h"
#include "platform/process/copy_data.h"
#include "platform/process/window_registry.h"
#include "support/byte_builder.h"
#include "support/temp_folder.h"
#include "support/utf8.h"
#include "program_run_fixture.h"

namespace {

using e2e::kExitLimitMs;
using e2e::ProgramRunTest;
using e2e::WaitUntil;
using e2e::WindowDat;
namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;

TEST_F(ProgramRunTest, AHeadlessRunEndsInOrderOnACloseWithItsPlacementSaved) {
  platform::ChildProcess program;
  Start(program, game_);
  ASSERT_TRUE(WaitForWindow(program));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // frames run meanwhile
  EXPECT_EQ(Close(program), 0);
  // Centred on the null backend's 1920 x 1080 desktop.
  EXPECT_EQ(Placement(game_), WindowDat(640, 300, 640, 480, 0));
  EXPECT_EQ(ReportLog(game_).rfind("App : ver 750\n", 0), 0u);
  EXPECT_FALSE(platform::FindRegisteredWindow("Kestrel4").has_value());
}

TEST_F(ProgramRunTest, AStoredPlacementIsTakenBackClampedToTheDesktop) {
  struct Case {
    std::string stored;
    std::string saved;
  };
  const Case cases[] = {
      {WindowDat(-50, 99999, 640, 480, 0), WindowDat(0, 1080, 640, 480, 0)},
      {WindowDat(300, 200, 640, 480, 1), WindowDat(300, 200, 640, 480, 1)},
  };
  for (const Case& c : cases) {
    game_.Write("user_data/Window.dat", c.stored);
    platform::ChildProcess program;
    Start(program, game_);
    ASSERT_TRUE(WaitForWindow(program));
    EXPECT_EQ(Close(program), 0);
    EXPECT_EQ(Placement(game_), c.saved);
  }
}

TEST_F(ProgramRunTest, ASecondStartAnsweredNoEndsItselfAndLeavesTheFirstRunning) {
  platform::ChildProcess first;
  Start(first, game_);
  ASSERT_TRUE(WaitForWindow(first));

  TempFolder otherFolder;
  platform::ChildProcess second;
  Start(second, otherFolder, {{"KESTREL_BOX_ANSWER", "no"}});
  EXPECT_EQ(second.WaitForExit(kExitLimitMs), 0);
  EXPECT_NE(ReportLog(otherFolder).find("[二重起動] 既に起動しています。"), std::string::npos);
  EXPECT_FALSE(fs::exists(otherFolder.path() / "user_data"));

  EXPECT_TRUE(first.Running());
  EXPECT_EQ(Close(first), 0);
}

TEST_F(ProgramRunTest, ASecondStartAnsweredYesClosesTheFirstInOrderAndCarriesOn) {
  platform::ChildProcess first;
  Start(first, game_);
  ASSERT_TRUE(WaitForWindow(first));

  TempFolder otherFolder;
  MakeGame(otherFolder);
  platform::ChildProcess second;
  Start(second, otherFolder, {{"KESTREL_BOX_ANSWER", "yes"}});
  EXPECT_EQ(first.WaitForExit(kExitLimitMs), 0);
  EXPECT_EQ(Placement(game_), WindowDat(640, 300, 640, 480, 0));  // the first closed in order
  ASSERT_TRUE(WaitForWindow(second));
  EXPECT_EQ(Close(second), 0);
}

TEST_F(ProgramRunTest, TheAuthoringToolHearsOfATestPlayBeforeItsStartUpAndAtItsEnd) {
  platform::CopyDataReceiver tool;
  ASSERT_TRUE(tool.Open("Kestrel4_Editor", "ケストレル4"));
  platform::ChildProcess program;
  Start(program, game_, {{"KESTREL_SHOW_COMMAND", "5"}});

  std::optional<platform::ReceivedNotice> start = tool.Receive(kExitLimitMs);
  ASSERT_TRUE(start.has_value());
  EXPECT_EQ(start->notice().data, 1u);
  EXPECT_EQ(start->notice().value, 1);
  EXPECT_EQ(start->notice().senderWindow, static_cast<std::uint32_t>(program.Identity().pid));
  // The program waits for the tool's answer before its start-up makes the user folder.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(fs::exists(game_.path() / "user_data"));
  start->Answer(1);
  ASSERT_TRUE(WaitForWindow(program));

  program.RequestTermination();
  std::optional<platform::ReceivedNotice> end = tool.Receive(kExitLimitMs);
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->notice().data, 0u);
  EXPECT_EQ(end->notice().value, 1);
  end->Answer(1);
  EXPECT_EQ(program.WaitForExit(kExitLimitMs), 0);
}

TEST_F(ProgramRunTest, TheFirstStartMakesTheDataFolderFromTheDefaultOneAndShowsTheProjectTitle) {
  ASSERT_FALSE(fs::exists(game_.path() / "data"));
  platform::ChildProcess program;
  Start(program, game_);
  ASSERT_TRUE(WaitForWindow(program));
  std::optional<platform::RegisteredWindow> window;
  WaitUntil([&] {
    window = platform::FindRegisteredWindow("Kestrel4");
    return window && !window->title.empty();
  });
  ASSERT_TRUE(window.has_value());
  EXPECT_EQ(window->title, "Kestrel Quest");
  EXPECT_EQ(Close(program), 0);
  for (const char* file : {"System.dat", "WorldMap.dat", "CommonPalette.cplt4"}) {
    EXPECT_EQ(ReadFileBytes(game_.path() / "data" / file), ReadFileBytes(game_.path() / "default" / file)) << file;
  }
  EXPECT_EQ(ReportLog(game_).find("エラー"), std::string::npos) << ReportLog(game_);
}

TEST_F(ProgramRunTest, AFolderWithoutAGameStopsTheStartAndSaysWhy) {
  TempFolder empty;
  platform::ChildProcess program;
  Start(program, empty);
  EXPECT_EQ(program.WaitForExit(kExitLimitMs), 0);
  EXPECT_NE(ReportLog(empty).find("「data」フォルダの作成に失敗"), std::string::npos) << ReportLog(empty);
}

TEST_F(ProgramRunTest, ABrokenSystemDatStopsTheStartWithItsPath) {
  game_.Write("default/System.dat", testsupport::ByteBuilder().u32(750).u32(0x7FFFFFFFu).raw("garbage").bytes());
  platform::ChildProcess program;
  Start(program, game_);
  EXPECT_EQ(program.WaitForExit(kExitLimitMs), 0);
  EXPECT_NE(ReportLog(game_).find("data\\System.dat の読み込みに失敗"), std::string::npos) << ReportLog(game_);
}

TEST_F(ProgramRunTest, AnOrdinaryStartSendsTheToolNothing) {
  platform::CopyDataReceiver tool;
  ASSERT_TRUE(tool.Open("Kestrel4_Editor", "ケストレル4"));
  platform::ChildProcess program;
  Start(program, game_);
  ASSERT_TRUE(WaitForWindow(program));
  EXPECT_EQ(Close(program), 0);
  EXPECT_FALSE(tool.Receive(100).has_value());
}

TEST_F(ProgramRunTest, ACommandLineNoStagePathCouldHoldIsRefusedAndTheTitleFollows) {
  game_.Write("System.ini", "Direct3D=1\nWindowMode=1\nFreeStage=data\\stg4\\Missing.stg4\nExit\n");
  const std::string tooLong(300, 'x');
  platform::ChildProcess program;
  Start(program, game_, {}, {tooLong});
  ASSERT_TRUE(WaitForWindow(program));
  EXPECT_EQ(Close(program), 0);
  const std::string log = ReportLog(game_);
  EXPECT_NE(log.find("「" + tooLong + "」の読み込みに失敗しました！"), std::string::npos) << log;
  // System.ini's stage is not taken in its place either (it would be reported missing).
  EXPECT_EQ(log.find("Missing.stg4"), std::string::npos) << log;
}

TEST_F(ProgramRunTest, ABrokenWorldMapStopsTheStartWithItsPath) {
  game_.Write("default/WorldMap.dat", testsupport::ByteBuilder().u32(750).u32(0x7FFFFFFFu).raw("garbage").bytes());
  platform::ChildProcess program;
  Start(program, game_);
  EXPECT_EQ(program.WaitForExit(kExitLimitMs), 0);
  EXPECT_NE(ReportLog(game_).find("data\\WorldMap.dat のロードに失敗！"), std::string::npos) << ReportLog(game_);
}

// A stage named on the command line is played in its newest numbered version; one that does not
// exist is said in the log and the title follows.
TEST_F(ProgramRunTest, ACommandLineStagePlaysItsNewestVersionAndAMissingOneLeavesTheTitle) {
  // Version 012 is the castle (240 seconds), version 750 the meadow (300 seconds).
  fs::copy_file(game_.path() / "default" / "stg4" / "c01-1.stg4_000", game_.path() / "default" / "stg4" / "x.stg4_012");
  fs::copy_file(game_.path() / "default" / "stg4" / "Meadow.stg4_000", game_.path() / "default" / "stg4" / "x.stg4_750");
  game_.Write("keys.txt", "wait 200\npress Escape\nwait 100000\n");
  const std::map<std::string, std::string> environment = {
      {"KESTREL_UNPACED", "1"},
      {"KESTREL_INPUT_SCRIPT", (game_.path() / "keys.txt").string()},
      {"KESTREL_FRAME_LOG", (game_.path() / "frames.txt").string()}};
  platform::ChildProcess program;
  Start(program, game_, environment, {"data\\stg4\\x.stg4"});
  EXPECT_EQ(program.WaitForExit(kExitLimitMs), 0);
  const std::string frames = ReadFileBytes(game_.path() / "frames.txt");
  EXPECT_NE(frames.find(" 300 "), std::string::npos) << frames.substr(0, 200);
  EXPECT_EQ(frames.find(" 240 "), std::string::npos) << frames.substr(0, 200);

  platform::ChildProcess missing;
  Start(missing, game_, {}, {"data\\stg4\\Missing.stg4"});
  ASSERT_TRUE(WaitForWindow(missing));
  EXPECT_EQ(Close(missing), 0);
  EXPECT_NE(ReportLog(game_).find("「data\\stg4\\Missing.stg4」の読み込みに失敗しました！"), std::string::npos)
      << ReportLog(game_);
}

// Generous: a start on a loaded machine takes far longer than on an idle one.
constexpr std::uint32_t kFirstFrameLimitMs = 30000;

// True once the file is there (it is written whole, under another name first); false when the
// program ends before it, or after the limit.
bool WaitForFile(const fs::path& file, platform::ChildProcess& program) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kFirstFrameLimitMs);
  while (!fs::exists(file)) {
    if (!program.Running() || std::chrono::steady_clock::now() >= deadline) return fs::exists(file);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Width and height from a PNG file's header; 0 x 0 when it is not a PNG file.
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::string& png) {
  if (png.size() < 24 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || png.compare(12, 4, "IHDR") != 0) return {0, 0};
  auto bigEndian = [&](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(png[at + i]);
    return value;
  };
  return {bigEndian(16), bigEndian(20)};
}

// é has no CP932 form, 中 has one, and ソ's ends in a backslash byte. The game folder and the
// runtime folder both carry the name; neither may go through CP932 on the way.
TEST_F(ProgramRunTest, AGameInAFolderNamedInAnyScriptStartsAndPresentsItsFirstFrame) {
  TempFolder games;
  for (const std::string& name : {testsupport::Utf8(u8"Téléchargements"), testsupport::Utf8(u8"中"),
                                  testsupport::Utf8(u8"ソ")}) {
    SCOPED_TRACE(name);
    const fs::path game = games.path() / name;
    fs::copy(game_.path(), game, fs::copy_options::recursive);
    const fs::path runtime = runtime_.MakeFolder(name);
    const fs::path frame = game / "first_frame.png";
    platform::ChildProcess program;
    ASSERT_TRUE(program.Start(KESTREL_EXECUTABLE, {},
                              {{"XDG_RUNTIME_DIR", runtime.string()},
                               {"KESTREL_HEADLESS", "1"},
                               {"KESTREL_FIRST_FRAME", frame.string()}},
                              game));
    EXPECT_TRUE(WaitForFile(frame, program)) << ReadFileBytes(game / "Report_Game.txt");
    EXPECT_EQ(Close(program), 0);
    EXPECT_EQ(PngSize(ReadFileBytes(frame)), std::make_pair(640u, 480u));
    EXPECT_EQ(ReadFileBytes(game / "Report_Game.txt").rfind("App : ver 750\n", 0), 0u);
    EXPECT_EQ(ReadFileBytes(game / "user_data" / "Window.dat"), WindowDat(640, 300, 640, 480, 0));
  }
}

// As over a remote shell: no display to find, and no headless run asked for, so the native
// window is tried, and SDL would fall back on a driver that shows nothing.
TEST_F(ProgramRunTest, WithoutADisplayTheProgramStopsAtOnceAndSaysWhy) {
  // An instance already runs (as on the desktop): nothing that cannot be shown may end it.
  TempFolder desktopGame;
  MakeGame(desktopGame);
  platform::ChildProcess running;
  Start(running, desktopGame);
  ASSERT_TRUE(WaitForWindow(running));

  const fs::path errors = game_.path() / "stderr.txt";
  platform::ChildProcess program;
  ASSERT_TRUE(program.Start(KESTREL_EXECUTABLE, {},
                            {{"XDG_RUNTIME_DIR", runtime_.path().string()},
                             {"KESTREL_HEADLESS", ""},
                             {"DISPLAY", ""},
                             {"WAYLAND_DISPLAY", ""},
                             {"SDL_VIDEODRIVER", ""},
                             // A console's screen held by a desktop session is no display either.
                             {"SDL_KMSDRM_REQUIRE_DRM_MASTER", "1"}},
                            game_.path(), errors));
  EXPECT_EQ(program.WaitForExit(kExitLimitMs), kNoDisplayExitCode);
  EXPECT_NE(ReadFileBytes(errors).find(kNoDisplayMessage), std::string::npos) << ReadFileBytes(errors);
  EXPECT_NE(ReportLog(game_).find(kNoDisplayMessage), std::string::npos) << ReportLog(game_);
  EXPECT_FALSE(fs::exists(game_.path() / "user_data"));  // stopped before the game's start-up
  EXPECT_EQ(ReportLog(game_).find("二重起動"), std::string::npos) << "asked about the other instance unseen";
  EXPECT_TRUE(running.Running());
  EXPECT_EQ(Close(running), 0);
}

TEST_F(ProgramRunTest, AnEightBitStartWithoutTheChosenBlendTableStopsWithItsName) {
  game_.Write("System.ini", "Direct3D=0\nWindowMode=0\nBpp=8\nExit\n");
  std::filesystem::remove(game_.path() / "bmp" / "hbt" / "hbt00.dat");
  platform::ChildProcess program;
  Start(program, game_);
  EXPECT_EQ(program.WaitForExit(kExitLimitMs), 0);
  EXPECT_NE(ReportLog(game_).find("bmp\\hbt\\hbt00.dat の読み込みに失敗！"), std::string::npos) << ReportLog(game_);
}

TEST_F(ProgramRunTest, TheCloseReportsTheGlyphCachesOfTheFirstTwoFonts) {
  for (const char* ini : {"Direct3D=1\nWindowMode=1\nD3D_FontCache=1\nShowFps=1\nExit\n",
                          "Direct3D=0\nWindowMode=0\nBpp=8\nDD_FontCache=1\nShowFps=2\nExit\n"}) {
    SCOPED_TRACE(ini);
    game_.Write("System.ini", ini);
    platform::ChildProcess program;
    Start(program, game_);
    ASSERT_TRUE(WaitForWindow(program));
    EXPECT_EQ(Close(program), 0);
    const std::string log = ReportLog(game_);
    EXPECT_NE(log.find("Font10 : 256\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Font16 : 256\n"), std::string::npos) << log;
  }
}

// The start-up question, answered by the dialog script through the dialog's own logic.
class BootQuestionRunTest : public ProgramRunTest {
 protected:
  void SetUp() override {
    ProgramRunTest::SetUp();
    game_.Write("System.ini", "Direct3D=2\nWindowMode=1\nExit\n");
  }
  // Runs the game with the script until its video report, then closes it; the exit code.
  std::optional<int> RunAnswered(const std::string& script) {
    game_.Write("dialogs.txt", script);
    fs::remove(game_.path() / "Report_Game.txt");
    platform::ChildProcess program;
    Start(program, game_, {{"KESTREL_DIALOG_SCRIPT", (game_.path() / "dialogs.txt").string()}});
    const bool reported = WaitUntil([&] {
      return ReportLog(game_).find("Bpp :") != std::string::npos || program.WaitForExit(0).has_value();
    });
    EXPECT_TRUE(reported);
    if (const std::optional<int> code = program.WaitForExit(0)) return code;
    return Close(program);
  }
  bool StartedDirect3D() const { return ReportLog(game_).find("Device HAL") != std::string::npos; }
  std::string BootDat() const { return ReadFileBytes(game_.path() / "user_data" / "Boot.dat"); }
};

TEST_F(BootQuestionRunTest, DirectDrawWithoutAskingAgainIsKeptUntilBootDatGoes) {
  EXPECT_EQ(RunAnswered("boot start directdraw dontask\n"), 0);
  EXPECT_FALSE(StartedDirect3D()) << ReportLog(game_);
  EXPECT_EQ(BootDat(), testsupport::ByteBuilder().u32(750).fields(2).i32(0).i32(1).strings(0).bytes());
  // Asked nothing: the stop line stays unread and DirectDraw starts again.
  EXPECT_EQ(RunAnswered("boot stop\n"), 0);
  EXPECT_FALSE(StartedDirect3D());
  EXPECT_EQ(ReportLog(game_).find("dialog script"), std::string::npos);
  fs::remove(game_.path() / "user_data" / "Boot.dat");
  EXPECT_EQ(RunAnswered("boot stop\n"), 0);
  EXPECT_EQ(ReportLog(game_).find("Bpp :"), std::string::npos) << "stopped before the drawing library";
  EXPECT_FALSE(fs::exists(game_.path() / "user_data" / "Boot.dat"));
}

TEST_F(BootQuestionRunTest, StopEndsSilentlyAndAMissingOrWrongLineTakesTheStoredChoice) {
  EXPECT_EQ(RunAnswered("boot stop\n"), 0);
  EXPECT_EQ(ReportLog(game_).find("エラー"), std::string::npos);
  EXPECT_EQ(ReportLog(game_).find("Bpp :"), std::string::npos);
  EXPECT_EQ(RunAnswered("name ABC\n"), 0);
  EXPECT_TRUE(StartedDirect3D());
  EXPECT_NE(ReportLog(game_).find("\"name ABC\" does not answer the boot dialog"), std::string::npos);
  EXPECT_EQ(RunAnswered("# nothing\n"), 0);
  EXPECT_TRUE(StartedDirect3D());
  EXPECT_NE(ReportLog(game_).find("no line for the boot dialog"), std::string::npos);
  EXPECT_FALSE(fs::exists(game_.path() / "user_data" / "Boot.dat")) << "a default answer saves nothing";
  EXPECT_EQ(RunAnswered("close\n"), 0);
  EXPECT_EQ(ReportLog(game_).find("Bpp :"), std::string::npos);
}

TEST_F(BootQuestionRunTest, KeysAnswerTheDialogOnTheScreenAndItsPicturesAreTaken) {
  const std::string shots = (game_.path() / "shot").string();
  game_.Write("keys.txt", "wait 2\nshot " + shots + "0.png\nwait 2\npress Right\nwait 2\nshot " + shots +
                              "1.png\nwait 2\npress Tab\nwait 2\npress Space\nwait 2\nshot " + shots +
                              "2.png\nwait 2\npress Return\n");
  game_.Write("dialogs.txt", "keys\n");
  platform::ChildProcess program;
  Start(program, game_,
        {{"KESTREL_DIALOG_SCRIPT", (game_.path() / "dialogs.txt").string()},
         {"KESTREL_INPUT_SCRIPT", (game_.path() / "keys.txt").string()}});
  EXPECT_TRUE(WaitUntil([&] { return ReportLog(game_).find("Bpp :") != std::string::npos; })) << ReportLog(game_);
  EXPECT_EQ(Close(program), 0);
  EXPECT_FALSE(StartedDirect3D());
  EXPECT_EQ(BootDat(), testsupport::ByteBuilder().u32(750).fields(2).i32(0).i32(1).strings(0).bytes());
  // Each picture differs from the one before: the mark moved, then the box was ticked.
  std::string previous;
  for (int i = 0; i < 3; ++i) {
    const std::string shot = ReadFileBytes(game_.path() / ("shot" + std::to_string(i) + ".png"));
    EXPECT_GT(shot.size(), 100u) << i;
    EXPECT_NE(shot, previous) << i;
    previous = shot;
  }
}

TEST_F(ProgramRunTest, TheInputScriptsEscapeClosesTheGameInOrder) {
  game_.Write("keys.txt", "wait 20\npress Escape\n");
  platform::ChildProcess program;
  Start(program, game_, {{"KESTREL_INPUT_SCRIPT", (game_.path() / "keys.txt").string()}});
  EXPECT_EQ(program.WaitForExit(kExitLimitMs), 0);
  EXPECT_FALSE(Placement(game_).empty()) << "the close saved the placement";
}

TEST_F(BootQuestionRunTest, ATerminationRequestAnswersTheOpenDialogAsClosed) {
  game_.Write("keys.txt", "wait 10000000\n");
  game_.Write("dialogs.txt", "keys\n");
  platform::ChildProcess program;
  Start(program, game_,
        {{"KESTREL_DIALOG_SCRIPT", (game_.path() / "dialogs.txt").string()},
         {"KESTREL_INPUT_SCRIPT", (game_.path() / "keys.txt").string()}});
  ASSERT_TRUE(WaitForWindow(program));
  EXPECT_EQ(Close(program), 0);
  EXPECT_EQ(ReportLog(game_).find("Bpp :"), std::string::npos) << "the start stopped at the question";
  EXPECT_FALSE(fs::exists(game_.path() / "user_data" / "Boot.dat"));
}

}  // namespace
