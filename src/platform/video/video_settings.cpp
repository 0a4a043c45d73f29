#include "platform/video/video_settings.h"

namespace platform {

VideoSettings& CurrentVideoSettings() {
  static VideoSettings settings;
  return settings;
}

void ResetVideoSettings() { CurrentVideoSettings() = VideoSettings{}; }

}  // namespace platform
