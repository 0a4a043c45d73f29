#include "input/dialogs/edit_change.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/sjis.h"

namespace {

constexpr std::string_view kBreak = "\r\n";

int Length(std::string_view text, bool countChars) {
  if (!countChars) return static_cast<int>(text.size());
  int count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += SjisCharWidth(text, pos)) ++count;
  return count;
}

// Byte offset of the start of the last character of `text`.
std::size_t LastCharStart(std::string_view text) {
  std::size_t pos = 0, last = 0;
  while (pos < text.size()) {
    last = pos;
    pos += SjisCharWidth(text, pos);
  }
  return last;
}

// Cuts whole characters from the end until the text fits `limit`; at most `maxCuts` cuts.
std::size_t FittingLength(std::string_view text, int limit, bool countChars) {
  const int maxCuts = countChars ? 2 * limit : limit;
  std::string_view kept = text;
  for (int cut = 0; cut < std::max(maxCuts, 0) + static_cast<int>(text.size()) && Length(kept, countChars) > limit;
       ++cut) {
    kept = kept.substr(0, LastCharStart(kept));
  }
  return kept.size();
}

int LineCount(std::string_view text) {
  int lines = 1;
  for (std::size_t pos = text.find(kBreak); pos != std::string_view::npos; pos = text.find(kBreak, pos + 2)) ++lines;
  return lines;
}

// Start of the line `index` (0-based), or npos when the text has fewer lines.
std::size_t LineStart(std::string_view text, int index) {
  std::size_t pos = 0;
  for (int i = 0; i < index; ++i) {
    pos = text.find(kBreak, pos);
    if (pos == std::string_view::npos) return pos;
    pos += 2;
  }
  return pos;
}

void ShiftAfter(EditSelection& selection, int at, int by, bool atToo) {
  for (int* end : {&selection.start, &selection.end}) {
    if (*end > at || (atToo && *end == at)) *end += by;
  }
}

void FixSelection(EditSelection& selection, const std::string& text) {
  const int size = static_cast<int>(text.size());
  for (int* end : {&selection.start, &selection.end}) {
    *end = std::clamp(*end, 0, size);
  }
  // A caret between "\r" and "\n" would split the break.
  if (selection.end > 0 && selection.end < size && text[selection.end - 1] == '\r' && text[selection.end] == '\n') {
    ++selection.end;
  }
  selection.start = std::min(selection.start, size);
}

EditChangeResult Accept(std::string text, EditSelection selection, bool restored) {
  FixSelection(selection, text);
  return EditChangeResult{std::move(text), selection, restored};
}

// Backspace at the start of a line joins it to the one above: refused when that line is full.
bool JoinOverflows(const EditChangeInput& input, const EditLimits& limits) {
  const EditSelection& sel = input.selection;
  if (!input.backspaceHeld || sel.start != sel.end) return false;
  if (input.text.size() + 2 != input.lastAccepted.size()) return false;
  if (LineCount(input.text) != LineCount(input.lastAccepted) - 1) return false;
  const std::string_view before = std::string_view(input.lastAccepted).substr(
      0, std::min<std::size_t>(static_cast<std::size_t>(std::max(sel.start, 0)), input.lastAccepted.size()));
  const std::size_t lineBreak = before.rfind(kBreak);
  const std::string_view line = lineBreak == std::string_view::npos ? before : before.substr(lineBreak + 2);
  return Length(line, limits.countChars) >= limits.charsPerLine;
}

}  // namespace

EditChangeResult EditOnChange(const EditChangeInput& input, const EditLimits& limits) {
  if (limits.charsPerLine <= 0 && limits.maxLines <= 0) return Accept(input.text, input.selection, false);
  if (JoinOverflows(input, limits)) return Accept(input.lastAccepted, input.selection, true);

  std::string text = input.text;
  EditSelection selection = input.selection;
  for (int line = 0; line < limits.maxLines; ++line) {
    const std::size_t start = LineStart(text, line);
    if (start == std::string::npos) break;
    std::size_t end = text.find(kBreak, start);
    const bool hadBreak = end != std::string::npos;
    if (!hadBreak) end = text.size();
    const std::string_view body = std::string_view(text).substr(start, end - start);
    if (Length(body, limits.countChars) <= limits.charsPerLine) continue;
    const std::size_t cutAt = start + FittingLength(body, limits.charsPerLine, limits.countChars);
    // The cut-off part opens the next line, joined to what that line held.
    if (hadBreak) {
      text.erase(end, 2);
      ShiftAfter(selection, static_cast<int>(end) + 1, -2, false);
    }
    text.insert(cutAt, kBreak);
    ShiftAfter(selection, static_cast<int>(cutAt), 2, true);
  }
  if (LineCount(text) > std::max(limits.maxLines, 0)) {
    if (!input.initialising) return Accept(input.lastAccepted, input.selection, true);
    std::string kept = input.lastAccepted;
    kept.resize(FittingLength(kept, limits.charsPerLine, limits.countChars));
    return Accept(std::move(kept), input.selection, true);
  }
  return Accept(std::move(text), selection, false);
}
