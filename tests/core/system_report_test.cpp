#include "core/system_report.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/report_log.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempFolder;

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kGiB = 1024 * kMiB;

class SystemReportTest : public testing::Test {
 protected:
  void SetUp() override { path_ = (folder_.path() / "Report_Game.txt").string(); }
  void TearDown() override { LogInit("/dev/null"); }

  // The log file's whole contents after `write` ran on a freshly emptied log.
  std::string Written(const std::function<bool()>& write) {
    EXPECT_TRUE(LogInit(path_));
    EXPECT_TRUE(write());
    return ReadFileBytes(path_);
  }

  TempFolder folder_;
  std::string path_;
};

platform::SystemFacts TypicalFacts() {
  platform::SystemFacts facts;
  facts.osName = "Debian GNU/Linux 12 (bookworm)";
  facts.kernelName = "Linux";
  facts.kernelRelease = "6.1.0-18-amd64";
  facts.machine = "x86_64";
  facts.cpuVendor = "GenuineIntel";
  facts.cpuBrand = "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz";
  facts.cpuMHz = 3192.999;
  facts.physicalTotal = 16 * kGiB;
  facts.physicalAvailable = 8192 * kMiB + 3 * kMiB / 4;
  facts.virtualTotal = std::uint64_t{1} << 47;
  facts.virtualAvailable = (std::uint64_t{1} << 47) - 3892 * 1024;
  facts.diskFree = 500 * kMiB + 400 * 1024;
  return facts;
}

TEST_F(SystemReportTest, SystemLinesAreWrittenInOrderEachFollowedByAnEmptyLine) {
  struct Case {
    const char* name;
    platform::SystemFacts facts;
    std::string expected;
  };
  platform::SystemFacts bigDisk = TypicalFacts();
  bigDisk.diskFree = 3 * kGiB;
  platform::SystemFacts partlyKnown;
  partlyKnown.kernelName = "Linux";
  partlyKnown.machine = "aarch64";
  partlyKnown.cpuVendor = "AuthenticAMD";
  partlyKnown.cpuMHz = 0.5;
  partlyKnown.physicalTotal = 1536 * kMiB + 1;
  partlyKnown.physicalAvailable = 7 * kMiB + 100 * 1024;
  partlyKnown.diskFree = 2047 * kMiB;
  platform::SystemFacts padded;
  padded.cpuBrand = "       Intel(R) Pentium(R) 4 CPU 3.00GHz";
  padded.cpuMHz = 2999.9999;

  const Case cases[] = {
      {"typical", TypicalFacts(),
       "OS : Debian GNU/Linux 12 (bookworm) Linux 6.1.0-18-amd64 x86_64\n\n"
       "CPU : GenuineIntel Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz 3192\n\n"
       "Mem Total : 16384.000MB\n\n"
       "Mem Free : 8193MB\n\n"
       "Vir Total : 134217728.000MB\n\n"
       "Vir Free : 134217724MB\n\n"
       "HD Free : 500MB\n\n"},
      {"free disk past the signed 32-bit ceiling", bigDisk,
       "OS : Debian GNU/Linux 12 (bookworm) Linux 6.1.0-18-amd64 x86_64\n\n"
       "CPU : GenuineIntel Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz 3192\n\n"
       "Mem Total : 16384.000MB\n\n"
       "Mem Free : 8193MB\n\n"
       "Vir Total : 134217728.000MB\n\n"
       "Vir Free : 134217724MB\n\n"
       "HD Free : 2048MB\n\n"},
      {"nothing known", platform::SystemFacts{},
       "OS : \n\n"
       "CPU :   0\n\n"
       "Mem Total : 0.000MB\n\n"
       "Mem Free :   0MB\n\n"
       "Vir Total : 0.000MB\n\n"
       "Vir Free :   0MB\n\n"
       "HD Free :   0MB\n\n"},
      {"partly known, no brand", partlyKnown,
       "OS : Linux aarch64\n\n"
       "CPU : AuthenticAMD  0\n\n"
       "Mem Total : 1536.000MB\n\n"
       "Mem Free :   7MB\n\n"
       "Vir Total : 0.000MB\n\n"
       "Vir Free :   0MB\n\n"
       "HD Free : 2047MB\n\n"},
      {"brand with leading blanks, no vendor", padded,
       "OS : \n\n"
       "CPU :         Intel(R) Pentium(R) 4 CPU 3.00GHz 2999\n\n"
       "Mem Total : 0.000MB\n\n"
       "Mem Free :   0MB\n\n"
       "Vir Total : 0.000MB\n\n"
       "Vir Free :   0MB\n\n"
       "HD Free :   0MB\n\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Written([&] { return LogSystemInfo(c.facts); }), c.expected) << c.name;
  }
}

TEST(SystemReportDisk, FreeSpaceFromTwoGigabytesOnReadsAsTheCeiling) {
  struct Case {
    std::uint64_t bytes;
    const char* line;
  };
  const Case cases[] = {
      {2 * kGiB - kMiB, "HD Free : 2047MB\n"},
      {2 * kGiB - 1, "HD Free : 2048MB\n"},
      {2 * kGiB, "HD Free : 2048MB\n"},
      {3 * kGiB, "HD Free : 2048MB\n"},
      {~std::uint64_t{0}, "HD Free : 2048MB\n"},
  };
  for (const Case& c : cases) {
    platform::SystemFacts facts;
    facts.diskFree = c.bytes;
    EXPECT_EQ(SystemInfoLines(facts).back(), c.line) << c.bytes;
  }
}

TEST_F(SystemReportTest, TheRealReportFollowsWhatWasLoggedBefore) {
  const std::string text = Written([] { return Log("App : ver %s", "750") && LogSystemInfo(); });
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);

  const char* const prefixes[] = {"OS : ",       "CPU : ",      "Mem Total : ", "Mem Free : ",
                                  "Vir Total : ", "Vir Free : ", "HD Free : "};
  ASSERT_EQ(lines.size(), 1 + 2 * std::size(prefixes)) << text;
  EXPECT_EQ(lines[0], "App : ver 750");
  for (std::size_t i = 0; i < std::size(prefixes); ++i) {
    EXPECT_EQ(lines[1 + 2 * i].rfind(prefixes[i], 0), 0u) << lines[1 + 2 * i];
    EXPECT_EQ(lines[2 + 2 * i], "");
  }
  EXPECT_NE(lines[1], "OS : ") << "this machine has a name";
}

TEST_F(SystemReportTest, NothingIsWrittenAndFailureIsToldWhenTheLogCannotBeOpened) {
  ASSERT_FALSE(LogInit(folder_.path().string() + "/missing/Report_Game.txt"));
  EXPECT_FALSE(LogSystemInfo(TypicalFacts()));
  EXPECT_FALSE(LogSystemInfo());
  EXPECT_FALSE(LogVideoInfo(true, VideoReport{}));
}

TEST_F(SystemReportTest, VideoLinesSayUnknownWhereTheBackendCannotTell) {
  platform::DisplayFacts monitor;
  monitor.driverName = "x11";
  monitor.displayName = "DP-1";
  monitor.refreshRateHz = 60;
  platform::DisplayFacts unnamed;
  unnamed.refreshRateHz = 75;

  VideoReport windowed;
  windowed.bitsPerPixel = 16;
  windowed.displays = {monitor};

  VideoReport surfacesKnown;
  surfacesKnown.windowed = false;
  surfacesKnown.bitsPerPixel = 32;
  surfacesKnown.directDrawActive = true;
  surfacesKnown.videoMemoryTotal = 64 * kMiB;
  surfacesKnown.videoMemoryFree = 48 * kMiB + kMiB / 2;
  surfacesKnown.displays = {monitor};

  VideoReport surfacesUnknown;
  surfacesUnknown.directDrawActive = true;
  surfacesUnknown.bitsPerPixel = 8;
  surfacesUnknown.videoMemoryTotal = 64 * kMiB;  // a total without a free figure is not enough

  VideoReport bothBackends;
  bothBackends.bitsPerPixel = 32;
  bothBackends.directDrawActive = true;
  bothBackends.direct3DActive = true;
  bothBackends.displays = {unnamed, monitor};

  VideoReport deviceWithoutDisplay;
  deviceWithoutDisplay.bitsPerPixel = 32;
  deviceWithoutDisplay.direct3DActive = true;

  const std::string unnamedDevice =
      "---デバイス0\n\n"
      "Destination : unknown\n\n"
      "VRAM : unknown\n\n"
      "Driver : unknown\n\n"
      "DDI : unknown\n\n"
      "TextureMaxSize : unknown\n\n"
      "TextureMaxBlend : unknown\n\n"
      "DirectDraw : unknown\n\n"
      "Direct3D : unknown\n\n"
      "AGP : unknown\n\n";
  const std::string monitorDevice =
      "---デバイス1\n\n"
      "Destination : DP-1\n\n"
      "VRAM : unknown\n\n"
      "Driver : x11\n\n"
      "DDI : unknown\n\n"
      "TextureMaxSize : unknown\n\n"
      "TextureMaxBlend : unknown\n\n"
      "DirectDraw : unknown\n\n"
      "Direct3D : unknown\n\n"
      "AGP : unknown\n\n";

  struct Case {
    const char* name;
    const VideoReport& video;
    std::string expected;
  };
  const Case cases[] = {
      {"no backend details", windowed, "Mode : Window\n\nBpp : 16\n\n"},
      {"surface figures known", surfacesKnown,
       "Mode : Fullscreen\n\nBpp : 32\n\nVRAM Total : 64.000MB\n\nVRAM Free : 48.500MB\n\nRR : 60\n\n"},
      {"surface figures unknown", surfacesUnknown,
       "Mode : Window\n\nBpp : 8\n\nVRAM Total : unknown\n\nVRAM Free : unknown\n\nRR : unknown\n\n"},
      {"both backends, two displays", bothBackends,
       "Mode : Window\n\nBpp : 32\n\nVRAM Total : unknown\n\nVRAM Free : unknown\n\nRR : 75\n\n"
       "TextureMem : unknown\n\n" +
           unnamedDevice + monitorDevice},
      {"3D device, no display", deviceWithoutDisplay, "Mode : Window\n\nBpp : 32\n\nTextureMem : unknown\n\n"},
  };
  for (const Case& c : cases) {
    for (const bool detailed : {true, false}) {
      EXPECT_EQ(Written([&] { return LogVideoInfo(detailed, c.video); }), c.expected)
          << c.name << (detailed ? ", detailed" : "");
    }
  }
}

TEST(SystemQueries, AnswerWithoutInventingFigures) {
  unsigned total = 123;
  unsigned free = 456;
  GetVideoMemoryMB(total, free);
  EXPECT_EQ(total, 0u);
  EXPECT_EQ(free, 0u);
  EXPECT_EQ(GetDdiVersion(), 99999);
}

TEST(SystemQueries, TheSystemCountsAsTheNewestVersionTheGameKnows) {
  struct Case {
    int major;
    int minor;
    bool atLeast;
  };
  const Case cases[] = {
      {1, 0, true}, {5, 1, true}, {6, 0, true}, {6, 1, true}, {6, 99, true}, {7, 0, false}, {10, 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsWindowsAtLeast(c.major, c.minor), c.atLeast) << c.major << "." << c.minor;
  }
}

}  // namespace
