// Displays that stop the game, run on their own thread while the calling thread waits: the
// advance key counts only when pressed anew after the delay, a timed display lasts its
// frames, and a closing program ends a display that waits for a key.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "core/program_state.h"
#include "core/scene_manager.h"
#include "core/thread.h"
#include "input/input.h"
#include "input/input_source.h"
#include "support/world_fixture.h"
#include "world/modal_display.h"

namespace {

using worldtest::WorldFixture;

// Button 1 (Z) by poll: the display polls once a frame, so poll n is its frame n.
class ScriptedKeys : public cInputSource {
 public:
  explicit ScriptedKeys(std::vector<bool> z) : z_(std::move(z)) {}
  bool KeyDown(int key) override {
    if (key != 'Z') return false;
    const int poll = polls.fetch_add(1);
    return poll < static_cast<int>(z_.size()) ? z_[poll] : z_.back();
  }
  int ReadJoystick(int, platform::JoyReading&) override { return 1; }
  std::atomic<int> polls{0};

 private:
  std::vector<bool> z_;
};

class ModalDisplayTest : public testing::Test {
 protected:
  ModalDisplayTest() : world({"     ", "  H  ", "#####"}) {
    world.Build();
    ActiveFlag.store(1);
    savedRate_ = SceneMgr.FrameRate;
    SceneMgr.FrameRate = 0;
    PlaySceneQuit.store(0);
  }
  ~ModalDisplayTest() override {
    SetInputSource(nullptr);
    ActiveFlag.store(0);
    SceneMgr.FrameRate = savedRate_;
    PlaySceneQuit.store(0);
  }

  WorldFixture world;

 private:
  int savedRate_ = 0;
};

TEST_F(ModalDisplayTest, TheAdvanceKeyCountsOnlyWhenPressedAnewAfterTheDelay) {
  // Held from before the display, let go, pressed inside the delay and held past it, let go,
  // and pressed again at frame 16.
  std::vector<bool> z(30, false);
  for (int f : {0, 1, 2, 3, 4, 7, 8, 9, 10, 11, 12}) z[f] = true;
  for (int f = 15; f < 30; ++f) z[f] = true;
  ScriptedKeys keys(z);
  SetInputSource(&keys);
  cScenePlay& s = world.Scene();
  s.bButtonLatch = 0;
  s.SetModalDisplay(1, 1, 0, 0);
  EXPECT_EQ(s.Modal.m_nSubTimer, 10);
  s.RunModalDisplay();
  EXPECT_EQ(keys.polls.load(), 16);
  EXPECT_EQ(s.bButtonLatch, 1);
  EXPECT_EQ(world.sounds.Count(12), 1);
  // The game's own input records were not touched.
  EXPECT_EQ(PlayerInputs[0].m_wButton, 0);
}

TEST_F(ModalDisplayTest, ATimedDisplayLastsItsFramesAndAKeyDoesNotShortenIt) {
  ScriptedKeys keys({true, false});
  SetInputSource(&keys);
  cScenePlay& s = world.Scene();
  s.SetModalDisplay(4, 0, 30, 0);
  s.RunModalDisplay();
  EXPECT_EQ(keys.polls.load(), 31);
  EXPECT_EQ(world.sounds.Count(1), 0);
}

TEST_F(ModalDisplayTest, AClosingProgramEndsADisplayThatWaitsForAKey) {
  ScriptedKeys keys({false});
  SetInputSource(&keys);
  cScenePlay& s = world.Scene();
  // As the main window's close does: the quit flag, then the thread's quit message.
  std::thread closer([&] {
    while (keys.polls.load() < 5) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    PlaySceneQuit.store(1);
    thPause.PostQuit();
  });
  s.SetModalDisplay(1, 1, 0, 0);
  s.RunModalDisplay();
  closer.join();
  EXPECT_FALSE(thPause.HasThread());
  // Once quitting, a display does not start at all.
  s.RunModalDisplay();
  EXPECT_FALSE(thPause.HasThread());
}

TEST_F(ModalDisplayTest, WithoutTheQuitMessageTheDisplayEndsItselfAfterTheGrace) {
  ScriptedKeys keys({false});
  SetInputSource(&keys);
  cScenePlay& s = world.Scene();
  std::atomic<int> pollsAtQuit{0};
  std::thread closer([&] {
    while (keys.polls.load() < 3) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    PlaySceneQuit.store(1);
    pollsAtQuit.store(keys.polls.load());
  });
  const auto start = std::chrono::steady_clock::now();
  s.SetModalDisplay(1, 1, 0, 0);
  s.RunModalDisplay();
  closer.join();
  EXPECT_FALSE(thPause.HasThread());
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
  // At most the frame under way when the flag came reads the keys; nothing after it.
  EXPECT_LE(keys.polls.load() - pollsAtQuit.load(), 1);
}

}  // namespace
