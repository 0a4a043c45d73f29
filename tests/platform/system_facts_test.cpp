#include "platform/system_facts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "support/temp_folder.h"

namespace {

namespace text = platform::facts_text;

TEST(OsReleaseValue, FollowsShellQuoting) {
  struct Case {
    const char* file;
    const char* value;
  };
  const Case cases[] = {
      {"NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\n", "Debian GNU/Linux 12 (bookworm)"},
      {"PRETTY_NAME='Single $quoted \\n'", "Single $quoted \\n"},
      {"PRETTY_NAME=Bare\\ word # comment", "Bare word"},
      {"PRETTY_NAME=\"Say \\\"hi\\\" \\\\ \\$HOME \\n\"", "Say \"hi\" \\ $HOME \\n"},
      {"PRETTY_NAME=\"Windows ending\"\r\nID=x\r\n", "Windows ending"},
      {"  PRETTY_NAME=\"indented\"", "indented"},
      {"PRETTY_NAME=\"first\"\nPRETTY_NAME=\"second\"", "second"},
      {"PRETTY_NAME_EXTRA=\"other key\"\nXPRETTY_NAME=\"other key\"", ""},
      {"# PRETTY_NAME=\"commented out\"", ""},
      {"PRETTY_NAME=", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::OsReleaseValue(c.file, "PRETTY_NAME"), c.value) << c.file;
  }
}

TEST(KilobyteField, ReadsTheNamedLineInBytes) {
  constexpr const char* kMeminfo =
      "MemTotal:       32866964 kB\n"
      "MemFree:        20010012 kB\n"
      "MemAvailable:   23842344 kB\n"
      "HugePages_Total:       0\n";
  struct Case {
    const char* file;
    const char* key;
    std::optional<std::uint64_t> bytes;
  };
  const Case cases[] = {
      {kMeminfo, "MemAvailable", std::uint64_t{23842344} * 1024},
      {kMeminfo, "MemTotal", std::uint64_t{32866964} * 1024},
      {kMeminfo, "Mem", std::nullopt},              // a prefix of a key is not the key
      {kMeminfo, "HugePages_Total", std::nullopt},  // a count, not a size
      {kMeminfo, "VmSize", std::nullopt},
      {"Name:\tkestrel\nVmPeak:\t    4000 kB\nVmSize:\t    3892 kB\n", "VmSize", std::uint64_t{3892} * 1024},
      {"VmSize:  kB\n", "VmSize", std::nullopt},
      {"VmSize:  18014398509481984 kB\n", "VmSize", std::nullopt},  // past 2^64 bytes
      {"VmSize:  12 MB\n", "VmSize", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::KilobyteField(c.file, c.key), c.bytes) << c.key << " in " << c.file;
  }
}

TEST(CpuInfoMHz, TakesTheFirstProcessorsClock) {
  struct Case {
    const char* file;
    std::optional<double> mhz;
  };
  const Case cases[] = {
      {"processor\t: 0\nmodel name\t: AMD EPYC\ncpu MHz\t\t: 2445.432\n\nprocessor\t: 1\ncpu MHz\t\t: 3100.000\n",
       2445.432},
      {"cpu MHz : 800\n", 800.0},
      {"processor\t: 0\nBogoMIPS\t: 48.00\n", std::nullopt},
      {"cpu MHz\t\t: unknown\n", std::nullopt},
      {"cpu MHz\t\t: 0.000\n", std::nullopt},
      {"cpu MHz dynamic\t: 1200\n", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::CpuInfoMHz(c.file), c.mhz) << c.file;
  }
}

TEST(QuerySystemFacts, ThisMachinesFactsArePlausibleAndQuicklyRead) {
  testsupport::TempFolder folder;
  testsupport::ScopedCurrentFolder inFolder(folder.path());

  const std::uint32_t start = platform::TimeMs();
  const platform::SystemFacts facts = platform::QuerySystemFacts();
  // Start-up waits for this: nothing may be timed over a stretch of wall-clock time.
  EXPECT_LT(platform::TimeMs() - start, 500u);

  EXPECT_EQ(facts.kernelName, "Linux");
  EXPECT_FALSE(facts.kernelRelease.empty());
  EXPECT_FALSE(facts.machine.empty());

  EXPECT_GT(facts.physicalTotal, 0u);
  EXPECT_GT(facts.physicalAvailable, 0u);
  EXPECT_LE(facts.physicalAvailable, facts.physicalTotal);

  EXPECT_GT(facts.diskFree, 0u);
  EXPECT_GE(facts.cpuMHz, 0.0);

#if defined(__x86_64__)
  // Every 64-bit x86 processor identifies itself and has these extensions.
  EXPECT_EQ(facts.cpuVendor.size(), 12u) << facts.cpuVendor;
  EXPECT_TRUE(facts.hasMmx);
  EXPECT_TRUE(facts.hasSse);
  EXPECT_TRUE(facts.hasSse2);
  EXPECT_GT(facts.virtualTotal, 0u);
  EXPECT_LE(facts.virtualTotal, std::uint64_t{1} << 47);
  EXPECT_GT(facts.virtualAvailable, 0u);
  EXPECT_LT(facts.virtualAvailable, facts.virtualTotal) << "this process has mapped something";
#endif
}

}  // namespace
