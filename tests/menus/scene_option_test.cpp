// The options scene without a drawing library: values that wrap, edits taken back with their
// effects, the music switch applied on leaving and the options file written.
#include "menus/scene_option.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/record_version.h"
#include "core/scene_manager.h"
#include "data/option_data.h"
#include "data/system_data.h"
#include "input/input.h"
#include "input/menu_cursor.h"
#include "platform/files/path_resolver.h"
#include "platform/sound/sound_mixer.h"
#include "sound/game_sound_link.h"
#include "sound/music_thread.h"
#include "sound/sound_effects.h"
#include "sound/wave_fixture.h"
#include "support/byte_builder.h"
#include "menu_frames.h"
#include "support/temp_folder.h"

namespace {

// A frame with the words down, then one with all let go.
constexpr auto& Frame = menutest::PressAndRelease;

enum : std::uint16_t { kUp = 4, kDown = 8 };

class SceneOptionTest : public testing::Test {
 protected:
  SceneOptionTest() : system_(SystemData), options_(OptionData) {
    folder_.Write("wave/a.wav", soundtest::WaveFixture().Bytes());
    folder_.MakeFolder("user_data");
    here_.emplace(folder_.path());
    platform::GameFolder().Forget();
    CurrentVersion = kRecordVersion;
    saved_ = {SceneMgr.NextScene, SceneMgr.CurrentScene, SceneMgr.CurBgm};
    SystemData.OptionMenu.assign(6, cSysNamedEntry(1, "x"));
    SystemData.MenuMusic.assign(4, 0);
    OptionData = cOptionData();
    PlayerInputs[0] = cInput();
    DS_InitOffline(mixer_);
    SoundSlots.assign(2, SoundSlot{});
    SoundNameRows.assign(2, SoundNameRow{});
    for (SoundNameRow& row : SoundNameRows) {
      std::snprintf(row.name, sizeof row.name, "wave\\a.wav");
      row.count = 1;
    }
    DS_LoadSounds(SoundSlots, SoundNameRows, kSoundVolumeTable[7]);
  }
  ~SceneOptionTest() override {
    DS_UnInit();
    SoundSlots.clear();
    SoundNameRows.clear();
    EndMusic();
    StartMusic(false);  // the switch as a start without music leaves it
    SystemData = system_;
    OptionData = options_;
    SceneMgr.NextScene = saved_[0];
    SceneMgr.CurrentScene = saved_[1];
    SceneMgr.CurBgm = saved_[2];
    PlayerInputs[0] = cInput();
    MenuCursor.Reset();
    here_.reset();
    platform::GameFolder().Forget();
  }
  // Opens the row's value for editing.
  static void Edit(cSceneOption& scene, int row) {
    MenuCursor.m_pCur->row = row;
    Frame(scene, 0, 1);
  }
  static int Volume() { return platform::SoundMixer::Volume(SoundSlots[1].buffers[0]); }

  testsupport::TempFolder folder_;
  platform::SoundMixer mixer_;

 private:
  std::optional<testsupport::ScopedCurrentFolder> here_;
  cSystemData system_;
  cOptionData options_;
  std::vector<std::int32_t> saved_;
};

TEST_F(SceneOptionTest, ValuesWrapWithinTheirRangesAndUpAndDownTogetherCancel) {
  struct Case {
    int row;
    std::int32_t cOptionData::*value;
    std::int32_t from;
    std::uint16_t dir;
    std::int32_t want;
  };
  const Case cases[] = {
      {0, &cOptionData::m_nPalette, 23, kUp, 0},   {0, &cOptionData::m_nPalette, 0, kDown, 23},
      {1, &cOptionData::m_bBgm, 1, kUp, 0},        {2, &cOptionData::m_nSeVolume, 10, kUp, 0},
      {3, &cOptionData::m_nRankMode, 0, kDown, 3}, {2, &cOptionData::m_nSeVolume, 4, kUp | kDown, 4},
  };
  for (const Case& c : cases) {
    cSceneOption scene;
    Frame(scene, 0, 0);
    OptionData.*c.value = c.from;
    Edit(scene, c.row);
    Frame(scene, c.dir, 0);
    Frame(scene, 0, 1);  // kept
    EXPECT_EQ(OptionData.*c.value, c.want) << c.row << " from " << c.from;
    EXPECT_EQ(MenuCursor.m_Stack.size(), 1u);
  }
  EXPECT_EQ(Volume(), kSoundVolumeTable[4]);
}

TEST_F(SceneOptionTest, CancellingAnEditPutsTheValueAndItsVolumeBack) {
  cSceneOption scene;
  Frame(scene, 0, 0);
  Edit(scene, 2);
  for (int i = 0; i < 4; ++i) Frame(scene, kDown, 0);
  EXPECT_EQ(OptionData.m_nSeVolume, 3);
  EXPECT_EQ(Volume(), -1300);  // at once
  Frame(scene, 0, 2);
  EXPECT_EQ(OptionData.m_nSeVolume, 7);
  EXPECT_EQ(Volume(), -150);
  // Silence is the table's first step.
  Edit(scene, 2);
  for (int i = 0; i < 7; ++i) Frame(scene, kDown, 0);
  EXPECT_EQ(Volume(), -10000);
}

TEST_F(SceneOptionTest, LeavingAppliesTheMusicSwitchAndWritesTheOptionsFile) {
  OptionData.m_bBgm = 0;
  SystemData.MenuMusic[3] = 7;  // the options' music, already playing
  SceneMgr.CurBgm = 7;
  cSceneOption scene;
  Frame(scene, 0, 0);
  Edit(scene, 1);
  Frame(scene, kUp, 0);
  Frame(scene, 0, 1);
  EXPECT_EQ(SceneMgr.CurBgm, 7);  // nothing until the scene ends
  OptionData.m_strFixedName = "ｱｲｳ";
  Frame(scene, 0, 2);  // leave, at once without a drawing library
  EXPECT_EQ(SceneMgr.CurrentScene, kSceneTitle);
  EXPECT_EQ(SceneMgr.CurBgm, 0);  // the title asks for its music again
  EXPECT_TRUE(MusicThreadRunning());
  const std::string want =
      testsupport::ByteBuilder().u32(750).fields(4).i32(0).i32(1).i32(7).i32(0).strings(1).str("ｱｲｳ").bytes();
  EXPECT_EQ(folder_.Read("user_data/Option.dat"), want);
}

}  // namespace
