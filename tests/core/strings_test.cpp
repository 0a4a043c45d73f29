#include "core/strings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <new>
#include <string>
#include <typeinfo>
#include <utility>

#include "core/small_types.h"

namespace {

TEST(NumberText, PadsSignsAndBlanksLeadingZeros) {
  struct Case {
    int n;
    int minDigits;
    bool keepZeros;
    bool plusSign;
    const char* expected;
  };
  const Case cases[] = {
      {7, 3, false, false, "  7"},
      {7, 3, true, false, "007"},
      {-7, 3, false, false, "-  7"},  // the sign goes before the blanks
      {-7, 3, true, false, "-007"},
      {0, 0, false, false, "0"},
      {0, 3, false, false, "  0"},     // the last digit is never blanked
      {105, 5, false, false, "  105"},  // only leading zeros are blanked
      {123456, 2, false, false, "123456"},
      {42, -3, true, false, "42"},
      {5, 0, false, true, "+5"},
      {0, 2, true, true, "+00"},
      {-5, 2, true, true, "-05"},  // no plus in front of a negative value
      {INT_MAX, 0, false, true, "+2147483647"},
      {INT_MIN, 0, false, false, "-2147483648"},
      {INT_MIN, 12, true, false, "-002147483648"},
      {INT_MIN, 12, false, false, "-  2147483648"},
  };
  for (const Case& c : cases) {
    std::string out = "stale";
    NumberText(out, c.n, c.minDigits, c.keepZeros, c.plusSign);
    EXPECT_EQ(out, c.expected) << c.n << " min " << c.minDigits << " keep " << c.keepZeros << " plus " << c.plusSign;
  }
}

TEST(NumberText, AWildDigitCountStaysBounded) {
  std::string out;
  NumberText(out, -1, INT_MAX, true, false);
  ASSERT_EQ(out.size(), static_cast<std::size_t>(kNumberTextMaxDigits) + 1);
  EXPECT_EQ(out.front(), '-');
  EXPECT_EQ(out.back(), '1');
  EXPECT_EQ(out.find_first_not_of('0', 1), out.size() - 1);
}

TEST(DigitCount, CountsDigitsWithoutTheSign) {
  const std::pair<int, int> cases[] = {
      {0, 1},         {9, 1},          {-1, 1},         {10, 2},         {-10, 2},         {99, 2},
      {100, 3},       {999999999, 9},  {1000000000, 10}, {INT_MAX, 10},   {INT_MIN, 10},    {-999999999, 9},
  };
  for (const auto& [n, digits] : cases) EXPECT_EQ(DigitCount(n), digits) << n;
}

TEST(CompareByOp, OrderingOperatorsAreSigned) {
  // Rows: a, b; columns: ops 0 to 5 (==, !=, >=, <=, >, <).
  struct Case {
    int a;
    int b;
    bool expected[6];
  };
  const Case cases[] = {
      {3, 5, {false, true, false, true, false, true}},
      {5, 3, {false, true, true, false, true, false}},
      {4, 4, {true, false, true, true, false, false}},
      {-1, 1, {false, true, false, true, false, true}},
      {INT_MIN, INT_MAX, {false, true, false, true, false, true}},
  };
  for (const Case& c : cases) {
    for (int op = 0; op < 6; ++op) EXPECT_EQ(CompareByOp(c.a, c.b, op), c.expected[op]) << c.a << " op " << op << " " << c.b;
  }
}

TEST(CompareByOp, MultiplesIncludeZeroDivisorAndExtremeValues) {
  struct Case {
    int a;
    int b;
    bool divisible;  // op 6; op 7 is its negation except for b = 0, where both say "not"
  };
  const Case cases[] = {
      {9, 3, true},        {-9, 3, true},         {9, -3, true},      {10, 3, false},
      {0, 5, true},        {9, 0, true},          {INT_MIN, -1, true}, {INT_MIN, 1, true},
      {INT_MIN, 2, true},  {INT_MIN, 3, false},   {INT_MIN, INT_MIN, true}, {INT_MAX, INT_MIN, false},
      {INT_MAX, -1, true}, {INT_MAX, INT_MAX, true}, {-7, -7, true},  {1, INT_MIN, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareByOp(c.a, c.b, 6), c.divisible) << c.a << " % " << c.b;
    EXPECT_EQ(CompareByOp(c.a, c.b, 7), c.b != 0 && !c.divisible) << c.a << " % " << c.b;
  }
}

TEST(CompareByOp, UnknownOperatorsAreNeverTrue) {
  for (int op : {8, 9, 255, -1, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(CompareByOp(4, 4, op)) << op;
    EXPECT_FALSE(CompareByOp(0, 0, op)) << op;  // true for every known op but 1, 4, 5 and 7
  }
}

TEST(PercentOf, RoundsHalfAwayFromZeroWithoutOverflow) {
  struct Case {
    int a;
    int b;
    int expected;
  };
  const Case cases[] = {
      {3, 50, 2},           {-3, 50, -2},          {3, -50, -2},        {-3, -50, 2},
      {1, 49, 0},           {1, 50, 1},            {-1, 50, -1},        {-1, 49, 0},
      {0, INT_MIN, 0},      {200, 100, 200},       {999999, 5000, 49999950},  // product past 32 bits
      {-999999, 300, -2999997}, {INT_MAX, 100, INT_MAX}, {INT_MIN, 100, INT_MIN}, {INT_MAX, 1, 21474836},
      {INT_MIN, 1, -21474836},  {INT_MIN, -1, 21474836}, {INT_MAX, INT_MAX, INT_MAX},  // saturates
      {INT_MIN, INT_MAX, INT_MIN}, {INT_MIN, INT_MIN, INT_MAX}, {INT_MAX, 101, INT_MAX},
  };
  for (const Case& c : cases) EXPECT_EQ(PercentOf(c.a, c.b), c.expected) << c.a << " x " << c.b;
}

// Where a x b fits in 32 bits, the result is that of scaling the product by the double 0.01.
TEST(PercentOf, AgreesWithTheDoubleRuleWhereTheProductFits) {
  const auto doubleRule = [](int a, int b) {
    double value = static_cast<double>(a * b) * 0.01;
    value += value >= 0.0 ? 0.5 : -0.5;
    return static_cast<int>(value);
  };
  const int as[] = {0, 1, -1, 3, -3, 7, 49, 50, 51, 99, 101, -149, 150, 12345, -99999, 999999, 21474836, -21474836};
  for (int a : as) {
    for (int b = -1000; b <= 1000; ++b) {
      const long long product = static_cast<long long>(a) * b;
      if (product > INT_MAX || product < INT_MIN) continue;
      ASSERT_EQ(PercentOf(a, b), doubleRule(a, b)) << a << " x " << b;
    }
  }
  for (int product = -100000; product <= 100000; ++product) ASSERT_EQ(PercentOf(product, 1), doubleRule(product, 1)) << product;
}

TEST(StrMid, CutsTheWindowThatLiesInsideTheSource) {
  struct Case {
    int start;
    int length;
    const char* expected;
  };
  const Case cases[] = {
      {0, 6, "abcdef"},  {2, 2, "cd"},        {4, 10, "ef"},           {1, INT_MAX, "bcdef"},
      {0, 0, ""},        {6, 3, ""},          {7, 1, ""},              {INT_MAX, INT_MAX, ""},
      {-2, 4, "ab"},     {-6, 6, ""},         {-10, 4, ""},            {INT_MIN, INT_MAX, ""},
      {2, -1, "cdef"},   {-2, -1, "abcdef"},  {0, INT_MIN, "abcdef"},  {6, -1, ""},
  };
  for (const Case& c : cases) {
    std::string out = "stale";
    StrMid(out, "abcdef", c.start, c.length);
    EXPECT_EQ(out, c.expected) << "start " << c.start << " length " << c.length;
  }
}

TEST(StrMid, MayWriteOverItsOwnSource) {
  std::string text = "abcdef";
  StrMid(text, text, 1, 3);
  EXPECT_EQ(text, "bcd");
  StrMid(text, text, 5, 1);
  EXPECT_EQ(text, "");
}

TEST(StrSyncLength, CutsAtTheFirstNulAndKeepsLongTexts) {
  std::string text(8000, 'x');
  EXPECT_EQ(StrSyncLength(text), 8000u);
  EXPECT_EQ(text.size(), 8000u);

  text[6000] = '\0';
  text[7000] = '\0';
  EXPECT_EQ(StrSyncLength(text), 6000u);
  EXPECT_EQ(text, std::string(6000, 'x'));

  std::string written(16, '\0');
  std::memcpy(written.data(), "abc", 3);
  EXPECT_EQ(StrSyncLength(written), 3u);
  EXPECT_EQ(written, "abc");
}

TEST(CStr, IsNeverNull) {
  const std::string empty;
  ASSERT_NE(CStr(empty), nullptr);
  EXPECT_STREQ(CStr(empty), "");
  EXPECT_STREQ(CStr(std::string("ab")), "ab");
}

// "表" and "ソ" end in 0x5C, the backslash byte; "ｱ" is a single-byte half-width character.
TEST(StrCharCount, CountsDoubleByteCharactersOnceAndLineFeedsNever) {
  struct Case {
    const char* text;
    int expected;
  };
  const Case cases[] = {
      {"", 0},
      {"abc", 3},
      {"表\n", 1},
      {"表\\", 2},
      {"ソ表能", 3},
      {"a\nb\n\n", 2},
      {"ｱｲ", 2},
      {"\x81\x81\x81", 2},  // a lead byte that is also the next one's trail, then a lone lead byte
      {"\x95\x7F", 2},      // 0x7F is no trail byte
      {"\x95\n", 1},        // a lead byte before a line feed stands alone
      {"a\x95", 2},         // a lead byte just before the end
  };
  for (const Case& c : cases) EXPECT_EQ(StrCharCount(c.text), c.expected) << c.text;
  EXPECT_EQ(StrCharCount(nullptr), 0);
  EXPECT_EQ(StrCharCount(std::string("ab\0cd", 5)), 2);  // stops at the first NUL
  EXPECT_EQ(StrCharCount(std::string("表示")), 2);
}

TEST(IsDoubleByteChar, NeedsALeadAndAValidTrailByte) {
  EXPECT_TRUE(IsDoubleByteChar("表"));
  EXPECT_TRUE(IsDoubleByteChar("\x81\x40"));
  EXPECT_FALSE(IsDoubleByteChar("\x95"));  // the NUL is no trail byte
  EXPECT_FALSE(IsDoubleByteChar("\x95\x7F"));
  EXPECT_FALSE(IsDoubleByteChar("ab"));
  EXPECT_FALSE(IsDoubleByteChar("ｱｲ"));
  EXPECT_FALSE(IsDoubleByteChar(""));
  EXPECT_FALSE(IsDoubleByteChar(nullptr));
}

TEST(ClampInPlace, LowBoundIsTestedFirst) {
  struct Case {
    int value;
    int lo;
    int hi;
    int expected;
  };
  const Case cases[] = {
      {5, 0, 10, 5},   {-1, 0, 10, 0}, {11, 0, 10, 10},       {0, 0, 10, 0},
      {10, 0, 10, 10}, {-5, 10, 0, 10}, {20, 10, 0, 0},       {5, 10, 0, 10},
      {INT_MIN, INT_MIN, INT_MAX, INT_MIN}, {INT_MAX, -999999, 999999, 999999},
  };
  for (const Case& c : cases) {
    int value = c.value;
    EXPECT_EQ(ClampInPlace(&value, c.lo, c.hi), c.expected) << c.value << " in " << c.lo << ".." << c.hi;
    EXPECT_EQ(value, c.expected);
  }
}

TEST(RectD, TouchingEdgesAndCornersOverlap) {
  RectD a;
  a.x1 = 10.0;
  a.y1 = 10.0;
  struct Case {
    RectD b;
    bool overlaps;
  };
  const Case cases[] = {
      {{2.0, 2.0, 4.0, 4.0}, true},             // inside
      {{-5.0, -5.0, 20.0, 20.0}, true},         // around
      {{10.0, 0.0, 20.0, 10.0}, true},          // shares the right edge
      {{0.0, -10.0, 10.0, 0.0}, true},          // shares the top edge
      {{10.0, 10.0, 20.0, 20.0}, true},         // shares a corner
      {{10.5, 0.0, 20.0, 10.0}, false},         // right of it
      {{0.0, 10.000001, 10.0, 20.0}, false},    // below it
      {{-20.0, 0.0, -0.0001, 10.0}, false},     // left of it
      {{0.0, -20.0, 10.0, -0.0001}, false},     // above it
      {{5.0, 5.0, 5.0, 5.0}, true},             // a point inside
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RectD::Overlaps(a, c.b), c.overlaps) << c.b.x0 << "," << c.b.y0 << " " << c.b.x1 << "," << c.b.y1;
    EXPECT_EQ(RectD::Overlaps(c.b, a), c.overlaps);
  }
}

// Built over memory full of garbage, so a member the constructor leaves alone shows up.
template <typename T>
void ExpectBuiltAllZero() {
  alignas(T) unsigned char storage[sizeof(T)];
  std::memset(storage, 0xAB, sizeof storage);
  asm volatile("" : : "r"(storage) : "memory");  // keep the garbage from being optimised away
  T* value = new (storage) T;
  unsigned char bytes[sizeof(T)];
  std::memcpy(bytes, value, sizeof bytes);
  for (unsigned char byte : bytes) ASSERT_EQ(byte, 0) << typeid(T).name();
  value->~T();
}

TEST(SmallTypes, EveryMemberStartsAtZero) {
  ExpectBuiltAllZero<Int3>();
  ExpectBuiltAllZero<IntBox>();
  ExpectBuiltAllZero<RectD>();
  ExpectBuiltAllZero<Int16>();
  EXPECT_EQ(Int16().v[13], 0);
}

}  // namespace
