// Runs arbitrary code texts for a character with a target and a hero: nesting, calls, long
// numbers, stray parentheses and periods. Whatever the text, the run ends, reports through the
// language's own reporter, and leaves every status inside its range.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fake_actor.h"
#include "flow/expression.h"

namespace {

void Quiet(const std::string&) {}

bool Inside(const flowtest::FakeActor& c) {
  // HP may pass a maximum lowered later in the same text: its bound is read with the word.
  return c.hp >= 0 && c.maxHp >= 1 && c.z >= 0 && c.z <= 7 && c.charaId >= 0 && c.charaId <= 99 &&
         c.stopEase >= 0 && c.stopEase <= 200 && c.sight >= 0 && c.sight <= 40;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SetExprErrorReporter(Quiet);
  flowtest::FakeWorld world;
  flowtest::FakeActor self;
  flowtest::FakeActor other;
  self.target = &other;
  world.hero = &other;
  ExecCode(std::string(reinterpret_cast<const char*>(data), size), self);
  if (!Inside(self) || !Inside(other)) std::abort();
  if (world.time < 0 || world.time > 999 || world.lives < 0 || world.lives > 99) std::abort();
  return 0;
}
