#include "support/golden_frame.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/video/png_writer.h"

namespace testsupport {

std::uint64_t FrameHash(const platform::Frame& frame) {
  std::uint64_t h = 1469598103934665603ull;
  for (std::uint32_t p : frame.pixels) {
    for (int i = 0; i < 4; ++i) {
      h ^= (p >> (8 * i)) & 0xFF;
      h *= 1099511628211ull;
    }
  }
  return h;
}

void SaveFrameForLooking(const platform::Frame& frame, const std::string& name) {
  if (const char* folder = std::getenv("KESTREL_GOLDEN_DIR")) {
    platform::WritePng(std::string(folder) + "/" + name + ".png", frame);
  }
}

void ExpectGoldenFrame(const platform::Frame& frame, const std::string& name, std::uint64_t expected) {
  SaveFrameForLooking(frame, name);
  const std::uint64_t hash = FrameHash(frame);
  EXPECT_EQ(hash, expected) << name << ": 0x" << std::hex << hash;
}

}  // namespace testsupport
