// Feeds arbitrary texts, carets and limits to an edit field's change rule. Besides ending
// without a crash or a hang, the text kept is either the change or the last accepted text (or,
// initialising, a cut of it), the caret lies inside it, and a text kept as the change holds
// no more lines than allowed.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "input/dialogs/edit_change.h"

namespace {

int Lines(const std::string& text) {
  int lines = 1;
  for (std::size_t pos = text.find("\r\n"); pos != std::string::npos; pos = text.find("\r\n", pos + 2)) ++lines;
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  EditLimits limits{static_cast<std::int8_t>(data[0]) % 40, static_cast<std::int8_t>(data[1]) % 8, (data[2] & 1) != 0};
  EditChangeInput input;
  input.backspaceHeld = (data[2] & 2) != 0;
  input.initialising = (data[2] & 4) != 0;
  input.selection = EditSelection{static_cast<std::int8_t>(data[3]), static_cast<std::int8_t>(data[4])};
  const std::size_t split = 8 + (size - 8) * data[5] / 256;
  input.lastAccepted.assign(reinterpret_cast<const char*>(data) + 8, split - 8);
  input.text.assign(reinterpret_cast<const char*>(data) + split, size - split);

  const EditChangeResult result = EditOnChange(input, limits);
  const int length = static_cast<int>(result.text.size());
  if (result.selection.start < 0 || result.selection.end < 0 || result.selection.start > length ||
      result.selection.end > length) {
    std::abort();
  }
  if (result.restored && !input.initialising && result.text != input.lastAccepted) std::abort();
  if (!result.restored && (limits.charsPerLine > 0 || limits.maxLines > 0) && Lines(result.text) > limits.maxLines &&
      limits.maxLines > 0) {
    std::abort();
  }
  return 0;
}
