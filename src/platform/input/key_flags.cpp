#include "platform/input/key_flags.h"

#include <array>
#include <atomic>

#include "platform/input/virtual_keys.h"

namespace platform {
namespace {

std::array<std::atomic<bool>, 256> g_down{};

struct SidedPair {
  int generic;
  int left;
  int right;
};
constexpr SidedPair kSidedPairs[] = {
    {vk::kShift, vk::kLeftShift, vk::kRightShift},
    {vk::kControl, vk::kLeftControl, vk::kRightControl},
    {vk::kMenu, vk::kLeftMenu, vk::kRightMenu},
};

bool InRange(int virtualKey) { return virtualKey > 0 && virtualKey < 256; }

}  // namespace

void SetKeyDown(int virtualKey, bool down) {
  if (!InRange(virtualKey)) return;
  g_down[virtualKey].store(down, std::memory_order_relaxed);
  for (const SidedPair& pair : kSidedPairs) {
    if (virtualKey != pair.left && virtualKey != pair.right) continue;
    const bool either = g_down[pair.left].load(std::memory_order_relaxed) ||
                        g_down[pair.right].load(std::memory_order_relaxed);
    g_down[pair.generic].store(either, std::memory_order_relaxed);
  }
}

bool IsKeyDown(int virtualKey) {
  return InRange(virtualKey) && g_down[virtualKey].load(std::memory_order_relaxed);
}

void ReleaseAllKeys() {
  for (std::atomic<bool>& flag : g_down) flag.store(false, std::memory_order_relaxed);
}

}  // namespace platform
