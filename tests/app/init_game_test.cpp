#include "app/init_game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/no_flip.h"
#include "app/startup_steps.h"
#include "core/close_request.h"
#include "core/fps_readout.h"
#include "core/game_random.h"
#include "core/main_window.h"
#include "core/record_base.h"
#include "core/record_version.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/subsystem_links.h"
#include "core/system_ini.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/game_fonts.h"
#include "gfx/surface_lock.h"
#include "gfx/surface_records.h"
#include "input/input.h"
#include "input/input_settings.h"
#include "input/key_config.h"
#include "make_sample_game/sample_game.h"
#include "data/database.h"
#include "data/option_data.h"
#include "platform/sound/sound_mixer.h"
#include "support/byte_builder.h"
#include "platform/clock.h"
#include "platform/files/path_resolver.h"
#include "platform/input/key_flags.h"
#include "platform/message_queue.h"
#include "platform/process/window_registry.h"
#include "sound/music_manager.h"
#include "sound/music_thread.h"
#include "sound/sound_effects.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TempFolder;

TEST(StartupTable, NamesEveryStepOfTheStartUpAndTheShutDownInTheirOrder) {
  const std::vector<std::string> startup = {
      "timer, random seed and record version", "data folder", "user and project folders", "database",
      "effect copies and frame tables", "system data", "System.ini", "drawing backend choice", "command-line stage",
      "scene manager pace", "key repeat", "screen mode", "main window and title", "video stretch", "drawing library",
      "texture failure text and surface pairs", "window placement", "show window", "video report",
      "palette and transparent colour", "no-flip flag", "start-up surfaces", "fonts and digit sheets",
      "key configuration", "options", "8-bit palette", "music", "sound table", "sound device", "sound effects",
      "world map and common palette", "stage from the command line"};
  std::vector<std::string> names;
  for (const StartupStep& step : StartupSteps()) names.push_back(step.name);
  EXPECT_EQ(names, startup);

  const std::vector<std::string> shutdown = {"font cache report", "timer period",           "sound and music",
                                             "scenes",            "fonts and digit sheets", "drawing library",
                                             "keyboard hooks"};
  names.clear();
  for (const ShutdownStep& step : ShutdownSteps()) names.push_back(step.name);
  EXPECT_EQ(names, shutdown);
}

TEST(StartupTable, TheDirectDrawPresentCopiesUnlessFlippingKeepsThePace) {
  struct Case {
    bool windowed;
    int vsync;
    int monitorHz;
    int noFlip;
  };
  const Case cases[] = {
      {true, 1, 60, 1},    // a window always copies
      {false, 0, 60, 1},   // no vertical sync: flipping would wait for it
      {false, 1, 59, 1},   // a monitor slower than the game
      {false, 1, 60, 0},   // flipping keeps step
      {false, 1, 120, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecideNoFlip(c.windowed, c.vsync, c.monitorHz, 60), c.noFlip) << c.windowed << c.vsync << c.monitorHz;
  }
}

class FixedClock : public platform::ClockSource {
 public:
  std::uint32_t NowMs() override { return 1; }
  void Sleep(std::uint32_t) override {}
};

TEST(StartupTable, TheFirstStepSeedsTheGeneratorFromTheClockAndSetsTheRecordLayout) {
  FixedClock clock;
  platform::SetClockSource(&clock);
  CurrentVersion = 0;
  StripCRFlag = 0;
  StartupContext context;
  EXPECT_TRUE(startup::TimerSeedAndVersion(context));
  platform::SetClockSource(nullptr);
  EXPECT_EQ(CurrentVersion, 750);
  EXPECT_EQ(StripCRFlag, 1);
  EXPECT_EQ(GameRandom(), 41) << "seeded with the clock's 1";
}

TEST(StartupTable, TheCommandLineNamesTheStageUnlessNoPathCouldBeThatLong) {
  TempFolder folder;
  ASSERT_TRUE(LogInit((folder.path() / "Report_Game.txt").string()));
  struct Case {
    std::string commandLine;
    std::string freeStage;
    bool logged;
  };
  const Case cases[] = {
      {"", "ini.stg4", false},  // nothing given: System.ini's stage stays
      {"data\\stg4\\a.stg4", "data\\stg4\\a.stg4", false},
      {std::string(259, 'a'), std::string(259, 'a'), false},
      {std::string(260, 'a'), "", true},
      {std::string(300, 'b'), "", true},
      {"\"data\\stg4\\b c.stg4\"", "data\\stg4\\b c.stg4", false},  // one pair of quotes taken off
      {"\"\"x\"\"", "\"x\"", false},
  };
  for (const Case& c : cases) {
    SystemIni.FreeStage = "ini.stg4";
    StartupContext context{c.commandLine, 1};
    EXPECT_TRUE(startup::CommandLineStage(context));
    EXPECT_EQ(SystemIni.FreeStage, c.freeStage) << c.commandLine.size();
    const std::string log = folder.Read("Report_Game.txt");
    EXPECT_EQ(log.find("「" + c.commandLine + "」の読み込みに失敗しました！") != std::string::npos, c.logged)
        << c.commandLine.size();
  }
  SystemIni.FreeStage.clear();
  LogInit("/dev/null");
}

// The sample game, made once; every test runs the start-up in it with its own main window.
const fs::path& SampleGameFolder() {
  static TempFolder folder;
  static const bool made = [] {
    const sample::MakeResult result = sample::MakeSampleGame(folder.path());
    EXPECT_TRUE(result.ok) << result.error;
    return result.ok;
  }();
  (void)made;
  return folder.path();
}

class StartupRunTest : public testing::Test {
 protected:
  void SetUp() override {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) savedRuntime_ = runtime;
    setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
    previous_ = fs::current_path();
    fs::current_path(SampleGameFolder());
    platform::GameFolder().Forget();
    systemIni_ = testsupport::ReadFileBytes("System.ini");
    ASSERT_TRUE(LogInit((log_.path() / "Report_Game.txt").string()));
    SetCloseRequestSink([this] { ++closeRequests_; });
    platform::MessageQueue& queue = platform::MainQueue();
    queue.Reopen();
    queue.BindToCurrentThread();
    queue.SetHandler(MainWndProc);
    ASSERT_TRUE(MainWindow.Create());
  }
  void TearDown() override {
    UnInitGame();
    MainWindow.Destroy();
    platform::MainQueue().SetHandler(nullptr);
    platform::MainQueue().Reopen();
    SetCloseRequestSink(nullptr);
    LogInit("/dev/null");
    std::ofstream(SampleGameFolder() / "System.ini", std::ios::binary) << systemIni_;
    SystemIni = cSystemIni();
    fs::current_path(previous_);
    platform::GameFolder().Forget();
    if (savedRuntime_) {
      setenv("XDG_RUNTIME_DIR", savedRuntime_->c_str(), 1);
    } else {
      unsetenv("XDG_RUNTIME_DIR");
    }
    EXPECT_EQ(closeRequests_, 0) << log_.Read("Report_Game.txt");
  }

  static void ExpectNothingLeftUp() {
    EXPECT_EQ(lpDTCon, nullptr);
    EXPECT_EQ(DDCtx, nullptr);
    EXPECT_FALSE(DrawingLink().PacesFrames()) << "the drawing link outlived the library";
    for (int id = 0; id < kSceneCount; ++id) EXPECT_EQ(SceneMgr.Scene(id), nullptr) << id;
    EXPECT_FALSE(DS_Initialised());
    EXPECT_FALSE(MusicThreadRunning());
    EXPECT_FALSE(MusicMgr.Initialised());
  }

  TempFolder runtime_;
  TempFolder log_;
  fs::path previous_;
  std::string systemIni_;
  std::optional<std::string> savedRuntime_;
  int closeRequests_ = 0;
};

TEST_F(StartupRunTest, AStartUpStoppedAfterAnyStepShutsDownCleanly) {
  for (std::size_t count = 0; count <= StartupSteps().size(); ++count) {
    StartupContext context{"", 1};
    EXPECT_TRUE(RunStartupSteps(context, count)) << count;
    UnInitGame();
    ExpectNothingLeftUp();
    UnInitGame();  // and a second shut-down finds nothing to do
  }
}

TEST_F(StartupRunTest, TheWholeStartUpBringsTheSampleGameUpWithDirect3D) {
  ASSERT_TRUE(InitGame("", 1));
  EXPECT_EQ(MainHwnd.load(), MainWindow.Handle());
  const std::optional<platform::RegisteredWindow> window = platform::FindRegisteredWindow("Kestrel4");
  ASSERT_TRUE(window.has_value());
  EXPECT_EQ(window->title, "Kestrel Quest");
  ASSERT_NE(lpDTCon, nullptr);
  EXPECT_EQ(lpDTCon->strFatalTexture.rfind("テクスチャの作成に失敗しました！\n", 0), 0u);
  // A sheet, its mirrored row and the system-memory copies share one texture.
  EXPECT_EQ(SurfaceRecords[3].lpAliasSrc, &SurfaceRecords[2]);
  EXPECT_EQ(SurfaceRecords[23].lpAliasSrc, &SurfaceRecords[4]);
  EXPECT_EQ(SurfaceRecords[68].lpAliasSrc, &SurfaceRecords[67]);
  EXPECT_EQ(SceneMgr.NoFlip, 0) << "a Direct3D start leaves the DirectDraw flag alone";
  EXPECT_TRUE(DrawingLink().PacesFrames());
  EXPECT_EQ(SceneMgr.FrameRate, 60);
  // Every system and project sound loaded, and the music manager started on its thread.
  EXPECT_EQ(SoundSlots.size(), Database.Sounds.size() + 16);
  for (int i = 0; i < static_cast<int>(SoundSlots.size()); ++i) EXPECT_EQ(SoundSlots[i].count, 1) << i;
  EXPECT_STREQ(SoundSlots[17].name, Database.Sounds[1].strFile.c_str());
  WaitForMusicIdle();
  EXPECT_TRUE(MusicMgr.Initialised());
  UnInitGame();
  ExpectNothingLeftUp();
}

// Option.dat as the options scene writes it: music off and effects at step 3 take effect at the
// start; a broken file is set aside and the defaults stand.
TEST_F(StartupRunTest, TheOptionsFileChoosesTheMusicAndTheEffectsVolume) {
  const fs::path options = SampleGameFolder() / "user_data" / "Option.dat";
  fs::create_directories(options.parent_path());
  std::ofstream(options, std::ios::binary)
      << testsupport::ByteBuilder().u32(750).fields(4).i32(0).i32(0).i32(3).i32(0).strings(1).str("abc").bytes();
  platform::GameFolder().Forget();
  ASSERT_TRUE(InitGame("", 1));
  EXPECT_EQ(OptionData.m_strFixedName, "abc");
  EXPECT_FALSE(MusicThreadRunning());
  ASSERT_FALSE(SoundSlots[1].buffers.empty());
  EXPECT_EQ(platform::SoundMixer::Volume(SoundSlots[1].buffers[0]), -1300);
  UnInitGame();

  std::ofstream(options, std::ios::binary) << "broken";
  platform::GameFolder().Forget();
  OptionData = cOptionData();
  ASSERT_TRUE(InitGame("", 1));
  EXPECT_EQ(OptionData.m_nSeVolume, 7);
  EXPECT_TRUE(fs::exists(options.string() + ".bad"));
  EXPECT_EQ(platform::SoundMixer::Volume(SoundSlots[1].buffers[0]), -150);
  UnInitGame();
  fs::remove(options.string() + ".bad");
  platform::GameFolder().Forget();
}

TEST_F(StartupRunTest, ADirectDrawStartInAWindowCopiesItsFrames) {
  std::ofstream(SampleGameFolder() / "System.ini", std::ios::binary) << "Direct3D=0\nWindowMode=1\nExit\n";
  SceneMgr.NoFlip = 0;
  ASSERT_TRUE(InitGame("", 1));
  EXPECT_EQ(lpDTCon, nullptr);
  EXPECT_NE(DDCtx, nullptr);
  EXPECT_EQ(SceneMgr.NoFlip, 1);
  UnInitGame();
  ExpectNothingLeftUp();
}

// The fonts take their colours from the palette in every mode: a hi-colour DirectDraw start
// loads it too, so the read-out shows in the text colour (white) over its box.
TEST_F(StartupRunTest, TheFrameRateReadOutShowsInTheFontColourInEveryBackend) {
  for (const char* ini : {"Direct3D=1\nWindowMode=1\nBpp=32\nD3D_FontCache=1\nExit\n",
                          "Direct3D=0\nWindowMode=1\nBpp=32\nDD_FontCache=1\nExit\n",
                          "Direct3D=0\nWindowMode=1\nBpp=32\nDD_FontCache=0\nExit\n"}) {
    SCOPED_TRACE(ini);
    std::ofstream(SampleGameFolder() / "System.ini", std::ios::binary) << ini;
    ASSERT_TRUE(InitGame("", 1));
    if (DDCtx != nullptr) {
      EXPECT_EQ(DDTransmitKey, 0xFF00FFu) << "the palette's transparent magenta";
    }
    EXPECT_EQ(GameFonts[1].m_dwColor & 0xFFFFFF, 0xFFFFFFu);
    DrawingLink().DrawFpsText("FPS60(16)", FpsLayout(1));
    int white = 0;
    {
      cSurfaceLock lock(&SDBackBuffer);
      ASSERT_NE(lock.m_lpBits, nullptr);
      for (int y = 463; y < 479; ++y) {
        for (int x = 495; x < 639; ++x) {
          white += (reinterpret_cast<DWORD*>(lock.m_lpBits)[y * lock.m_nPitch + x] & 0xFFFFFF) == 0xFFFFFF ? 1 : 0;
        }
      }
    }
    EXPECT_GT(white, 100);
    UnInitGame();
    ExpectNothingLeftUp();
  }
}

TEST_F(StartupRunTest, TheInputStepsSetTheRepeatMasksAndConfigurationAndConnectTheFrameStep) {
  class Settings : public cInputSettings {
   public:
    KeyConfig KeyConfiguration() override {
      KeyConfig config;
      DefaultKeyConfig(&config);
      config.inUse = 1;
      config.bindings[0].code = 'J';  // left
      return config;
    }
  } settings;
  SetInputSettings(&settings);
  PlayerInputs[0] = cInput();
  ASSERT_TRUE(InitGame("", 1));
  SetInputSettings(nullptr);
  EXPECT_EQ(PlayerInputs[0].m_nRepeatDelay, 18u);
  EXPECT_EQ(PlayerInputs[0].m_nRepeatInterval, 6u);
  EXPECT_EQ(PlayerInputs[0].m_wJoyButtonMask[7], 128);
  EXPECT_EQ(PlayerKeyConfig.inUse, 1);
  platform::SetKeyDown('J', true);
  InputLink().UpdateInput();
  platform::ReleaseAllKeys();
  EXPECT_EQ(PlayerInputs[0].m_wDir, 1);
  UnInitGame();
  PlayerInputs[0].m_wDir = 0;
  InputLink().UpdateInput();  // the frame step's tie is gone with the shut-down
  EXPECT_EQ(PlayerInputs[0].m_wDir, 0);
  PlayerKeyConfig = KeyConfig{};
  ExpectNothingLeftUp();
}

}  // namespace
