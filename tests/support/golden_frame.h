#pragma once
// Golden frames are pinned by a hash of their pixels; the PNG is written only on request, so a
// changed hash can be looked at before the new value is pinned.

#include <cstdint>
#include <string>

#include "platform/video/frame.h"

namespace testsupport {

// FNV-1a over every pixel's four bytes, lowest first.
std::uint64_t FrameHash(const platform::Frame& frame);

// With KESTREL_GOLDEN_DIR=<folder> set, writes <folder>/<name>.png.
void SaveFrameForLooking(const platform::Frame& frame, const std::string& name);

// Both of the above, then the hash compared, printed in hex when it differs.
void ExpectGoldenFrame(const platform::Frame& frame, const std::string& name, std::uint64_t expected);

}  // namespace testsupport
