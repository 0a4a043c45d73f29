#pragma once

#include <string>

// What an edit control accepts of a change: the line limits of its binding applied to the
// text it now shows. Pure over its inputs, so the rules are tested and fuzzed apart from any
// window. Texts are CP932 with "\r\n" between lines; positions are byte offsets.
struct EditLimits {
  int charsPerLine = 0;     // 0 or less with maxLines 0 or less: no limits at all
  int maxLines = 0;
  bool countChars = false;  // a double-byte character counts as one, else bytes count
};

struct EditSelection {
  int start = 0;
  int end = 0;
};

struct EditChangeInput {
  std::string text;          // as the control shows it after the change
  EditSelection selection;   // the caret after the change
  std::string lastAccepted;  // the text before the change
  bool backspaceHeld = false;
  bool initialising = false;  // the first normalisation of a bound text: the caret stays
};

struct EditChangeResult {
  std::string text;
  EditSelection selection;
  bool restored = false;  // the change was refused: the last accepted text is back
};

EditChangeResult EditOnChange(const EditChangeInput& input, const EditLimits& limits);
