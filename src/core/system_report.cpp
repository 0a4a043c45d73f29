#include "core/system_report.h"

#include <algorithm>

#include "core/format.h"
#include "core/report_log.h"

// Every line format ends in "\n" and the log adds its own newline after it, so each report
// line is followed by an empty one: the report has always had that shape.

namespace {

constexpr double kBytesPerMB = 1048576.0;
// Free disk space was once held in a signed 32-bit figure; more than that reads as its maximum.
constexpr std::uint64_t kDiskFreeCeiling = 2147483647;
constexpr int kUnknownDdiVersion = 99999;

double InMB(std::uint64_t bytes) { return static_cast<double>(bytes) / kBytesPerMB; }

std::string OsText(const platform::SystemFacts& facts) {
  std::string text;
  for (const std::string* piece : {&facts.osName, &facts.kernelName, &facts.kernelRelease, &facts.machine}) {
    if (piece->empty()) continue;
    if (!text.empty()) text += ' ';
    text += *piece;
  }
  return text;
}

int WholeMHz(double mhz) {
  if (!(mhz > 0.0) || mhz >= 2147483647.0) return 0;
  return static_cast<int>(mhz);
}

const char* TextOrUnknown(const std::string& text) { return text.empty() ? "unknown" : text.c_str(); }

bool WriteLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (!LogText(line)) return false;
  }
  return true;
}

void AppendDisplayLines(std::vector<std::string>& lines, int index, const platform::DisplayFacts& display) {
  lines.push_back(Format("---デバイス%d\n", index));
  lines.push_back(Format("Destination : %s\n", TextOrUnknown(display.displayName)));
  lines.push_back("VRAM : unknown\n");
  // The driver here is the video driver; it carries no version number.
  lines.push_back(Format("Driver : %s\n", TextOrUnknown(display.driverName)));
  lines.push_back("DDI : unknown\n");
  lines.push_back("TextureMaxSize : unknown\n");
  lines.push_back("TextureMaxBlend : unknown\n");
  // No capability bit is known to be set, so none is listed.
  lines.push_back("DirectDraw : unknown\n");
  lines.push_back("Direct3D : unknown\n");
  lines.push_back("AGP : unknown\n");
}

}  // namespace

std::vector<std::string> SystemInfoLines(const platform::SystemFacts& facts) {
  const std::string os = OsText(facts);
  return {
      Format("OS : %s\n", os.c_str()),
      Format("CPU : %s %s %d\n", facts.cpuVendor.c_str(), facts.cpuBrand.c_str(), WholeMHz(facts.cpuMHz)),
      Format("Mem Total : %.3fMB\n", InMB(facts.physicalTotal)),
      Format("Mem Free : %3.fMB\n", InMB(facts.physicalAvailable)),
      Format("Vir Total : %.3fMB\n", InMB(facts.virtualTotal)),
      Format("Vir Free : %3.fMB\n", InMB(facts.virtualAvailable)),
      Format("HD Free : %3.fMB\n", InMB(std::min(facts.diskFree, kDiskFreeCeiling))),
  };
}

bool LogSystemInfo(const platform::SystemFacts& facts) { return WriteLines(SystemInfoLines(facts)); }

bool LogSystemInfo() { return LogSystemInfo(platform::QuerySystemFacts()); }

// The detailed part of the device report lists the 3D device's capability fields and its
// texture format checks; the software device has no such table, so `detailed` adds nothing.
std::vector<std::string> VideoInfoLines(bool /*detailed*/, const VideoReport& video) {
  std::vector<std::string> lines;
  lines.push_back(video.windowed ? "Mode : Window\n" : "Mode : Fullscreen\n");
  lines.push_back(Format("Bpp : %d\n", video.bitsPerPixel));

  if (video.directDrawActive) {
    if (video.videoMemoryTotal && video.videoMemoryFree) {
      lines.push_back(Format("VRAM Total : %.3fMB\n", InMB(*video.videoMemoryTotal)));
      lines.push_back(Format("VRAM Free : %.3fMB\n", InMB(*video.videoMemoryFree)));
    } else {
      lines.push_back("VRAM Total : unknown\n");
      lines.push_back("VRAM Free : unknown\n");
    }
    const int refreshRate = video.displays.empty() ? 0 : video.displays.front().refreshRateHz;
    if (refreshRate > 0) {
      lines.push_back(Format("RR : %u\n", static_cast<unsigned>(refreshRate)));
    } else {
      lines.push_back("RR : unknown\n");
    }
  }

  if (video.direct3DActive) {
    // The runtime version line has no counterpart and is left out, as a missing property was.
    lines.push_back("TextureMem : unknown\n");
    for (std::size_t i = 0; i < video.displays.size(); ++i) {
      AppendDisplayLines(lines, static_cast<int>(i), video.displays[i]);
    }
  }
  return lines;
}

bool LogVideoInfo(bool detailed, const VideoReport& video) { return WriteLines(VideoInfoLines(detailed, video)); }

void GetVideoMemoryMB(unsigned& totalMB, unsigned& freeMB) {
  totalMB = 0;
  freeMB = 0;
}

int GetDdiVersion() { return kUnknownDdiVersion; }

// The game knows systems up to major version 6 and takes 6.0 as the mark of a modern one.
// This system is modern in every respect the game asks about, so it answers as the newest
// version the game knows: yes to anything up to 6.x, no to later versions it never met.
bool IsWindowsAtLeast(int major, int /*minor*/) { return major <= 6; }
