#pragma once

#include "platform/video/bmp_image.h"

// Reads a bitmap named by a game path (CP932, Windows form), as the library's image loader
// does; false when it cannot be found or read.
bool DDLoadBitmapFile(const char* szFileName, platform::BmpImage& bitmap);
