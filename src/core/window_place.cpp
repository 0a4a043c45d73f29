#include "core/window_place.h"

#include <algorithm>
#include <atomic>
#include <limits>

namespace {

std::atomic<std::int32_t> g_maxX{std::numeric_limits<std::int32_t>::max()};
std::atomic<std::int32_t> g_maxY{std::numeric_limits<std::int32_t>::max()};

}  // namespace

cWindowPlace::cWindowPlace() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cWindowPlace::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&x);
  AddInt(&y);
  AddInt(&width);
  AddInt(&height);
  AddInt(&maximized);
}

bool cWindowPlace::Read(RecordReader& in) {
  if (!cData::Read(in)) return false;
  x = std::clamp(x, 0, g_maxX.load());
  y = std::clamp(y, 0, g_maxY.load());
  return true;
}

void cWindowPlace::SetDesktopLimits(std::int32_t maxX, std::int32_t maxY) {
  g_maxX.store(std::max(maxX, 0));
  g_maxY.store(std::max(maxY, 0));
}
