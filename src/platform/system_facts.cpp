#include "platform/system_facts.h"

#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>

#include <charconv>
#include <fstream>
#include <iterator>
#include <limits>

#include "platform/text_codec.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace platform {
namespace facts_text {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

// Calls `visit(line)` for each line; stops early when it returns true.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (visit(line)) return;
    if (end == std::string_view::npos) return;
    text.remove_prefix(end + 1);
  }
}

// The value after "key:" (blanks allowed before the colon) when the line holds that key.
std::optional<std::string_view> ColonValue(std::string_view line, std::string_view key) {
  if (line.substr(0, key.size()) != key) return std::nullopt;
  const std::string_view rest = TrimBlanks(line.substr(key.size()));
  if (rest.empty() || rest.front() != ':') return std::nullopt;
  return TrimBlanks(rest.substr(1));
}

// os-release values follow shell quoting: single quotes take everything literally, double
// quotes and bare words take a backslash as an escape of the next character.
std::string ShellUnquote(std::string_view value) {
  std::string out;
  char quote = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (quote == '\'') {
      if (c == '\'') {
        quote = 0;
      } else {
        out += c;
      }
    } else if (c == '\\' && i + 1 < value.size()) {
      const char next = value[i + 1];
      // Inside double quotes only these are escapes; elsewhere the backslash stays.
      if (quote == '"' && next != '"' && next != '\\' && next != '$' && next != '`') {
        out += c;
      } else {
        out += next;
        ++i;
      }
    } else if (quote == 0 && (c == '"' || c == '\'')) {
      quote = c;
    } else if (quote == '"' && c == '"') {
      quote = 0;
    } else if (quote == 0 && (c == ' ' || c == '\t')) {
      break;  // a bare word ends at a blank; what follows is not part of the value
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string OsReleaseValue(std::string_view fileText, std::string_view key) {
  std::string value;
  // Later assignments win, as when the file is sourced by a shell.
  ForEachLine(fileText, [&](std::string_view line) {
    line = TrimBlanks(line);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=') {
      value = ShellUnquote(line.substr(key.size() + 1));
    }
    return false;
  });
  return value;
}

std::optional<std::uint64_t> KilobyteField(std::string_view fileText, std::string_view key) {
  std::optional<std::uint64_t> bytes;
  ForEachLine(fileText, [&](std::string_view line) {
    const std::optional<std::string_view> value = ColonValue(line, key);
    if (!value) return false;
    std::uint64_t kilobytes = 0;
    const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), kilobytes);
    const std::string_view unit = TrimBlanks(value->substr(static_cast<std::size_t>(end - value->data())));
    if (error == std::errc() && unit == "kB" && kilobytes <= std::numeric_limits<std::uint64_t>::max() / 1024) {
      bytes = kilobytes * 1024;
    }
    return true;
  });
  return bytes;
}

std::optional<double> CpuInfoMHz(std::string_view fileText) {
  std::optional<double> mhz;
  ForEachLine(fileText, [&](std::string_view line) {
    const std::optional<std::string_view> value = ColonValue(line, "cpu MHz");
    if (!value) return false;
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), parsed);
    if (error == std::errc() && end == value->data() + value->size() && parsed > 0.0 &&
        parsed < std::numeric_limits<double>::infinity()) {
      mhz = parsed;
    }
    return true;
  });
  return mhz;
}

}  // namespace facts_text

namespace {

std::string ReadWholeFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string();
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The machine's texts are UTF-8 (in practice ASCII); a character CP932 cannot hold becomes '?'
// rather than losing the whole text.
std::string GameText(std::string_view utf8) { return Utf8ToCp932Lossy(utf8); }

void ReadOperatingSystem(SystemFacts& facts) {
  // The distribution may keep the file only in its vendor location.
  std::string release = ReadWholeFile("/etc/os-release");
  if (release.empty()) release = ReadWholeFile("/usr/lib/os-release");
  facts.osName = GameText(facts_text::OsReleaseValue(release, "PRETTY_NAME"));

  utsname names{};
  if (uname(&names) == 0) {
    facts.kernelName = GameText(names.sysname);
    facts.kernelRelease = GameText(names.release);
    facts.machine = GameText(names.machine);
  }
}

#if defined(__x86_64__) || defined(__i386__)
void AppendRegister(std::string& text, unsigned value) {
  for (int shift = 0; shift < 32; shift += 8) text += static_cast<char>((value >> shift) & 0xFF);
}

void ReadProcessorIdentity(SystemFacts& facts) {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(0, &eax, &ebx, &ecx, &edx) == 0) return;
  std::string vendor;
  AppendRegister(vendor, ebx);
  AppendRegister(vendor, edx);
  AppendRegister(vendor, ecx);
  facts.cpuVendor = GameText(vendor.substr(0, vendor.find('\0')));

  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0) {
    facts.hasMmx = (edx >> 23) & 1;
    facts.hasSse = (edx >> 25) & 1;
    facts.hasSse2 = (edx >> 26) & 1;
  }
  if (__get_cpuid(0x80000001, &eax, &ebx, &ecx, &edx) != 0) {
    facts.has3DNow = (edx >> 31) & 1;
    facts.hasExtended3DNow = (edx >> 30) & 1;
  }
  if (static_cast<unsigned>(__get_cpuid_max(0x80000000, nullptr)) >= 0x80000004u) {
    std::string brand;
    for (unsigned leaf = 0x80000002; leaf <= 0x80000004; ++leaf) {
      __cpuid(leaf, eax, ebx, ecx, edx);
      AppendRegister(brand, eax);
      AppendRegister(brand, ebx);
      AppendRegister(brand, ecx);
      AppendRegister(brand, edx);
    }
    facts.cpuBrand = GameText(brand.substr(0, brand.find('\0')));
  }
}
#else
void ReadProcessorIdentity(SystemFacts&) {}
#endif

void ReadProcessor(SystemFacts& facts) {
  ReadProcessorIdentity(facts);
  // The kernel has measured the clock already; timing it here would hold up the start.
  facts.cpuMHz = facts_text::CpuInfoMHz(ReadWholeFile("/proc/cpuinfo")).value_or(0.0);
}

void ReadPhysicalMemory(SystemFacts& facts) {
  struct sysinfo info {};
  if (sysinfo(&info) != 0) return;
  const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
  facts.physicalTotal = static_cast<std::uint64_t>(info.totalram) * unit;
  // The page cache gives way when asked, so plain free memory understates what can be had;
  // only kernels too old to estimate that fall back to it.
  const std::optional<std::uint64_t> available =
      facts_text::KilobyteField(ReadWholeFile("/proc/meminfo"), "MemAvailable");
  facts.physicalAvailable = available.value_or(static_cast<std::uint64_t>(info.freeram) * unit);
}

// The part of the address space that user code may map; 0 where this build cannot tell.
std::uint64_t UserAddressSpace() {
#if defined(__x86_64__) && defined(__LP64__)
  std::uint64_t total = std::uint64_t{1} << 47;
#else
  std::uint64_t total = 0;
#endif
  rlimit limit{};
  if (total != 0 && getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      static_cast<std::uint64_t>(limit.rlim_cur) < total) {
    total = static_cast<std::uint64_t>(limit.rlim_cur);
  }
  return total;
}

void ReadVirtualMemory(SystemFacts& facts) {
  facts.virtualTotal = UserAddressSpace();
  if (facts.virtualTotal == 0) return;
  const std::optional<std::uint64_t> mapped = facts_text::KilobyteField(ReadWholeFile("/proc/self/status"), "VmSize");
  if (mapped) facts.virtualAvailable = *mapped < facts.virtualTotal ? facts.virtualTotal - *mapped : 0;
}

void ReadDiskSpace(SystemFacts& facts) {
  struct statvfs disk {};
  if (statvfs(".", &disk) != 0) return;
  // Blocks kept for the superuser are not the caller's to use.
  facts.diskFree = static_cast<std::uint64_t>(disk.f_bavail) * static_cast<std::uint64_t>(disk.f_frsize);
}

}  // namespace

SystemFacts QuerySystemFacts() {
  SystemFacts facts;
  ReadOperatingSystem(facts);
  ReadProcessor(facts);
  ReadPhysicalMemory(facts);
  ReadVirtualMemory(facts);
  ReadDiskSpace(facts);
  return facts;
}

}  // namespace platform
