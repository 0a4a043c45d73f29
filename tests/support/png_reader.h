#pragma once
// The screenshots the program writes, read back for the whole-program tests.

#include <filesystem>

#include "platform/video/frame.h"

namespace testsupport {

// Reads a PNG file into a frame of 0xAARRGGBB pixels (alpha 255); false when it cannot.
bool ReadPng(const std::filesystem::path& path, platform::Frame& out);

}  // namespace testsupport
