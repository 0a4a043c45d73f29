#include "platform/video/kernel_choice.h"

#include <atomic>
#include <cstdlib>

namespace platform {
namespace {

bool Decide() {
  const char* off = std::getenv("KESTREL_NO_AVX2");
  if (off != nullptr && *off != '\0' && *off != '0') return false;
  return ProcessorHasAvx2();
}

// -1 until decided.
std::atomic<int> g_avx2{-1};

}  // namespace

bool ProcessorHasAvx2() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return has;
}

bool Avx2Kernels() {
  int state = g_avx2.load(std::memory_order_relaxed);
  if (state < 0) {
    state = Decide() ? 1 : 0;
    g_avx2.store(state, std::memory_order_relaxed);
  }
  return state != 0;
}

void UseAvx2Kernels(bool on) { g_avx2.store(on && ProcessorHasAvx2() ? 1 : 0, std::memory_order_relaxed); }

}  // namespace platform
