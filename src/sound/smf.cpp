#include "sound/smf.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "core/host_path.h"
#include "core/report_log.h"

namespace {

std::uint32_t Be32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) << 24 | static_cast<std::uint32_t>(at[1]) << 16 |
         static_cast<std::uint32_t>(at[2]) << 8 | static_cast<std::uint32_t>(at[3]);
}
std::uint16_t Be16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] << 8 | at[1]); }

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t bytes[4];
  const int n = cSmf::WriteVarLen(bytes, value);
  out.insert(out.end(), bytes, bytes + n);
}

}  // namespace

cSmf::cSmf(const std::string& file) { LoadFile(file); }

cSmf::~cSmf() = default;

int cSmf::ReadVarLen(const std::uint8_t* data, std::size_t size, std::uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4 && static_cast<std::size_t>(i) < size; ++i) {
    value = (value << 7) | (data[i] & 0x7F);
    if ((data[i] & 0x80) == 0) return i + 1;
  }
  return 0;
}

int cSmf::WriteVarLen(std::uint8_t* out, std::uint32_t value) {
  if (value >= 0x10000000) return 0;
  int count = 1;
  for (std::uint32_t rest = value >> 7; rest != 0; rest >>= 7) ++count;
  for (int i = 0; i < count; ++i) {
    const int shift = 7 * (count - 1 - i);
    out[i] = static_cast<std::uint8_t>(((value >> shift) & 0x7F) | (i + 1 < count ? 0x80 : 0));
  }
  return count;
}

void cSmf::Refuse(int number) { LogMirror("Midi %s Init 標準MIDIでない(%d)", m_strFile.c_str(), number); }

void cSmf::LoadFile(const std::string& file) {
  m_pImage.reset();
  m_strFile = file;
  const std::string host = HostPathForRead(file);
  std::ifstream in;
  if (!host.empty()) in.open(host, std::ios::binary);
  if (host.empty() || !in) {
    LogMirror("Midi %s Create ファイルが開けません", m_strFile.c_str());
    return;
  }
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  m_pImage = Check(bytes);
}

void cSmf::LoadBytes(const std::string& name, std::span<const std::uint8_t> data) {
  m_strFile = name;
  m_pImage = Check(data);
}

std::optional<std::vector<std::uint8_t>> cSmf::Check(std::span<const std::uint8_t> data) {
  if (data.size() < kImageHead) {
    Refuse(smf_refusal::kTooShort);
    return std::nullopt;
  }
  if (std::memcmp(data.data(), "MThd", 4) != 0) {
    Refuse(4);
    return std::nullopt;
  }
  if (Be32(data.data() + 4) != 6) {
    Refuse(6);
    return std::nullopt;
  }
  const std::uint16_t format = Be16(data.data() + 8);
  if (format == 2) {
    LogMirror("Midi %s Init 対応フォーマットが2でない", m_strFile.c_str());
    return std::nullopt;
  }
  if (format > 2) {
    LogMirror("Midi %s Init 対応フォーマットが0または1でない", m_strFile.c_str());
    return std::nullopt;
  }
  if (std::memcmp(data.data() + 14, "MTrk", 4) != 0) {
    Refuse(4);
    return std::nullopt;
  }
  return Convert(data);
}

std::optional<std::vector<std::uint8_t>> cSmf::Convert(std::span<const std::uint8_t> data) {
  Tracks tracks;
  int refusal = ReadTracks(data, tracks);
  if (refusal == 0) {
    const std::vector<Event> merged = MergeTracks(tracks);
    std::vector<std::uint8_t> image;
    refusal = WriteImage(data, merged, tracks.endTime, image);
    if (refusal == 0) return image;
  }
  Refuse(refusal);
  return std::nullopt;
}

int cSmf::ReadTracks(std::span<const std::uint8_t> data, Tracks& tracks) {
  const std::size_t count = Be16(data.data() + 10);
  if (count == 0) return smf_refusal::kNoTracks;
  std::size_t at = 14;
  for (std::size_t track = 0; track < count; ++track) {
    // Chunks other than "MTrk" are stepped over by their length.
    std::size_t body = 0;
    std::size_t end = 0;
    for (;;) {
      if (data.size() - at < 8) return smf_refusal::kChunkPastEnd;
      const std::size_t length = Be32(data.data() + at + 4);
      body = at + 8;
      if (length > data.size() - body) return smf_refusal::kChunkPastEnd;
      end = body + length;
      const bool isTrack = std::memcmp(data.data() + at, "MTrk", 4) == 0;
      at = end;
      if (isTrack) break;
    }
    std::vector<Event>& list = tracks.lists.emplace_back();
    std::uint64_t time = 0;
    std::uint8_t running = 0;
    std::size_t p = body;
    for (;;) {
      if (p >= end) return smf_refusal::kNoEndOfTrack;
      std::uint32_t delta = 0;
      const int n = ReadVarLen(data.data() + p, end - p, delta);
      if (n == 0) return end - p < 4 ? smf_refusal::kNoEndOfTrack : smf_refusal::kLongQuantity;
      p += static_cast<std::size_t>(n);
      time += delta;
      if (p >= end) return smf_refusal::kNoEndOfTrack;
      std::uint8_t status = data[p];
      if ((status & 0x80) != 0) {
        ++p;
      } else if (running != 0) {
        status = running;
      } else {
        return smf_refusal::kNoStatus;
      }
      Event event{time, static_cast<std::uint32_t>(track), status, {}};
      std::size_t length = 0;
      if (status == 0xFF || status == 0xF0 || status == 0xF7) {
        // Only channel messages set the running status.
        running = 0;
        const std::size_t head = status == 0xFF ? 1 : 0;
        if (end - p < head + 1) return smf_refusal::kNoEndOfTrack;
        std::uint32_t size = 0;
        const int m = ReadVarLen(data.data() + p + head, end - p - head, size);
        if (m == 0) return end - p - head < 4 ? smf_refusal::kNoEndOfTrack : smf_refusal::kLongQuantity;
        length = head + static_cast<std::size_t>(m) + size;
        if (size > end - p || length > end - p) return smf_refusal::kNoEndOfTrack;
        if (status == 0xFF && data[p] == 0x2F) {
          tracks.endTime = std::max(tracks.endTime, time);
          break;
        }
      } else if (status >= 0xF0) {
        return smf_refusal::kNoStatus;
      } else {
        running = status;
        length = (status & 0xE0) == 0xC0 ? 1 : 2;
        if (end - p < length) return smf_refusal::kNoEndOfTrack;
      }
      event.data.assign(data.begin() + static_cast<std::ptrdiff_t>(p),
                        data.begin() + static_cast<std::ptrdiff_t>(p + length));
      p += length;
      list.push_back(std::move(event));
    }
  }
  return 0;
}

std::vector<cSmf::Event> cSmf::MergeTracks(Tracks& tracks) {
  std::vector<Event> merged;
  std::size_t total = 0;
  for (const auto& list : tracks.lists) total += list.size();
  merged.reserve(total);
  for (auto& list : tracks.lists) {
    for (Event& event : list) merged.push_back(std::move(event));
  }
  // Earliest first; at one time the lower track first, and each track keeps its own order.
  std::stable_sort(merged.begin(), merged.end(), [](const Event& a, const Event& b) {
    return a.time != b.time ? a.time < b.time : a.track < b.track;
  });
  tracks.lists.clear();
  return merged;
}

int cSmf::WriteImage(std::span<const std::uint8_t> data, const std::vector<Event>& events, std::uint64_t endTime,
                     std::vector<std::uint8_t>& image) {
  image.assign({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, data[12], data[13], 'M', 'T', 'r', 'k', 0, 0, 0, 0});
  std::uint64_t previous = 0;
  auto putDelta = [&](std::uint64_t time) {
    const std::uint64_t delta = time - previous;
    if (delta >= 0x10000000) return false;
    PutVarLen(image, static_cast<std::uint32_t>(delta));
    previous = time;
    return true;
  };
  for (const Event& event : events) {
    if (!putDelta(event.time)) return smf_refusal::kHugeDelta;
    image.push_back(event.status);
    image.insert(image.end(), event.data.begin(), event.data.end());
  }
  if (!putDelta(std::max(endTime, previous))) return smf_refusal::kHugeDelta;
  image.insert(image.end(), {0xFF, 0x2F, 0x00});
  const std::uint32_t length = static_cast<std::uint32_t>(image.size() - kImageHead);
  for (int i = 0; i < 4; ++i) image[18 + i] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
  return 0;
}
