// The world map's menu without a drawing library: where the slot list opens, saving into a slot,
// auto-save with and without a slot, the way to the title, the rows and the total box.
#include "menus/scene_world_menu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "core/record_version.h"
#include "core/scene_manager.h"
#include "data/save_data.h"
#include "data/save_slots.h"
#include "data/system_data.h"
#include "input/input.h"
#include "input/menu_cursor.h"
#include "platform/files/path_resolver.h"
#include "menu_frames.h"
#include "support/temp_folder.h"

namespace {

// A frame with the words down, then one with all let go.
constexpr auto& Frame = menutest::PressAndRelease;

enum : std::uint16_t { kDown = 8 };
enum : int { kStateMenu = 1, kStateSave = 2, kStateAutoSave = 3, kStateToTitle = 5, kStateExit = 6 };

class SceneWorldMenuTest : public testing::Test {
 protected:
  SceneWorldMenuTest() : system_(SystemData), infos_(SaveSlotInfos) {
    folder_.MakeFolder("user_data/story");
    here_.emplace(folder_.path());
    platform::GameFolder().Forget();
    CurrentVersion = kRecordVersion;
    saved_ = {SceneMgr.NextScene, SceneMgr.CurrentScene};
    SystemData.MapMenu.clear();
    for (const char* label : {"セーブ", "オートセーブ", "もどる", "タイトルへ"}) {
      SystemData.MapMenu.push_back(cSysNamedEntry(1, label));
    }
    SystemData.MenuMusic.assign(4, 0);
    SaveDataCur.Reset();
    PlayerInputs[0] = cInput();
  }
  ~SceneWorldMenuTest() override {
    SystemData = system_;
    SaveSlotInfos = infos_;
    SceneMgr.NextScene = saved_[0];
    SceneMgr.CurrentScene = saved_[1];
    PlayerInputs[0] = cInput();
    MenuCursor.Reset();
    here_.reset();
    platform::GameFolder().Forget();
  }
  // The menu up, the cursor on the row and button 1.
  static void Choose(cSceneWorldMenu& scene, int row) {
    Frame(scene, 0, 0);
    MenuCursor.m_pCur->row = row;
    Frame(scene, 0, 1);
  }

  testsupport::TempFolder folder_;

 private:
  std::optional<testsupport::ScopedCurrentFolder> here_;
  cSystemData system_;
  cVector<cSaveSlotInfo> infos_;
  std::vector<std::int32_t> saved_;
};

TEST_F(SceneWorldMenuTest, TheSlotListOpensOnTheKnownSlot) {
  struct Case {
    std::int32_t slot;
    int row, top;
  };
  const Case cases[] = {{-1, 0, 0}, {37, 37, 37}, {95, 95, 89}};
  for (const Case& c : cases) {
    SaveDataCur.m_nSaveSlot = c.slot;
    cSceneWorldMenu scene;
    Choose(scene, 0);
    EXPECT_EQ(scene.m_nState, kStateSave);
    EXPECT_EQ(MenuCursor.m_pCur->row, c.row) << c.slot;
    EXPECT_EQ(scene.SlotTop(), c.top) << c.slot;
  }
}

TEST_F(SceneWorldMenuTest, SavingIntoASlotMakesItTheSlotAutoSaveUses) {
  cSceneWorldMenu scene;
  // Auto-save with no slot yet: refused, back to the menu.
  Choose(scene, 1);
  EXPECT_EQ(scene.m_nState, kStateAutoSave);
  Frame(scene, 0, 1);
  EXPECT_EQ(scene.m_nState, kStateMenu);
  EXPECT_EQ(SaveDataCur.m_bAutoSave, 0);
  // Slot 6 (row 5), the save question's first answer.
  MenuCursor.m_pCur->row = 0;
  Frame(scene, 0, 1);
  for (int i = 0; i < 5; ++i) Frame(scene, kDown, 0);
  Frame(scene, 0, 1);
  EXPECT_EQ(MenuCursor.m_pCur->row, 1);  // the question opens on "no"
  MenuCursor.m_pCur->row = 0;
  Frame(scene, 0, 1);
  EXPECT_EQ(SaveDataCur.m_nSaveSlot, 5);
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "user_data" / "story" / "Story06.dat"));
  EXPECT_EQ(SaveSlotInfos[5].m_bUsed, 1);
  EXPECT_EQ(scene.m_nState, kStateSave);  // the list stays open
  Frame(scene, 0, 2);
  EXPECT_EQ(scene.m_nState, kStateMenu);
  // Auto-save on now saves into slot 6 at once.
  std::filesystem::remove(folder_.path() / "user_data" / "story" / "Story06.dat");
  MenuCursor.m_pCur->row = 1;
  Frame(scene, 0, 1);
  MenuCursor.m_pCur->row = 0;
  Frame(scene, 0, 1);
  EXPECT_EQ(SaveDataCur.m_bAutoSave, 1);
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "user_data" / "story" / "Story06.dat"));
  EXPECT_EQ(scene.m_nState, kStateMenu);
}

TEST_F(SceneWorldMenuTest, TheTitleQuestionOpensOnNoAndTheRowsFollowTheEnabledEntries) {
  SystemData.MapMenu[1].bEnabled = 0;
  cSceneWorldMenu scene;
  Choose(scene, 2);  // the third row is now the way to the title
  EXPECT_EQ(scene.Rows(), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(scene.m_nState, kStateToTitle);
  EXPECT_EQ(MenuCursor.m_pCur->row, 1);
  Frame(scene, 0, 1);
  EXPECT_EQ(scene.m_nState, kStateMenu);
  EXPECT_EQ(MenuCursor.m_Stack.size(), 1u);
  MenuCursor.m_pCur->row = 2;
  Frame(scene, 0, 1);
  MenuCursor.m_pCur->row = 0;
  PlayerInputs[0].m_wButton = 1;
  scene.Run();
  EXPECT_EQ(SceneMgr.NextScene, kSceneTitle);
  scene.Run();  // the fade-out, at once without a drawing library
  EXPECT_EQ(SceneMgr.CurrentScene, kSceneTitle);
}

TEST_F(SceneWorldMenuTest, TheTotalBoxFitsItsLabelAndDigits) {
  SystemData.bMenuShowTotal = 1;
  SystemData.Texts.assign(20, std::string());
  SystemData.Texts[4] = "トータルスコア";
  SaveDataCur.m_nClearSum = 1234;
  EXPECT_EQ(DrawStoryTotal(), 176);
  SaveDataCur.m_nClearSum = 0;
  EXPECT_EQ(DrawStoryTotal(), 0);
  SaveDataCur.m_nClearSum = 1234;
  SystemData.bMenuShowTotal = 0;
  EXPECT_EQ(DrawStoryTotal(), 0);
}

}  // namespace
