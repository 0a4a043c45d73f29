#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/host_path.h"
#include "core/path_helpers.h"
#include "core/record_writer.h"
#include "data/common_palette.h"
#include "data/data_read_context.h"
#include "data/database.h"
#include "data/project_paths.h"
#include "data/stage_data.h"
#include "data/world_map.h"
#include "sample_game_fixture.h"

namespace {

using sampletest::GameFolderTest;
using testsupport::ReadFileBytes;

std::string StageBytes(cStageData& stage) {
  RecordWriter out;
  out.WriteI32(CurrentVersion);
  stage.Write(out);
  return out.Bytes();
}

class SampleStagesTest : public GameFolderTest {};

// The three stages, found the way the world map and the stage list find them (the newest
// numbered file), read with the common palette in place, hold a hero and write back
// unchanged.
TEST_F(SampleStagesTest, StagesOfTheMapAndTheChallengeListLoadWithAHero) {
  ASSERT_EQ(Database.Load(), 1);
  Database.FillReadContext(ProjectDataContext());
  ASSERT_EQ(LoadCommonPalette(), 1);
  cWorldMap map;
  ASSERT_EQ(map.Load(ProjectPaths[kPathWorldMap]), 1);

  std::vector<std::string> stages;
  for (cMapPoint& point : map.Points) {
    for (cMapEvent& event : point.Events) {
      if (event.nKind == 0) stages.push_back(event.strStageFile);
    }
  }
  for (const char* number : {"01", "02"}) {
    stages.push_back(std::string(ProjectPaths[kPathChallengeStagePrefix]) + number + "-1.stg4");  // the challenges
  }
  ASSERT_EQ(stages.size(), 5u);

  for (const std::string& name : stages) {
    std::string file;
    ASSERT_EQ(FindLastNumberedFile(file, name, ProjectExts[kExtStage]), 1) << name;
    ASSERT_EQ(StageCur.Load(file), 1) << file;
    EXPECT_TRUE(StageCur.HasHero()) << file;
    EXPECT_EQ(StageBytes(StageCur), ReadFileBytes(HostPathForRead(file))) << file;
    const std::string bytes = ReadFileBytes(HostPathForRead(file));
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\x15\xCD\x5B\x07", 4)) << file << ": no trailer";
  }
}

}  // namespace
