// Replay files: what a file holds and gives back, an old file without the progress, and files
// whose runs could not be played refused whole.
#include <gtest/gtest.h>

#include <string>

#include "core/record_file.h"
#include "core/record_version.h"
#include "data/save_data.h"
#include "data/stage_data.h"
#include "data/stage_fixture.h"
#include "input/input.h"
#include "input/replay.h"
#include "support/byte_builder.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ByteBuilder;
using testsupport::TempFolder;

// Five frames of the direction words 0 0 1 1 1 and the button words 0 2 2 2 0.
cReplay FiveFrames(std::int32_t seed) {
  cReplay replay;
  const std::uint16_t dirs[] = {0, 0, 1, 1, 1};
  const std::uint16_t buttons[] = {0, 2, 2, 2, 0};
  for (int f = 0; f < 5; ++f) {
    cInput input;
    input.m_wDir = dirs[f];
    input.m_wButton = buttons[f];
    replay.Record(input);
  }
  replay.m_nSeed = seed;
  return replay;
}

class ReplayFileTest : public testing::Test {
 protected:
  ReplayFileTest() { CurrentVersion = kRecordVersion; }
  std::string Path(const char* name) const { return (folder_.path() / name).string(); }
  TempFolder folder_;
};

TEST_F(ReplayFileTest, AFileGivesBackTheAttemptAsItBeganAndWritesBackTheSame) {
  cStageData stage;
  ASSERT_TRUE(ReadRecordBytes(stagetest::StageFile(stagetest::StageRecipe()), stage));
  ASSERT_EQ(stage.Charas.size(), 1u);
  stage.nTimeLimit = 100;  // changed during play
  cStageData start;
  start.AssignStartState(stage);
  start.nTimeLimit = 300;
  cSaveData progress;
  progress.m_nLives = 4;
  cReplay replay = FiveFrames(-77);
  ASSERT_EQ(replay.WriteFile(Path("a.rpl4_750"), stage, start, progress), 1);

  cReplay read;
  read.m_nDirPos = 3;
  cStageData readStage;
  cStageData readStart;
  readStart.Charas.push_back(cEdChara{});
  cSaveData readProgress;
  ASSERT_EQ(read.ReadFile(Path("a.rpl4_750"), readStage, readStart, readProgress), 1);
  EXPECT_EQ(read.m_nSeed, -77);
  EXPECT_EQ(read.m_Dirs, replay.m_Dirs);
  EXPECT_EQ(read.m_ButtonRuns, replay.m_ButtonRuns);
  EXPECT_EQ(read.m_nDirPos, 0);  // playback from the first frame
  EXPECT_EQ(readStage.nTimeLimit, 300);
  EXPECT_EQ(readStage.Charas.size(), 1u);
  EXPECT_EQ(readStart.nTimeLimit, 300);
  EXPECT_TRUE(readStart.Charas.empty());
  EXPECT_EQ(readProgress.m_nLives, 4);
  ASSERT_EQ(read.WriteFile(Path("b.rpl4_750"), readStage, readStart, readProgress), 1);
  EXPECT_EQ(folder_.Read("b.rpl4_750"), folder_.Read("a.rpl4_750"));

  cInput input;
  for (int f = 0; f < 5; ++f) EXPECT_EQ(read.Play(input), 0);
  EXPECT_EQ(read.Play(input), 1);
  EXPECT_EQ(cReplay().Play(input), 1);
}

// A replay record: the seed, then the streams as given.
std::string ReplayRecord(std::vector<std::uint16_t> dirs, std::vector<std::uint16_t> buttons,
                         std::vector<std::uint32_t> dirRuns, std::vector<std::uint32_t> buttonRuns) {
  ByteBuilder b;
  b.fields(1).i32(5).strings(0);
  b.list(static_cast<std::uint32_t>(dirs.size()));
  for (auto v : dirs) b.u16(v);
  b.list(static_cast<std::uint32_t>(buttons.size()));
  for (auto v : buttons) b.u16(v);
  b.list(static_cast<std::uint32_t>(dirRuns.size()));
  for (auto v : dirRuns) b.u32(v);
  b.list(static_cast<std::uint32_t>(buttonRuns.size()));
  for (auto v : buttonRuns) b.u32(v);
  return b.bytes();
}

TEST_F(ReplayFileTest, AVersion172FileHasNoProgressAndLeavesTheLiveOneAlone) {
  const std::string file = stagetest::StageFile(stagetest::StageRecipe().At(172)) + ReplayRecord({2}, {0}, {9}, {9});
  folder_.Write("old.rpl4_172", file);
  cReplay read;
  cStageData stage;
  cStageData start;
  cSaveData progress;
  progress.m_nLives = 11;
  progress.m_strStageKey = "mine.";
  ASSERT_EQ(read.ReadFile(Path("old.rpl4_172"), stage, start, progress), 1);
  EXPECT_EQ(read.m_DirRuns, cVector<std::uint32_t>{9});
  EXPECT_EQ(progress.m_nLives, 11);
  EXPECT_EQ(progress.m_strStageKey, "mine.");
}

TEST_F(ReplayFileTest, RunsThatCouldNotPlayRefuseTheWholeFile) {
  struct Case {
    const char* what;
    std::string record;
    bool reads;
  };
  const Case cases[] = {
      {"fine", ReplayRecord({1, 2}, {0}, {3, 4}, {7}), true},
      {"longest run", ReplayRecord({1}, {0}, {0x7FFFFFFFu}, {0x7FFFFFFFu}), true},
      {"a run of 0", ReplayRecord({1, 2}, {0}, {3, 0}, {3}), false},
      {"a run past 2^31 - 1", ReplayRecord({1}, {0}, {0x80000000u}, {1}), false},
      {"more runs than values", ReplayRecord({1}, {0}, {3, 4}, {7}), false},
      {"fewer button runs", ReplayRecord({1}, {0, 1}, {3}, {7}), false},
  };
  const std::string stage = stagetest::StageFile(stagetest::StageRecipe());
  cSaveData progress;
  const std::string progressBytes = RecordFileBytes(progress).substr(4);
  for (const Case& c : cases) {
    folder_.Write("r.rpl4_750", stage + c.record + progressBytes);
    cReplay read = FiveFrames(1);
    cStageData readStage;
    readStage.nTimeLimit = 12345;
    cStageData start;
    cSaveData readProgress;
    readProgress.m_nLives = 66;
    EXPECT_EQ(read.ReadFile(Path("r.rpl4_750"), readStage, start, readProgress), c.reads ? 1 : 0) << c.what;
    if (!c.reads) {
      // Nothing is taken from a file that does not read whole.
      EXPECT_EQ(read.m_Dirs, FiveFrames(1).m_Dirs) << c.what;
      EXPECT_EQ(readStage.nTimeLimit, 12345) << c.what;
      EXPECT_EQ(readProgress.m_nLives, 66) << c.what;
    }
  }
  cReplay none;
  cStageData s;
  EXPECT_EQ(none.ReadFile(Path("missing.rpl4_750"), s, s, progress), 0);
  EXPECT_EQ(none.WriteFile(Path("no/such/folder/x.rpl4_750"), s, s, progress), 0);
}

}  // namespace
