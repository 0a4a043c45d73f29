// Expands and measures arbitrary message texts: escapes of every shape, cut Shift-JIS pairs,
// numbers of any length and variables of any value. Whatever the bytes, the expansion must end
// with a bounded text and measuring it must not fail.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/stage_data.h"
#include "world/message_obj.h"
#include "world/scene_play.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static cStageData stage;
  static cScenePlay scene(stage);
  // The first bytes fill a few variables, extremes included.
  const std::int32_t values[] = {0, -1, 7, 2147483647, -2147483647 - 1, 99999, -5, 1234};
  for (std::size_t i = 0; i < 8 && i < size; ++i) {
    scene.CommonVars[static_cast<int>(1 + i)] = values[data[i] % 8];
    scene.StageVars[static_cast<int>(1 + i)] = values[(data[i] / 8) % 8];
  }
  std::string text(reinterpret_cast<const char*>(data), size);
  ExpandTextVariables(text);
  // An escape of at most a few bytes becomes at most eleven characters.
  if (text.size() > 12 * size + 16) std::abort();
  int w = 0;
  int h = 0;
  MeasureText(w, h, text);
  if (w < 2 || h < 2) std::abort();
  return 0;
}
