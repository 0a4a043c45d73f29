#include "make_sample_game/midi_writer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace sample {

namespace {

void PutBE16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value >> 8);
  out += static_cast<char>(value & 0xFF);
}

void PutBE32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

// A variable-length quantity: seven bits a byte, most significant first.
void PutVlq(std::string& out, std::uint32_t value) {
  char bytes[5];
  int count = 0;
  bytes[count++] = static_cast<char>(value & 0x7F);
  while ((value >>= 7) != 0) bytes[count++] = static_cast<char>((value & 0x7F) | 0x80);
  while (count > 0) out += bytes[--count];
}

struct TrackEvent {
  int tick;
  int order;  // at one tick: set-up first, then note-offs, then note-ons
  std::string bytes;
};

std::string TrackChunk(std::vector<TrackEvent> events, int endTick) {
  std::stable_sort(events.begin(), events.end(), [](const TrackEvent& a, const TrackEvent& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::string body;
  int now = 0;
  for (const TrackEvent& e : events) {
    PutVlq(body, static_cast<std::uint32_t>(e.tick - now));
    body += e.bytes;
    now = e.tick;
  }
  PutVlq(body, static_cast<std::uint32_t>(std::max(0, endTick - now)));
  body += "\xFF\x2F";
  body += '\0';
  std::string chunk = "MTrk";
  PutBE32(chunk, static_cast<std::uint32_t>(body.size()));
  return chunk + body;
}

std::string Meta(std::uint8_t type, const std::string& data) {
  std::string bytes;
  bytes += '\xFF';
  bytes += static_cast<char>(type);
  PutVlq(bytes, static_cast<std::uint32_t>(data.size()));
  return bytes + data;
}

std::string Channel(std::uint8_t status, int channel, std::initializer_list<int> data) {
  std::string bytes;
  bytes += static_cast<char>(status | channel);
  for (int d : data) bytes += static_cast<char>(d & 0x7F);
  return bytes;
}

}  // namespace

std::string EncodeMidi(const Tune& tune) {
  std::string file = "MThd";
  PutBE32(file, 6);
  PutBE16(file, 1);
  PutBE16(file, static_cast<std::uint16_t>(1 + tune.parts.size()));
  PutBE16(file, kTicksPerBeat);

  const std::uint32_t microsPerBeat = 60000000u / static_cast<std::uint32_t>(tune.bpm);
  std::string tempo;
  tempo += static_cast<char>((microsPerBeat >> 16) & 0xFF);
  tempo += static_cast<char>((microsPerBeat >> 8) & 0xFF);
  tempo += static_cast<char>(microsPerBeat & 0xFF);
  file += TrackChunk({{0, 0, Meta(0x03, tune.title)}, {0, 0, Meta(0x58, std::string("\x04\x02\x18\x08", 4))},
                      {0, 0, Meta(0x51, tempo)}},
                     tune.lengthTicks);

  for (const MusicPart& part : tune.parts) {
    std::vector<TrackEvent> events;
    events.push_back({0, 0, Meta(0x03, part.name)});
    if (part.channel != 9) events.push_back({0, 0, Channel(0xC0, part.channel, {part.program})});
    events.push_back({0, 0, Channel(0xB0, part.channel, {7, part.volume})});
    for (const MusicNote& note : part.notes) {
      events.push_back({note.tick, 2, Channel(0x90, part.channel, {note.pitch, note.velocity})});
      events.push_back({note.tick + note.length, 1, Channel(0x80, part.channel, {note.pitch, 0})});
    }
    file += TrackChunk(std::move(events), tune.lengthTicks);
  }
  return file;
}

}  // namespace sample
