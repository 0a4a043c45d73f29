#include "core/scene_manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/close_request.h"
#include "core/format.h"
#include "core/fps_readout.h"
#include "core/game_requests.h"
#include "core/main_window.h"
#include "core/report_log.h"
#include "core/system_ini.h"
#include "core/timing.h"
#include "platform/diagnostics.h"
#include "platform/message_queue.h"
#include "scene_test_support.h"
#include "support/temp_folder.h"

namespace {

using scenetest::g_events;
using scenetest::RecordingScene;
using Events = std::vector<std::string>;

class SceneManagerTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetTiming();
    platform::SetClockSource(&clock_);
    scenetest::g_clock = &clock_;
    SetDrawingLink(&drawing_);
    SetGameRequestHandler([](const platform::Message& message) -> std::intptr_t {
      if (message.message == kRequestRecoverDevice) g_events.push_back("recover device");
      return 0;
    });
    SetCloseRequestSink([this] { ++closeRequests_; });
    platform::SetDiagnosticSink([](std::string_view) {});
    ASSERT_TRUE(LogInit((folder_.path() / "Report_Game.txt").string()));
    ErrLogInit(true, (folder_.path() / "EC_Game.txt").string());
    platform::MainQueue().Reopen();
    platform::MainQueue().BindToCurrentThread();
    platform::MainQueue().SetHandler(MainWndProc);
    scenetest::RegisterRecordingScenes();
    SystemIni.ShowFps = 0;
    FpsReadout.Reset();
    SceneMgr.CurrentScene = 0;
    SceneMgr.NextScene = 0;
    SceneMgr.FrameRate = 60;
    g_events.clear();
  }
  void TearDown() override {
    SceneMgr.DeleteScenes();
    scenetest::ClearSceneFactories();
    SetDrawingLink(nullptr);
    SetGameRequestHandler(nullptr);
    SetCloseRequestSink(nullptr);
    platform::SetDiagnosticSink(nullptr);
    platform::MainQueue().SetHandler(nullptr);
    ErrLogInit(false, "EC_Game.txt");
    LogInit("/dev/null");
    scenetest::g_clock = nullptr;
    platform::SetClockSource(nullptr);
    ResetTiming();
    SystemIni.ShowFps = 0;
  }

  // A switch never leaves more than one scene; the order of deletion shows with all six.
  void FillEverySlot() {
    SceneMgr.m_pTitle = new RecordingScene(0);
    SceneMgr.m_pWorldMap = new RecordingScene(1);
    SceneMgr.m_pWorldMenu = new RecordingScene(2);
    SceneMgr.m_pStageSelect = new RecordingScene(3);
    SceneMgr.m_pPlay = new RecordingScene(4);
    SceneMgr.m_pOption = new RecordingScene(5);
    PlaySceneGlobal = reinterpret_cast<cScenePlay*>(SceneMgr.m_pPlay);
    g_events.clear();
  }
  RecordingScene* Live(int id) { return static_cast<RecordingScene*>(SceneMgr.Scene(id)); }
  // The events of one frame step.
  Events Frame(int expected = 1) {
    g_events.clear();
    EXPECT_EQ(SceneMgr.Frame(), expected);
    return g_events;
  }
  std::string ErrorLog() const { return testsupport::ReadFileBytes(folder_.path() / "EC_Game.txt"); }

  testsupport::TempFolder folder_;
  scenetest::FakeClock clock_;
  scenetest::FakeDrawing drawing_;
  int closeRequests_ = 0;
};

TEST_F(SceneManagerTest, ASceneLeavesByItsExitAndTheSwitchHappensAtTheNextFrame) {
  EXPECT_EQ(Frame(), (Events{"create 0", "init 0", "run 0", "present"}));
  EXPECT_EQ(Frame(), (Events{"run 0", "present"}));

  Live(0)->leaveFor = 3;
  EXPECT_EQ(Frame(), (Events{"run 0", "present"}));  // the old scene finishes its frame
  EXPECT_EQ(SceneMgr.CurrentScene, 3);
  EXPECT_EQ(SceneMgr.PreviousScene, 0);
  EXPECT_EQ(Frame(), (Events{"delete 0", "create 3", "init 3", "run 3", "present"}));
  EXPECT_EQ(SceneMgr.Scene(0), nullptr);
}

TEST_F(SceneManagerTest, LeavingForTheSameIdKeepsTheObjectAndRunsItsInitAgain) {
  SceneMgr.CurrentScene = kScenePlay;
  Frame();
  RecordingScene* play = Live(kScenePlay);
  ASSERT_NE(play, nullptr);
  EXPECT_EQ(PlaySceneGlobal, reinterpret_cast<cScenePlay*>(play));

  play->leaveFor = kScenePlay;
  Frame();
  EXPECT_EQ(Frame(), (Events{"init 4", "run 4", "present"}));
  EXPECT_EQ(Live(kScenePlay), play);
}

TEST_F(SceneManagerTest, IdSixDeletesEverySceneInTheSwitchOrderAndOnlyPresents) {
  FillEverySlot();
  SceneMgr.CurrentScene = 6;
  EXPECT_EQ(Frame(), (Events{"delete 0", "delete 2", "delete 1", "delete 3", "delete 4", "delete 5", "present"}));
  EXPECT_EQ(PlaySceneGlobal, nullptr);
  EXPECT_EQ(Frame(), (Events{"present"}));
}

TEST_F(SceneManagerTest, ShutDownDeletesInItsOwnOrderAndForgetsThePlayScene) {
  FillEverySlot();
  SceneMgr.DeleteScenes();
  EXPECT_EQ(g_events, (Events{"delete 0", "delete 1", "delete 2", "delete 3", "delete 5", "delete 4"}));
  EXPECT_EQ(PlaySceneGlobal, nullptr);
  for (int id = 0; id < kSceneCount; ++id) EXPECT_EQ(SceneMgr.Scene(id), nullptr);
}

TEST_F(SceneManagerTest, LeavingThePlaySceneClearsThePlaySceneGlobal) {
  SceneMgr.CurrentScene = kScenePlay;
  Frame();
  ASSERT_NE(PlaySceneGlobal, nullptr);
  Live(kScenePlay)->leaveFor = kSceneTitle;
  Frame();
  Frame();
  EXPECT_EQ(PlaySceneGlobal, nullptr);
  EXPECT_NE(Live(kSceneTitle), nullptr);
}

TEST_F(SceneManagerTest, ASceneWhoseInitThrowsIsLoggedClosesTheProgramAndTheFrameGoesOn) {
  scenetest::ClearSceneFactories();
  SetSceneFactory(0, [] {
    auto* scene = new RecordingScene(0);
    scene->throwOnInit = "stage set-up failed";
    return CreatedScene{scene, nullptr};
  });
  EXPECT_EQ(Frame(), (Events{"init 0", "run 0", "present"}));
  EXPECT_EQ(closeRequests_, 1);
  EXPECT_EQ(ErrorLog(), "stage set-up failed\n");
  EXPECT_EQ(Live(0)->m_nState, 0);
}

TEST_F(SceneManagerTest, AThrowingSceneStartAndAFailedAllocationLeaveTheFrameWithoutAScene) {
  scenetest::ClearSceneFactories();
  SetSceneFactory(1, []() -> CreatedScene { throw "no scene"; });
  SetSceneFactory(2, []() -> CreatedScene { throw std::bad_alloc(); });
  SceneMgr.CurrentScene = 1;
  EXPECT_EQ(Frame(), (Events{"present"}));
  EXPECT_EQ(ErrorLog(), "no scene\n");
  SceneMgr.CurrentScene = 2;
  EXPECT_EQ(Frame(), (Events{"present"}));
  EXPECT_EQ(closeRequests_, 2);  // one each: the text, and the out-of-memory exit
  EXPECT_EQ(SceneMgr.Scene(2), nullptr);
}

TEST_F(SceneManagerTest, UnrepairableSurfacesEndTheProgramBeforeAnySceneRuns) {
  drawing_.restoreResult = false;
  EXPECT_EQ(Frame(0), Events{});
}

TEST_F(SceneManagerTest, ALostDeviceIsHandedToTheMainWindowAndTheFrameGoesOn) {
  drawing_.presentResult = false;
  EXPECT_EQ(Frame(), (Events{"create 0", "init 0", "run 0", "present", "recover device"}));
}

TEST_F(SceneManagerTest, TheFrameGateHoldsFramesAtSixteenMillisecondsAt60) {
  Frame();
  const std::uint32_t first = clock_.now;
  for (int i = 0; i < 10; ++i) Frame();
  EXPECT_EQ(clock_.now - first, 160u);
}

TEST_F(SceneManagerTest, TheReadoutAveragesSixteenFrameTimesAndIsDrawnWhereShowFpsSays) {
  Frame();  // the scene exists
  SystemIni.ShowFps = 1;
  // Frame times 0, 1, ..., 15: the average appears only when the ring has turned once.
  for (std::uint32_t ms = 0; ms < 16; ++ms) {
    Live(0)->workMs = ms;
    Frame();
    EXPECT_EQ(FpsReadout.FrameMs, static_cast<int>(ms));
    EXPECT_EQ(FpsReadout.Average, ms < 15 ? 0 : (0 + 15) * 16 / 2 / 16);
  }
  EXPECT_EQ(FpsReadout.Index, 0);
  ASSERT_EQ(drawing_.fpsTexts.size(), 16u);
  // Gate and work together make 16 ms frames, 62 in a second; the first second is not over.
  EXPECT_EQ(drawing_.fpsTexts.front(), "FPS 0( 0)");
  EXPECT_EQ(drawing_.fpsTexts.back(), "FPS 0( 7)");
  EXPECT_TRUE(drawing_.fpsLayouts.back().boxed);
  EXPECT_EQ(drawing_.fpsLayouts.back().font, 1);
  EXPECT_EQ(drawing_.fpsLayouts.back().x, 495);
  EXPECT_EQ(drawing_.fpsLayouts.back().y, 463);

  SystemIni.ShowFps = 2;
  Live(0)->workMs = 0;
  for (int i = 0; i < 60; ++i) Frame();
  EXPECT_FALSE(drawing_.fpsLayouts.back().boxed);
  EXPECT_EQ(drawing_.fpsLayouts.back().font, 0);
  EXPECT_EQ(drawing_.fpsLayouts.back().x, 549);
  EXPECT_EQ(drawing_.fpsLayouts.back().y, 469);
  // 16 ms frames: 62 or 63 of them fall into the first second, as the frame work shifts it.
  EXPECT_GE(FpsReadout.Fps, 62);
  EXPECT_LE(FpsReadout.Fps, 63);
  EXPECT_EQ(drawing_.fpsTexts.back(), Format("FPS%2d(%2d)", FpsReadout.Fps, FpsReadout.Average));
}

TEST_F(SceneManagerTest, WithTheReadoutOffTheRingIsUntouchedAndSwitchingItOnStartsFromZero) {
  Frame();
  Live(0)->workMs = 9;
  for (int i = 0; i < 40; ++i) Frame();
  EXPECT_EQ(FpsReadout.Index, 0);
  EXPECT_EQ(FpsReadout.Average, 0);
  EXPECT_EQ(FpsReadout.Ring[0], 0);
  EXPECT_EQ(FpsReadout.FrameMs, 9);
  EXPECT_TRUE(drawing_.fpsTexts.empty());

  SystemIni.ShowFps = 1;
  for (int i = 0; i < 15; ++i) Frame();
  EXPECT_EQ(FpsReadout.Average, 0);
  Frame();
  EXPECT_EQ(FpsReadout.Average, 9);
}

}  // namespace
