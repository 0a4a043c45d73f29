#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace soundtest {

// Standard MIDI files written by hand, chunk by chunk.
inline std::string Vlq(std::uint32_t value) {
  std::string bytes(1, static_cast<char>(value & 0x7F));
  while ((value >>= 7) != 0) bytes.insert(bytes.begin(), static_cast<char>((value & 0x7F) | 0x80));
  return bytes;
}

inline std::string Be(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

inline std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

// One event: its delta time and its bytes as they stand in the file.
inline std::string Ev(std::uint32_t delta, const std::string& bytes) { return Vlq(delta) + bytes; }

inline const std::string kEndOfTrack = Bytes({0xFF, 0x2F, 0x00});

inline std::string Tempo(std::uint32_t microsPerQuarter) {
  return Bytes({0xFF, 0x51, 0x03}) + Be(microsPerQuarter, 3);
}

inline std::string Track(const std::string& events) { return "MTrk" + Be(static_cast<std::uint32_t>(events.size()), 4) + events; }

inline std::string Header(int format, int tracks, int division) {
  return "MThd" + Be(6, 4) + Be(format, 2) + Be(tracks, 2) + Be(division, 2);
}

inline std::string Smf(int format, int division, const std::vector<std::string>& trackEvents) {
  std::string file = Header(format, static_cast<int>(trackEvents.size()), division);
  for (const std::string& events : trackEvents) file += Track(events);
  return file;
}

}  // namespace soundtest
