// Status arithmetic at 32, 16 and 8 bits, and the comparisons of status conditions.
#include <gtest/gtest.h>

#include <climits>

#include "data/ed_condition.h"
#include "flow/status_arith.h"

namespace {

TEST(StatusArithTest, OperationsWorkAtTheirWidthAndClampToTheRange) {
  struct Case {
    const char* name;
    int width;
    std::int32_t field, a;
    int op;
    std::int32_t low, high, expected;
  };
  const Case cases[] = {
      {"=", 32, 5, 7, 0, -999999, 999999, 7},
      {"+ clamps", 32, 999990, 20, 1, -999999, 999999, 999999},
      {"- clamps", 32, -999990, 20, 2, -999999, 999999, -999999},
      {"+ wraps at the width before the clamp", 32, INT_MAX, 1, 1, INT_MIN, INT_MAX, INT_MIN},
      {"* of 500000 by 10000", 32, 500000, 10000, 3, -999999, 999999, 999999},
      {"* of -500000 by 10000", 32, -500000, 10000, 3, -999999, 999999, -999999},
      {"* whose overflow keeps the sign", 32, 999999, 4295, 3, -999999, 999999, 999999},
      {"* of two negatives", 32, -3, -4, 3, -999999, 999999, 12},
      {"/ truncates", 32, -7, 2, 4, -999999, 999999, -3},
      {"/ by 0 changes nothing", 32, 9, 0, 4, -999999, 999999, 9},
      {"% by 0 changes nothing", 32, 9, 0, 5, -999999, 999999, 9},
      {"% keeps the field's sign", 32, -7, 3, 5, -999999, 999999, -1},
      {"INT_MIN / -1", 32, INT_MIN, -1, 4, INT_MIN, INT_MAX, INT_MIN},
      {"INT_MIN % -1", 32, INT_MIN, -1, 5, INT_MIN, INT_MAX, 0},
      {"percent rounds half away from zero", 32, 5, 50, 6, -999999, 999999, 3},
      {"percent of a negative", 32, -5, 50, 6, -999999, 999999, -3},
      {"unknown operation only clamps", 32, 1500, 1, 9, 0, 999, 999},
      {"16 bits: the operand is cut", 16, 0, 65536 + 7, 0, -32768, 32767, 7},
      {"16 bits: * overflows to the range's end", 16, 200, 200, 3, 0, 200, 200},
      {"8 bits: + wraps", 8, 127, 1, 1, -128, 127, -128},
      {"8 bits: Z clamped", 8, 5, 9, 0, 0, 7, 7},
      {"8 bits: the operand's low byte", 8, 0, 258, 0, 0, 99, 2},
  };
  for (const Case& c : cases) {
    std::int32_t got = 0;
    if (c.width == 32) {
      std::int32_t f = c.field;
      ApplyStatusOp32(f, c.a, c.op, c.low, c.high);
      got = f;
    } else if (c.width == 16) {
      std::int16_t f = static_cast<std::int16_t>(c.field);
      ApplyStatusOp16(f, c.a, c.op, c.low, c.high);
      got = f;
    } else {
      std::int8_t f = static_cast<std::int8_t>(c.field);
      ApplyStatusOp8(f, c.a, c.op, c.low, c.high);
      got = f;
    }
    EXPECT_EQ(got, c.expected) << c.name;
  }
}

TEST(StatusArithTest, ComparisonsCutToTheirWidthAndTakePercentagesOfTheMaximum) {
  EXPECT_TRUE(CompareByOp8(2, 258, 0));  // 258 compares as 2
  EXPECT_FALSE(CompareByOp16(2, 258, 0));
  EXPECT_TRUE(CompareByOp16(-1, 65535, 0));
  EXPECT_EQ(PercentOf8(100, 200), -56);  // 200 is -56 at 8 bits
  EXPECT_EQ(PercentOf16(300, 50), 150);
  cEdCondition c;
  c.nOp = 2;  // >=
  c.nValue = 50;
  c.nPercent = 1;
  EXPECT_TRUE(CompareStatus32(40, 80, c, 0, 999999));   // 50 % of 80 is 40
  EXPECT_FALSE(CompareStatus32(39, 80, c, 0, 999999));
  c.nValue = 500;
  EXPECT_TRUE(CompareStatus32(100, 80, c, 0, 100));  // 400 clamped to 100
  c.nPercent = 0;
  c.nValue = 258;
  c.nOp = 0;
  EXPECT_TRUE(CompareStatus8(2, 0, c, 0, 20));
}

}  // namespace
