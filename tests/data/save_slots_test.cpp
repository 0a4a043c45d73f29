// Story slots on disk: the scan of used, missing and broken slot files, loads that take a slot
// whole or not at all, saves that keep the old file and summary when the disk fails, and broken
// files set aside rather than overwritten.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/close_request.h"
#include "core/record_file.h"
#include "core/record_version.h"
#include "data/save_data.h"
#include "data/save_slots.h"
#include "data/system_data.h"
#include "platform/files/path_resolver.h"
#include "support/box_capture.h"
#include "support/temp_folder.h"
#include "support/write_fault.h"

namespace {

namespace fs = std::filesystem;
using testsupport::BoxCapture;
using testsupport::ScopedWriteFault;
using testsupport::TempFolder;

class SaveSlotsTest : public testing::Test {
 protected:
  SaveSlotsTest() : here_(game_.path()), system_(SystemData), live_(SaveDataCur), infos_(SaveSlotInfos) {
    platform::GameFolder().Forget();
    CurrentVersion = kRecordVersion;
    SystemData.nChallengeStages = 2;
    SystemData.StartLives.assign(4, 3);
    SystemData.InfiniteLives.assign(4, 0);
    game_.MakeFolder("user_data/story");
  }
  ~SaveSlotsTest() override {
    SystemData = system_;
    SaveDataCur = live_;
    SaveSlotInfos = infos_;
    platform::GameFolder().Forget();
  }

  // A slot file as the program saves it, with the lives and a save year.
  std::string SlotBytes(std::int32_t lives, std::uint16_t year) {
    cSaveData save;
    save.m_nLives = lives;
    save.m_SaveTime.year = year;
    return RecordFileBytes(save);
  }
  std::string SlotFile(int slot) const { return "user_data/story/Story0" + std::to_string(slot + 1) + ".dat"; }
  bool Exists(const std::string& relative) const { return fs::exists(game_.path() / relative); }

  TempFolder game_;

 private:
  testsupport::ScopedCurrentFolder here_;
  cSystemData system_;
  cSaveData live_;
  cVector<cSaveSlotInfo> infos_;
};

TEST_F(SaveSlotsTest, SlotFilesAreNamedByTheirNumberFromOne) {
  EXPECT_EQ(SaveSlotFileName(0), "user_data\\story\\Story01.dat");
  EXPECT_EQ(SaveSlotFileName(8), "user_data\\story\\Story09.dat");
  EXPECT_EQ(SaveSlotFileName(98), "user_data\\story\\Story99.dat");
  EXPECT_EQ(SaveSlotInfos.size(), 99u);
}

TEST_F(SaveSlotsTest, TheScanListsWholeFilesAndSetsBrokenOnesAside) {
  const std::string good = SlotBytes(4, 2031);
  game_.Write(SlotFile(0), good);
  // Slot 1 is missing; slot 2 is cut short; slot 3 is not a save at all.
  game_.Write(SlotFile(2), good.substr(0, good.size() / 2));
  game_.Write(SlotFile(3), std::string(300, '\x7f'));
  cVector<cSaveSlotInfo> list(5);
  list[1].m_bUsed = 1;  // a stale summary
  ScanSaveSlots(list);
  const int used[] = {1, 0, 0, 0, 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list[i].m_bUsed, used[i]) << i;
  EXPECT_EQ(list[0].m_Time.year, 2031);
  for (int broken : {2, 3}) {
    EXPECT_FALSE(Exists(SlotFile(broken))) << broken;
    EXPECT_TRUE(Exists(SlotFile(broken) + ".bad")) << broken;
  }
  EXPECT_TRUE(Exists(SlotFile(0)));
}

TEST_F(SaveSlotsTest, ALoadTakesTheWholeSlotOrLeavesTheLiveRecordAsItWas) {
  game_.Write(SlotFile(1), SlotBytes(kUnlimitedLives, 2030));
  game_.Write(SlotFile(2), std::string("\xee\x02\x00\x00garbage", 11));
  SaveDataCur.Reset();
  SaveDataCur.m_nLives = 6;
  SaveDataCur.m_Vars[9] = 9;
  const std::string before = RecordFileBytes(SaveDataCur);
  for (int slot : {2, 5}) {  // broken, missing
    EXPECT_EQ(SaveDataCur.LoadSlot(slot), 0) << slot;
    EXPECT_EQ(RecordFileBytes(SaveDataCur), before) << slot;
  }
  // A slot saved with unlimited lives starts the story, no longer unlimited, with its lives;
  // the slot it came from is the one it saves to.
  ASSERT_EQ(SaveDataCur.LoadSlot(1), 1);
  EXPECT_EQ(SaveDataCur.m_nLives, 3);
  EXPECT_EQ(SaveDataCur.m_nSaveSlot, 1);
  EXPECT_EQ(SaveDataCur.m_Vars[9], 0);
}

TEST_F(SaveSlotsTest, AFailedSaveKeepsTheOldFileAndSummaryAndSaysSo) {
  SaveDataCur.Reset();
  ASSERT_EQ(SaveDataCur.SaveSlot(4), 1);
  const std::string old = game_.Read(SlotFile(4));
  const cSaveSlotInfo summary = SaveSlotInfos[4];
  ASSERT_EQ(summary.m_bUsed, 1);
  SaveDataCur.m_nLives = 42;
  for (std::size_t fault = 0; fault < old.size(); fault += 512) {
    BoxCapture boxes;
    {
      const ScopedWriteFault failing(fault);
      SaveSlotInfos[4].m_Time.year = 1999;  // marks the summary: a failed save leaves it alone
      EXPECT_EQ(SaveDataCur.SaveSlot(4), 0) << fault;
    }
    EXPECT_EQ(game_.Read(SlotFile(4)), old) << fault;
    EXPECT_EQ(SaveSlotInfos[4].m_Time.year, 1999) << fault;
    ASSERT_EQ(boxes.texts.size(), 1u) << fault;
    EXPECT_EQ(boxes.texts[0], "user_data\\story\\Story05.dat の保存に失敗！");
  }
  EXPECT_FALSE(Exists(SlotFile(4) + ".bad"));
  ASSERT_EQ(SaveDataCur.SaveSlot(4), 1);
  EXPECT_NE(SaveSlotInfos[4].m_Time.year, 1999);
  cSaveData read;
  ASSERT_EQ(read.Load(SaveSlotFileName(4)), 1);
  EXPECT_EQ(read.m_nLives, 42);
}

TEST_F(SaveSlotsTest, ASlotNoStoryHasIsRefusedWithoutClosingTheProgram) {
  int closes = 0;
  SetCloseRequestSink([&] { ++closes; });
  SaveDataCur.Reset();
  for (int slot : {-1, 99, 5000}) EXPECT_EQ(SaveDataCur.SaveSlot(slot), 0) << slot;
  SetCloseRequestSink(nullptr);
  EXPECT_EQ(closes, 0);
  EXPECT_TRUE(fs::is_empty(game_.path() / "user_data" / "story"));
}

TEST_F(SaveSlotsTest, ABrokenFileIsSetAsideBeforeASaveTakesItsPlace) {
  game_.Write(SlotFile(6), "not a save");
  SaveDataCur.Reset();
  ASSERT_EQ(SaveDataCur.SaveSlot(6), 1);
  EXPECT_EQ(game_.Read(SlotFile(6) + ".bad"), "not a save");
  cSaveData read;
  EXPECT_EQ(read.Load(SaveSlotFileName(6)), 1);
}

TEST_F(SaveSlotsTest, TheChallengeFileLoadsWithTheChallengeLivesOrNotAtAll) {
  SaveDataCur.Reset();
  SaveDataCur.m_nLives = 8;
  EXPECT_EQ(SaveDataCur.LoadChallenge(), 0);  // no file yet
  EXPECT_EQ(SaveDataCur.m_nLives, 8);
  game_.MakeFolder("user_data/challenge");
  SystemData.InfiniteLives[1] = 1;
  SaveDataCur.m_Challenge.assign(2, cData2Int{1, 300});
  ASSERT_EQ(SaveDataCur.SaveChallenge(), 1);
  SaveDataCur.Reset();
  ASSERT_EQ(SaveDataCur.LoadChallenge(), 1);
  EXPECT_EQ(SaveDataCur.m_nLives, kUnlimitedLives);
  EXPECT_EQ(SaveDataCur.m_Challenge[1].m_nSecond, 300);
}

}  // namespace
