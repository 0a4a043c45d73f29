#include <gtest/gtest.h>

#include <string>

#include "app/system_ini_keys.h"
#include "core/host_path.h"
#include "core/record_file.h"
#include "core/record_writer.h"
#include "core/system_ini.h"
#include "data/common_palette.h"
#include "data/data_read_context.h"
#include "data/database.h"
#include "data/project_paths.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "sample_game_fixture.h"

namespace {

using sampletest::GameFolderTest;
using testsupport::ReadFileBytes;

// The bytes a record file holds: the version header, then the record as it writes itself.
template <typename T>
std::string RecordBytes(T& record) {
  RecordWriter out;
  out.WriteI32(CurrentVersion);
  record.Write(out);
  return out.Bytes();
}

template <typename T>
std::string ListBytes(cVector<T>& list) {
  RecordWriter out;
  out.WriteI32(CurrentVersion);
  WriteRecordList(list, out);
  return out.Bytes();
}

std::string FileBytes(const char* gamePath) { return ReadFileBytes(HostPathForRead(gamePath)); }

class SampleRecordsTest : public GameFolderTest {};

// Every record file of the game, read as start-up reads it, writes back to the very bytes it
// was read from: no reader fix-up or normalisation changed any value.
TEST_F(SampleRecordsTest, StartUpRecordsReadAndWriteBackUnchanged) {
  ASSERT_EQ(Database.Load(), 1);
  Database.FillReadContext(ProjectDataContext());
  const struct {
    int row;
    std::string (*bytes)();
  } lists[] = {
      {kPathAnimeSetDb, [] { return ListBytes(Database.AnimeSets); }},
      {kPathAnimeDb, [] { return ListBytes(Database.Animes); }},
      {kPathBmpCharaExcDb, [] { return ListBytes(Database.CharaBitmaps); }},
      {kPathSwordTypeDb, [] { return ListBytes(Database.SwordTypes); }},
      {kPathEffectDb, [] { return ListBytes(Database.Effects); }},
      {kPathCharaEffectDb, [] { return ListBytes(Database.CharaEffects); }},
      {kPathScrEffectDb, [] { return ListBytes(Database.ScrEffects); }},
      {kPathPictureDb, [] { return ListBytes(Database.Pictures); }},
      {kPathSoundDb, [] { return ListBytes(Database.Sounds); }},
      {kPathBgmDb, [] { return ListBytes(Database.Bgms); }},
  };
  for (const auto& list : lists) EXPECT_EQ(list.bytes(), FileBytes(ProjectPaths[list.row])) << ProjectPaths[list.row];

  cSystemData system;
  ASSERT_EQ(system.Load(ProjectPaths[kPathSystemData]), 1);
  EXPECT_EQ(RecordBytes(system), FileBytes(ProjectPaths[kPathSystemData]));
  EXPECT_EQ(system.strTitle, "Kestrel Quest");

  cWorldMap map;
  ASSERT_EQ(map.Load(ProjectPaths[kPathWorldMap]), 1);
  EXPECT_EQ(RecordBytes(map), FileBytes(ProjectPaths[kPathWorldMap]));

  ASSERT_EQ(LoadCommonPalette(), 1);
  EXPECT_EQ(RecordBytes(CommonPalette), FileBytes(ProjectPaths[kPathCommonPalette]));
}

TEST_F(SampleRecordsTest, SystemIniReadsToItsEndWithAWindowedStartThatAsksTheBackend) {
  cSystemData system;
  ASSERT_EQ(system.Load(ProjectPaths[kPathSystemData]), 1);
  cSystemIni settings;
  const SystemIniKeys keys = SystemIniKeyRows(system.IniKeys);
  SetSystemIniDefaults(settings, keys);
  ASSERT_EQ(LoadSystemIni("System.ini", settings, keys), 1);
  EXPECT_EQ(settings.Direct3D, 2);
  EXPECT_EQ(settings.WindowMode, 1);
  EXPECT_EQ(settings.VSync, 2);
  EXPECT_EQ(settings.ShowFps, 0);
  EXPECT_TRUE(settings.FreeStage.empty());
}

}  // namespace
