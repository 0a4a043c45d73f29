#include "core/checked_sequence.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "core/close_request.h"
#include "core/report_log.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempFolder;

class CheckedSequenceTest : public testing::Test {
 protected:
  void SetUp() override {
    logPath_ = (folder_.path() / "Report_Game.txt").string();
    ASSERT_TRUE(LogInit(logPath_));
    SetCloseRequestSink([this] { ++closeRequests_; });
  }
  void TearDown() override {
    SetCloseRequestSink(nullptr);
    ErrLogInit(false, "EC_Game.txt");
    LogInit("/dev/null");
  }

  // Lines written since the last call.
  std::vector<std::string> NewLogLines() {
    const std::string text = ReadFileBytes(logPath_);
    std::vector<std::string> lines;
    std::istringstream in(text.substr(consumed_));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    consumed_ = text.size();
    return lines;
  }

  using Lines = std::vector<std::string>;

  TempFolder folder_;
  std::string logPath_;
  std::size_t consumed_ = 0;
  int closeRequests_ = 0;
};

struct TwelveBytes {
  std::int32_t a, b, c;
};

TEST_F(CheckedSequenceTest, VectorBadIndexLogsClosesAndFallsBackOnElementZero) {
  cVector<int> values{10, 20, 30};
  const cVector<int>& constValues = values;
  EXPECT_EQ(values[0], 10);
  EXPECT_EQ(values[2], 30);
  EXPECT_EQ(constValues[2], 30);
  EXPECT_TRUE(NewLogLines().empty());
  EXPECT_EQ(closeRequests_, 0);

  struct Case {
    int index;
    const char* line;
  };
  const Case cases[] = {
      {-1, "err V[-1] ( 3 , 4 )"},
      {3, "err V[3] ( 3 , 4 )"},
      {INT_MIN, "err V[-2147483648] ( 3 , 4 )"},
      {INT_MAX, "err V[2147483647] ( 3 , 4 )"},
  };
  int expectedCloses = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(&values[c.index], &values.front()) << c.index;
    EXPECT_EQ(NewLogLines(), Lines{c.line});
    EXPECT_EQ(closeRequests_, ++expectedCloses);
    EXPECT_EQ(&constValues[c.index], &values.front()) << c.index;
    EXPECT_EQ(NewLogLines(), Lines{c.line});
    EXPECT_EQ(closeRequests_, ++expectedCloses);
  }

  // The caller goes on with element 0: a write through a bad index lands there.
  values[7] = 99;
  EXPECT_EQ(values, (std::vector<int>{99, 20, 30}));

  cVector<TwelveBytes> records(2);
  records[2].a = 5;
  EXPECT_EQ(records[0].a, 5);
  EXPECT_EQ(NewLogLines(), (Lines{"err V[7] ( 3 , 4 )", "err V[2] ( 2 , 12 )"}));
}

TEST_F(CheckedSequenceTest, EmptyVectorFallsBackOnTheTypesDefaultElement) {
  struct Probe {
    int number;
    double amount;
    std::string name;
  };
  cVector<Probe> empty;
  Probe& first = empty[0];
  EXPECT_EQ(&first, &SequenceDefaultElement<Probe>());
  EXPECT_EQ(first.number, 0);
  EXPECT_EQ(first.amount, 0.0);
  EXPECT_EQ(first.name, "");
  EXPECT_TRUE(empty.empty());

  const cVector<Probe>& constEmpty = empty;
  EXPECT_EQ(&constEmpty[-1], &SequenceDefaultElement<Probe>());
  EXPECT_EQ(closeRequests_, 2);
  const std::string size = std::to_string(sizeof(Probe));
  EXPECT_EQ(NewLogLines(), (Lines{"err V[0] ( 0 , " + size + " )", "err V[-1] ( 0 , " + size + " )"}));
}

TEST_F(CheckedSequenceTest, ListWalksToEveryIndexFromEitherEnd) {
  for (int size = 1; size <= 7; ++size) {
    cList<int> list;
    for (int i = 0; i < size; ++i) list.push_back(i * 10);
    const cList<int>& constList = list;
    for (int i = 0; i < size; ++i) {
      EXPECT_EQ(list[i], i * 10) << "size " << size;
      EXPECT_EQ(constList[i], i * 10) << "size " << size;
      EXPECT_EQ(*list.NodeAt(i), i * 10) << "size " << size;
    }
  }
  EXPECT_EQ(closeRequests_, 0);
  EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(CheckedSequenceTest, ListBadIndexYieldsTheDefaultElementThatKeepsWrites) {
  struct Cell {
    int a;
    int b;
  };
  cList<Cell> cells(3);
  Cell& fallback = cells[-1];
  EXPECT_EQ(&fallback, &SequenceDefaultElement<Cell>());
  EXPECT_EQ(fallback.a, 0);
  EXPECT_EQ(fallback.b, 0);
  fallback.a = 7;

  // The next failed access of the same element type, from any list, sees the written value.
  cList<Cell> other;
  EXPECT_EQ(other[0].a, 7);
  const cList<Cell>& constCells = cells;
  EXPECT_EQ(constCells[3].a, 7);
  EXPECT_EQ(cells[2].a, 0);  // the list's own elements are untouched

  EXPECT_EQ(closeRequests_, 3);
  EXPECT_EQ(NewLogLines(), (Lines{"err L[-1] ( 3 , 8 )", "err L[0] ( 0 , 8 )", "err L[3] ( 3 , 8 )"}));
}

TEST_F(CheckedSequenceTest, BadIndexLineGoesToTheErrorLogWhenItIsOn) {
  const std::string errorPath = (folder_.path() / "EC_Game.txt").string();
  ErrLogInit(true, errorPath);
  cList<std::int16_t> list{1, 2};
  cVector<char> text{'a'};
  list[2] = 5;
  text[-3] = 'b';
  EXPECT_EQ(ReadFileBytes(errorPath), "err L[2] ( 2 , 2 )\nerr V[-3] ( 1 , 1 )\n");
  EXPECT_EQ(NewLogLines(), (Lines{"err L[2] ( 2 , 2 )", "err V[-3] ( 1 , 1 )"}));
  EXPECT_EQ(text[0], 'b');
  EXPECT_EQ(closeRequests_, 2);
}

struct Actor {
  int id = 0;
};
struct Hero : Actor {};

TEST_F(CheckedSequenceTest, PointerVectorKeepsMembersUniqueAndRemovesEveryCopy) {
  Actor a, b, c;
  Hero hero;
  cVector<Actor*> group;
  EXPECT_TRUE(group.AddUnique(&a));
  EXPECT_TRUE(group.AddUnique(&b));
  EXPECT_FALSE(group.AddUnique(&a));
  EXPECT_TRUE(group.AddUnique(&hero));
  EXPECT_EQ(group, (std::vector<Actor*>{&a, &b, &hero}));
  EXPECT_TRUE(group.Contains(&hero));
  EXPECT_FALSE(group.Contains(&c));
  EXPECT_FALSE(group.Contains(nullptr));

  group.push_back(&a);
  group.push_back(&c);
  // The argument is one of the elements the removal shifts.
  EXPECT_TRUE(group.RemoveValue(group[0]));
  EXPECT_EQ(group, (std::vector<Actor*>{&b, &hero, &c}));
  EXPECT_FALSE(group.RemoveValue(&a));
  EXPECT_EQ(group.size(), 3u);

  cVector<Actor*> empty;
  EXPECT_FALSE(empty.RemoveValue(&a));
  EXPECT_FALSE(empty.Contains(&a));
  EXPECT_EQ(closeRequests_, 0);
}

TEST_F(CheckedSequenceTest, VectorBehavesAsAStandardVector) {
  cVector<int> numbers = std::vector<int>{1, 2, 3};
  numbers.Fill(-4);
  EXPECT_EQ(numbers, (std::vector<int>{-4, -4, -4}));
  cVector<char> bytes(5);
  bytes.Fill('x');
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "xxxxx");

  cVector<int> copy = numbers;
  copy.resize(4);
  copy[static_cast<std::size_t>(3)] = 8;
  EXPECT_EQ(copy, (std::vector<int>{-4, -4, -4, 8}));
  cVector<cVector<int>> nested(2, copy);
  nested[1][3] = 9;
  EXPECT_EQ(nested[0][3], 8);
  EXPECT_EQ(nested[1][3], 9);
  EXPECT_EQ(closeRequests_, 0);
}

TEST_F(CheckedSequenceTest, ListInsertAtPlacesBeforeTheIndexOrAtTheEnds) {
  struct Case {
    int index;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {0, {9, 1, 2, 3}},  {1, {1, 9, 2, 3}}, {2, {1, 2, 9, 3}}, {3, {1, 2, 3, 9}},
      {4, {1, 2, 3, 9}},  {INT_MAX, {1, 2, 3, 9}}, {-1, {9, 1, 2, 3}}, {INT_MIN, {9, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    cList<int> list{1, 2, 3};
    list.InsertAt(c.index, 9);
    EXPECT_EQ(std::vector<int>(list.begin(), list.end()), c.expected) << c.index;
  }
  cList<int> empty;
  empty.InsertAt(5, 1);
  empty.InsertAt(0, 0);
  EXPECT_EQ(std::vector<int>(empty.begin(), empty.end()), (std::vector<int>{0, 1}));
  EXPECT_EQ(closeRequests_, 0);
}

TEST_F(CheckedSequenceTest, ListEraseAtReturnsThePositionAfterIt) {
  struct Case {
    int index;
    std::vector<int> expected;
    int next;  // value at the returned position; -1 for the end
  };
  const Case cases[] = {
      {0, {2, 3}, 2}, {1, {1, 3}, 3}, {2, {1, 2}, -1}, {3, {1, 2, 3}, -1}, {-1, {1, 2, 3}, -1}, {INT_MAX, {1, 2, 3}, -1},
  };
  for (const Case& c : cases) {
    cList<int> list{1, 2, 3};
    const auto next = list.EraseAt(c.index);
    EXPECT_EQ(std::vector<int>(list.begin(), list.end()), c.expected) << c.index;
    EXPECT_EQ(next == list.end() ? -1 : *next, c.next) << c.index;
  }
  cList<int> empty;
  EXPECT_EQ(empty.EraseAt(0), empty.end());
  EXPECT_EQ(empty.NodeAt(0), empty.end());
  EXPECT_EQ(closeRequests_, 0);
}

TEST_F(CheckedSequenceTest, PointerListRemovesOnlyTheFirstMatchAndLeavesTheObject) {
  Actor a, b, c;
  a.id = 1;
  cList<Actor*> group{&a, &b, &a};
  auto next = group.RemoveValue(&a);
  ASSERT_NE(next, group.end());
  EXPECT_EQ(*next, &b);
  EXPECT_EQ(std::vector<Actor*>(group.begin(), group.end()), (std::vector<Actor*>{&b, &a}));
  EXPECT_EQ(a.id, 1);

  next = group.RemoveValue(&a);
  EXPECT_EQ(next, group.end());
  EXPECT_EQ(group.RemoveValue(&c), group.end());
  EXPECT_EQ(std::vector<Actor*>(group.begin(), group.end()), (std::vector<Actor*>{&b}));
  EXPECT_EQ(closeRequests_, 0);
}

}  // namespace
