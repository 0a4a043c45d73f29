#pragma once

#include <string>

#include "platform/video/frame.h"

namespace platform {

// Writes a frame as an 8-bit RGB PNG file (a host path), replacing the file as one step. False
// when the frame is empty or the file cannot be written.
bool WritePng(const std::string& hostPath, const Frame& frame);

}  // namespace platform
