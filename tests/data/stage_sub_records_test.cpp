#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "data/ed_background.h"
#include "data/stage_param.h"
#include "data_test_support.h"
#include "stage_fixture.h"

namespace {

using stagetest::ByteBuilder;

class StageSubRecordTest : public datatest::DataRecordTest {};

// Versions before 62 lack the visible flag and the self-scroll positions, versions before 61
// the scroll factors and self-scroll switches; the two values in their place are dropped, and
// the missing fields keep a new background's values.
TEST_F(StageSubRecordTest, OldBackgroundsReadWithTheLayoutOfTheirVersion) {
  struct Row {
    std::int32_t version;
    std::size_t fieldBytes;
    std::int32_t visible;
    double scrollX;
    std::int32_t selfScrollX;
    double positionX;
  };
  for (const Row& row :
       {Row{60, 4 * 3 + 4 * 2, 1, 0.1, 0, 0.0}, Row{61, 4 * 3 + 8 * 2 + 4 * 2 + 4 * 2, 1, 0.25, 1, 0.0},
        Row{62, 4 * 4 + 8 * 2 + 4 * 2 + 8 * 2, 0, 0.25, 1, 3.5}}) {
    ByteBuilder b;
    stagetest::PutBackground(b, row.version, 1, 0.25, "空.bmp");
    ASSERT_EQ(b.size(), 4 + row.fieldBytes + 4 + 4 + 7) << row.version;
    cEdBackground back;
    ASSERT_TRUE(ReadAt(back, b.bytes(), row.version)) << row.version;
    EXPECT_EQ(back.bVisible, row.visible) << row.version;
    EXPECT_EQ(back.bFill, 1) << row.version;
    EXPECT_EQ(back.nFillColor, 17) << row.version;
    EXPECT_EQ(back.nDrawKey, 4) << row.version;
    EXPECT_EQ(back.dScrollX, row.scrollX) << row.version;
    EXPECT_EQ(back.dScrollY, row.scrollX == 0.1 ? 0.1 : 0.5) << row.version;
    EXPECT_EQ(back.bSelfScrollX, row.selfScrollX) << row.version;
    EXPECT_EQ(back.dSelfScrollPosX, row.positionX) << row.version;
    EXPECT_EQ(back.strPicture, "空.bmp") << row.version;
    // Written back, it has the current layout.
    EXPECT_EQ(back.FieldCount(), 10u);
  }
}

TEST_F(StageSubRecordTest, BackgroundDoublesThatAreNotNumbersTakeTheirDefaults) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  ByteBuilder b;
  b.fields(10).i32(1).i32(0).i32(16).i32(0).f64(nan).f64(-inf).i32(0).i32(0).f64(inf).f64(nan).strings(1).str("");
  cEdBackground back;
  ASSERT_TRUE(ReadAt(back, b.bytes(), kRecordVersion));
  EXPECT_EQ(back.dScrollX, 0.1);
  EXPECT_EQ(back.dScrollY, 0.1);
  EXPECT_EQ(back.dSelfScrollPosX, 0.0);
  EXPECT_EQ(back.dSelfScrollPosY, 0.0);
}

// A range record before 125 holds the left switch and the margins; reading does not clear a
// record, so its other switches stay as they were.
TEST_F(StageSubRecordTest, ARangeBefore125KeepsTheSwitchesItHeld) {
  for (const std::int32_t version : {124, 125}) {
    ByteBuilder b;
    stagetest::PutRange(b, version, 2);
    cStageParam range;
    range.Set(0, 7, 7, 7, 0, 0, 0, 0);
    ASSERT_TRUE(ReadAt(range, b.bytes(), version));
    const std::int32_t expectRight = version >= 125 ? 0 : 7;
    const std::int32_t expectBottom = version >= 125 ? 1 : 7;
    EXPECT_EQ(range.bLeft, 1) << version;
    EXPECT_EQ(range.bRight, expectRight) << version;
    EXPECT_EQ(range.bBottom, expectBottom) << version;
    EXPECT_EQ(range.nMarginLeft, 2) << version;
    EXPECT_EQ(range.nMarginBottom, 5) << version;
  }
}

}  // namespace
