// Arbitrary bytes as a name on disk and as a filter: the chooser's code-page form of the name
// and its pattern match end without a crash or a hang, a name that is shown is valid CP932
// that converts to UTF-8, and every name matches "*".

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "input/dialogs/file_names.h"
#include "platform/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t split = size * data[0] / 256 + 1;
  const std::string name(reinterpret_cast<const char*>(data) + 1, split - 1);
  const std::string patterns(reinterpret_cast<const char*>(data) + split, size - split);
  const std::optional<std::string> shown = ChooserName(name);
  if (shown) {
    std::string utf8;
    if (!platform::Cp932ToUtf8(*shown, utf8)) std::abort();
    if (!MatchesPatterns(*shown, "*")) std::abort();
    MatchesPatterns(*shown, patterns);
  }
  MatchesPatterns(name, patterns);
  WithDefaultExtension(name, patterns);
  return 0;
}
