#include "input/dialogs/edit_change.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
  const char* what;
  EditLimits limits;
  std::string last;
  std::string text;
  EditSelection selection;
  bool backspace;
  std::string expected;
  EditSelection expectedSelection;
  bool restored;
};

TEST(EditOnChange, Table) {
  const EditLimits name{3, 1, true};
  const EditLimits bytes3{3, 1, false};
  const EditLimits block{10, 3, true};
  const Case cases[] = {
      {"third character fits", name, "ab", "abc", {3, 3}, false, "abc", {3, 3}, false},
      {"fourth ASCII refused", name, "abc", "abcd", {4, 4}, false, "abc", {3, 3}, true},
      {"fourth kanji refused", name, "あいう", "あいうえ", {8, 8}, false, "あいう", {6, 6}, true},
      {"fourth half-width kana refused", name, "aあｱ", "aあｱb", {5, 5}, false, "aあｱ", {4, 4}, true},
      {"three kanji fit by characters", name, "あい", "あいう", {6, 6}, false, "あいう", {6, 6}, false},
      {"three kanji are six bytes", bytes3, "", "あい", {4, 4}, false, "", {0, 0}, true},
      {"pasted five keep the empty field", name, "", "abcde", {5, 5}, false, "", {0, 0}, true},
      {"eleventh character wraps", block, "aaaaaaaaaa", "aaaaaaaaaab", {11, 11}, false, "aaaaaaaaaa\r\nb", {13, 13}, false},
      {"overflow joins the next line", block, "aaaaaaaaaa\r\nxy", "aaaaaaaaaab\r\nxy", {11, 11}, false,
       "aaaaaaaaaa\r\nbxy", {13, 13}, false},
      {"a fourth line is refused", block, "a\r\nb\r\nc", "a\r\nb\r\nc\r\n", {11, 11}, false, "a\r\nb\r\nc", {7, 7}, true},
      {"backspace joining a full line refused", block, "aaaaaaaaaa\r\nb", "aaaaaaaaaab", {10, 10}, true,
       "aaaaaaaaaa\r\nb", {10, 10}, true},
      {"backspace joining a short line", block, "aaa\r\nb", "aaab", {3, 3}, true, "aaab", {3, 3}, false},
      {"no limits take anything", EditLimits{0, 0, true}, "", std::string(5000, 'x'), {1, 1}, false,
       std::string(5000, 'x'), {1, 1}, false},
      {"selection past the text is clamped", name, "", "ab", {9, 40}, false, "ab", {2, 2}, false},
  };
  for (const Case& c : cases) {
    EditChangeInput input{c.text, c.selection, c.last, c.backspace, false};
    const EditChangeResult result = EditOnChange(input, c.limits);
    EXPECT_EQ(result.text, c.expected) << c.what;
    EXPECT_EQ(result.selection.start, c.expectedSelection.start) << c.what;
    EXPECT_EQ(result.selection.end, c.expectedSelection.end) << c.what;
    EXPECT_EQ(result.restored, c.restored) << c.what;
  }
}

TEST(EditOnChange, InitialisingCutsAnOverlongBoundText) {
  const EditChangeResult result = EditOnChange(EditChangeInput{"あいうえお", {0, 0}, "あいうえお", false, true},
                                               EditLimits{3, 1, true});
  EXPECT_EQ(result.text, "あいう");
  // A text that fits stays as it is.
  EXPECT_EQ(EditOnChange(EditChangeInput{"ab", {0, 0}, "ab", false, true}, EditLimits{3, 1, true}).text, "ab");
}

TEST(EditOnChange, CaretNeverSplitsALineBreak) {
  const EditChangeResult result =
      EditOnChange(EditChangeInput{"ab\r\ncd", {3, 3}, "ab\r\nc", false, false}, EditLimits{10, 3, false});
  EXPECT_EQ(result.selection.end, 4);
}

}  // namespace
