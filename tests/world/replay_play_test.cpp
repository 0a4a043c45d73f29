// Attempts recorded while they are played, the attempt before kept for F2, and the keys that
// save a replay.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/game_requests.h"
#include "core/scene_manager.h"
#include "data/save_data.h"
#include "data/stage_data.h"
#include "data/system_data.h"
#include "input/input.h"
#include "input/input_source.h"
#include "input/replay.h"
#include "platform/input/virtual_keys.h"
#include "platform/message_queue.h"
#include "support/world_fixture.h"
#include "world/play_progress.h"
#include "world/world_digest.h"

namespace {

using worldtest::WorldFixture;

const std::vector<std::string> kField = {
    "                ",
    "                ",
    "   H      e     ",
    "################",
};

// The settings a test changes, put back after it.
class ReplayPlayTest : public testing::Test {
 protected:
  ReplayPlayTest() : world(kField) {
    saved_ = {SceneMgr.TitleChoice, SceneMgr.PlayMode, SystemData.bRecordReplay};
    SystemData.bRecordReplay = 1;
    SceneMgr.TitleChoice = 3;
    SceneMgr.PlayMode = 2;
    world.Build();
    StageStart.AssignStartState(world.stage);
    platform::MainQueue().Reopen();
    platform::MainQueue().BindToCurrentThread();
    platform::MainQueue().SetHandler([this](const platform::Message& m) -> std::intptr_t {
      if (m.message == kRequestSaveReplay) {
        saveRequests.push_back(static_cast<int>(m.wParam));
        FileDialogResult = 1;
        FileDialogDone = 1;
      }
      return 0;
    });
  }
  ~ReplayPlayTest() override {
    platform::MainQueue().SetHandler(nullptr);
    SetInputSource(nullptr);
    SceneMgr.TitleChoice = saved_[0];
    SceneMgr.PlayMode = saved_[1];
    SystemData.bRecordReplay = saved_[2];
    Replay0.Clear();
    Replay1.Clear();
    ReplayKeyGuard = 0;
  }

  // Frames of play with the given words down, the scene's digest after each.
  std::vector<std::uint64_t> Play(int frames, std::uint16_t (*dir)(int), std::uint16_t (*button)(int)) {
    std::vector<std::uint64_t> digests;
    cScenePlay& s = world.Scene();
    for (int f = 0; f < frames; ++f) {
      PlayerInputs[0].m_wDir = dir(f);
      PlayerInputs[0].m_wButton = button(f);
      s.StatePlay();
      digests.push_back(WorldDigest(s));
    }
    return digests;
  }

  WorldFixture world;
  std::vector<int> saveRequests;

 private:
  std::vector<std::int32_t> saved_;
};

std::uint16_t RightThenLeft(int f) { return f < 50 ? 2 : f < 80 ? 1 : 0; }
std::uint16_t JumpNowAndThen(int f) { return f % 30 < 12 ? 1 : 0; }

// Playback, which reads the saved file again at every start, is played on the sample game.
TEST_F(ReplayPlayTest, AnAttemptIsRecordedFrameByFrameWithItsSeed) {
  cScenePlay& s = world.Scene();
  s.SetStage(0, 1);
  s.m_nState = kPlayRunning;
  EXPECT_EQ(static_cast<std::uint32_t>(Replay0.m_nSeed), s.nSeed);
  const std::vector<std::uint64_t> recorded = Play(120, RightThenLeft, JumpNowAndThen);
  ASSERT_EQ(s.m_nState, kPlayRunning);
  for (const cVector<std::uint32_t>* runs : {&Replay0.m_DirRuns, &Replay0.m_ButtonRuns}) {
    std::uint32_t frames = 0;
    for (std::uint32_t run : *runs) frames += run;
    EXPECT_EQ(frames, 120u);
  }
  EXPECT_EQ(Replay0.m_Dirs.size(), 3u);  // right, left, nothing
  EXPECT_NE(recorded.front(), recorded.back());  // the hero moved
}

TEST_F(ReplayPlayTest, AFreshAttemptKeepsThePreviousForF2AndRecordsAnew) {
  cScenePlay& s = world.Scene();
  s.SetStage(0, 1);
  Play(30, RightThenLeft, JumpNowAndThen);
  const cVector<std::uint16_t> first = Replay0.m_Dirs;
  s.SetStage(1, 0);  // a retry
  EXPECT_EQ(Replay1.m_Dirs, first);
  EXPECT_TRUE(Replay0.m_Dirs.empty());
  EXPECT_EQ(static_cast<std::uint32_t>(Replay0.m_nSeed), s.nSeed);
  // Entering the scene from elsewhere forgets both.
  s.ResetRun();
  EXPECT_TRUE(Replay0.m_Dirs.empty());
  EXPECT_TRUE(Replay1.m_Dirs.empty());
}

// F1 or F2 held down, frame by frame.
class HeldKeys : public cInputSource {
 public:
  bool KeyDown(int key) override { return (key == platform::vk::kF1 && f1) || (key == platform::vk::kF1 + 1 && f2); }
  int ReadJoystick(int, platform::JoyReading&) override { return 1; }
  bool f1 = false;
  bool f2 = false;
};

TEST_F(ReplayPlayTest, F1AndF2SaveTheirAttemptAndAnEmptyOneOnlySoundsOnceASecond) {
  HeldKeys keys;
  SetInputSource(&keys);
  cInput input;
  input.m_wDir = 2;
  Replay1.Record(input);
  keys.f1 = true;
  int saves = 0;
  for (int frame = 0; frame < 61; ++frame) saves += ReplayHotKeys();
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(world.sounds.Count(3), 2);  // at the first frame and 60 frames on
  EXPECT_TRUE(saveRequests.empty());

  keys.f2 = true;  // F1 wins
  EXPECT_EQ(ReplayHotKeys(), 0);
  keys.f1 = false;
  EXPECT_EQ(ReplayHotKeys(), 1);
  EXPECT_EQ(world.sounds.Count(1), 1);
  EXPECT_EQ(saveRequests, std::vector<int>{1});

  SceneMgr.TitleChoice = kTitleChoiceReplay;  // nothing is saved while a replay plays
  EXPECT_EQ(ReplayHotKeys(), 0);
  SceneMgr.TitleChoice = 3;
  SystemData.bRecordReplay = 0;
  EXPECT_EQ(ReplayHotKeys(), 0);
  EXPECT_EQ(saveRequests.size(), 1u);
}

}  // namespace
