// A replay buffer: each word kept as runs, played back frame by frame as it was recorded.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "input/input.h"
#include "input/replay.h"

namespace {

TEST(ReplayTest, RunsOfEachWordPlayBackAsRecordedAndThenTheBufferIsExhausted) {
  const std::vector<std::pair<std::uint16_t, std::uint16_t>> words = {{0, 0}, {0, 2}, {1, 2}, {1, 2}, {1, 0}};
  cReplay replay;
  cInput input;
  for (const auto& [dir, button] : words) {
    input.m_wDir = dir;
    input.m_wButton = button;
    replay.Record(input);
  }
  EXPECT_EQ(replay.m_Dirs, (cVector<std::uint16_t>{0, 1}));
  EXPECT_EQ(replay.m_DirRuns, (cVector<std::uint32_t>{2, 3}));
  EXPECT_EQ(replay.m_Buttons, (cVector<std::uint16_t>{0, 2, 0}));
  EXPECT_EQ(replay.m_ButtonRuns, (cVector<std::uint32_t>{1, 3, 1}));
  for (const auto& [dir, button] : words) {
    input.m_wDir = input.m_wButton = 0xFFFF;
    ASSERT_EQ(replay.Play(input), 0);
    EXPECT_EQ(input.m_wDir, dir);
    EXPECT_EQ(input.m_wButton, button);
  }
  input.m_wDir = 7;
  EXPECT_EQ(replay.Play(input), 1);
  EXPECT_EQ(input.m_wDir, 7);  // nothing written
  replay.Rewind();
  EXPECT_EQ(replay.Play(input), 0);
  EXPECT_EQ(input.m_wDir, 0);

  cReplay empty;
  EXPECT_EQ(empty.Play(input), 1);
}

TEST(ReplayTest, AssignmentCopiesTheRecordingButNotWhereThePlaybackStands) {
  cReplay source;
  cInput input;
  for (std::uint16_t dir : {1, 2, 3}) {
    input.m_wDir = dir;
    source.Record(input);
  }
  source.m_nSeed = 77;
  cReplay target;
  target.m_nDirPos = 2;
  target.m_nDirFrame = 1;
  target = source;
  EXPECT_EQ(target.m_Dirs, source.m_Dirs);
  EXPECT_EQ(target.m_nSeed, 77);
  EXPECT_EQ(target.m_nDirPos, 2);
  EXPECT_EQ(target.m_nDirFrame, 1);
  target.Clear();
  EXPECT_TRUE(target.m_Dirs.empty());
  EXPECT_EQ(target.m_nSeed, 0);
  EXPECT_EQ(target.m_nDirPos, 0);
}

}  // namespace
