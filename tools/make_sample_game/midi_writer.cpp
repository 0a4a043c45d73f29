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

// Microseconds per beat, three bytes big-endian.
std::string TempoBytes(int bpm) {
  const std::uint32_t micros = 60000000u / static_cast<std::uint32_t>(bpm);
  std::string tempo;
  tempo += static_cast<char>((micros >> 16) & 0xFF);
  tempo += static_cast<char>((micros >> 8) & 0xFF);
  tempo += static_cast<char>(micros & 0xFF);
  return tempo;
}

}  // namespace

std::string EncodeMidi(const Tune& tune) {
  std::string file = "MThd";
  PutBE32(file, 6);
  PutBE16(file, 1);
  PutBE16(file, static_cast<std::uint16_t>(1 + tune.parts.size()));
  PutBE16(file, kTicksPerBeat);

  const int passes = std::max(1, tune.passes);
  const int songTicks = tune.lengthTicks * passes;
  std::vector<TrackEvent> conductor = {{0, 0, Meta(0x03, tune.title)},
                                       {0, 0, Meta(0x58, std::string("\x04\x02\x18\x08", 4))},
                                       {0, 0, Meta(0x51, TempoBytes(tune.bpm))}};
  // F0, its length, then the General MIDI "system on" message.
  if (tune.gmReset) conductor.push_back({0, 0, std::string("\xF0\x05\x7E\x7F\x09\x01\xF7", 7)});
  for (const TempoChange& change : tune.tempoChanges) {
    conductor.push_back({change.tick, 0, Meta(0x51, TempoBytes(change.bpm))});
  }
  file += TrackChunk(std::move(conductor), songTicks);

  for (const MusicPart& part : tune.parts) {
    std::vector<TrackEvent> events;
    events.push_back({0, 0, Meta(0x03, part.name)});
    if (part.channel != 9) events.push_back({0, 0, Channel(0xC0, part.channel, {part.program})});
    events.push_back({0, 0, Channel(0xB0, part.channel, {7, part.volume})});
    for (int pass = 0; pass < passes; ++pass) {
      const int start = pass * tune.lengthTicks;
      for (const MusicNote& note : part.notes) {
        events.push_back({start + note.tick, 2, Channel(0x90, part.channel, {note.pitch, note.velocity})});
        events.push_back({start + note.tick + note.length, 1, Channel(0x80, part.channel, {note.pitch, 0})});
      }
    }
    file += TrackChunk(std::move(events), songTicks);
  }
  return file;
}

}  // namespace sample
