#pragma once

#include <string>

namespace platform {

// What the video layer can tell about one display once it is up. Texts are CP932, like every
// text of the game; a figure the backend cannot tell stays 0 and a text stays empty.
struct DisplayFacts {
  std::string driverName;   // the video driver in use ("x11", "wayland", "dummy", ...)
  std::string displayName;  // the monitor or output as the driver names it
  int refreshRateHz = 0;
  int desktopBitsPerPixel = 0;
  int width = 0;   // desktop size in pixels
  int height = 0;
};

}  // namespace platform
