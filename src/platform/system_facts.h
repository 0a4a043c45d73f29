#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// What the machine tells about itself for the start-up report. Every figure is read, never
// estimated: whatever cannot be found out stays empty or 0. Texts are CP932.
struct SystemFacts {
  // Operating system.
  std::string osName;         // the distribution's display name, e.g. "Debian GNU/Linux 12 (bookworm)"
  std::string kernelName;     // e.g. "Linux"
  std::string kernelRelease;  // e.g. "6.1.0-18-amd64"
  std::string machine;        // e.g. "x86_64"

  // Processor, from its identification instruction.
  std::string cpuVendor;  // e.g. "GenuineIntel"
  std::string cpuBrand;   // as the processor spells it, leading blanks included
  bool hasMmx = false;
  bool hasSse = false;
  bool hasSse2 = false;
  bool has3DNow = false;
  bool hasExtended3DNow = false;
  double cpuMHz = 0.0;  // the clock rate the kernel reports for the first processor

  // Memory in bytes.
  std::uint64_t physicalTotal = 0;
  std::uint64_t physicalAvailable = 0;  // what can be had without swapping
  std::uint64_t virtualTotal = 0;       // the address space a process of this build may map
  std::uint64_t virtualAvailable = 0;   // of that, what this process has not mapped yet

  // Free space of the current folder's file system that this process may use, in bytes.
  std::uint64_t diskFree = 0;
};

// Reads the facts now. Cheap: nothing waits or measures over time.
SystemFacts QuerySystemFacts();

// Readers of the kernel's and the distribution's text files, exposed for tests.
namespace facts_text {

// The value of `key` in an os-release file, unquoted and unescaped; empty when missing.
std::string OsReleaseValue(std::string_view fileText, std::string_view key);
// A "Key:   123 kB" line of /proc/meminfo or /proc/<pid>/status, in bytes.
std::optional<std::uint64_t> KilobyteField(std::string_view fileText, std::string_view key);
// The first "cpu MHz" line of /proc/cpuinfo.
std::optional<double> CpuInfoMHz(std::string_view fileText);

}  // namespace facts_text

}  // namespace platform
