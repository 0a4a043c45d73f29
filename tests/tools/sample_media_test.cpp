#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/host_path.h"
#include "data/database.h"
#include "data/project_paths.h"
#include "data/system_data.h"
#include "sample_game_fixture.h"

namespace {

using sampletest::GameFolderTest;
using testsupport::ReadFileBytes;

std::uint32_t LE32(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
         static_cast<std::uint8_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}
std::uint16_t LE16(const std::string& b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}
std::uint32_t BE32(const std::string& b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at])) << 24 | static_cast<std::uint8_t>(b[at + 1]) << 16 |
         static_cast<std::uint8_t>(b[at + 2]) << 8 | static_cast<std::uint8_t>(b[at + 3]);
}
std::uint16_t BE16(const std::string& b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) << 8 | static_cast<std::uint8_t>(b[at + 1]));
}

// What the sound player takes: RIFF WAVE with a PCM "fmt " chunk and a "data" chunk, read by
// chunk as the player walks them. Empty when the file is fine, else why not.
std::string WaveProblem(const std::string& b) {
  if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return "not RIFF WAVE";
  if (LE32(b, 4) + 8 != b.size()) return "RIFF size does not match the file";
  bool pcm = false;
  std::uint32_t data = 0;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::string id = b.substr(at, 4);
    const std::uint32_t size = LE32(b, at + 4);
    if (at + 8 + size > b.size()) return "chunk " + id + " runs past the end";
    if (id == "fmt ") {
      pcm = size >= 16 && LE16(b, at + 8) == 1 && LE16(b, at + 10) == 1 && LE32(b, at + 12) == 22050 && LE16(b, at + 22) == 16;
    } else if (id == "data") {
      data = size;
    }
    at += 8 + size + (size & 1);
  }
  if (!pcm) return "not mono 16-bit PCM at 22050 Hz";
  if (data == 0) return "no samples";
  return {};
}

// What the MIDI reader accepts: MThd of format 0 or 1, and every track, chunk after chunk,
// running to an end-of-track event that ends its chunk.
std::string MidiProblem(const std::string& b) {
  if (b.size() < 14 || b.compare(0, 4, "MThd") != 0 || BE32(b, 4) != 6) return "no MThd header";
  if (BE16(b, 8) > 1) return "format beyond 1";
  const int tracks = BE16(b, 10);
  std::size_t at = 14;
  for (int t = 0; t < tracks; ++t) {
    if (at + 8 > b.size() || b.compare(at, 4, "MTrk") != 0) return "track " + std::to_string(t) + " missing";
    const std::uint32_t size = BE32(b, at + 4);
    if (at + 8 + size > b.size() || size < 4) return "track " + std::to_string(t) + " runs past the end";
    if (b.compare(at + 8 + size - 3, 3, std::string("\xFF\x2F\x00", 3)) != 0) return "track without its end event";
    at += 8 + size;
  }
  if (at != b.size()) return "bytes after the last track";
  return {};
}

// An Ogg Vorbis file: pages with the capture pattern, the first packet the Vorbis
// identification header (mono, 22050 Hz), the last page marked as the end of the stream.
std::string OggProblem(const std::string& b) {
  if (b.size() < 58 || b.compare(0, 4, "OggS") != 0) return "no Ogg page";
  const std::size_t segments = static_cast<std::uint8_t>(b[26]);
  const std::size_t body = 27 + segments;
  if (b.compare(body, 7, std::string("\x01vorbis", 7)) != 0) return "no Vorbis identification header";
  if (static_cast<std::uint8_t>(b[body + 11]) != 1 || LE32(b, body + 12) != 22050) return "not mono at 22050 Hz";
  std::size_t at = 0;
  std::uint8_t lastFlags = 0;
  while (at < b.size()) {
    if (at + 27 > b.size() || b.compare(at, 4, "OggS") != 0) return "a page without its capture pattern";
    lastFlags = static_cast<std::uint8_t>(b[at + 5]);
    const std::size_t count = static_cast<std::uint8_t>(b[at + 26]);
    std::size_t length = 0;
    for (std::size_t s = 0; s < count; ++s) length += static_cast<std::uint8_t>(b[at + 27 + s]);
    at += 27 + count + length;
  }
  if (at != b.size()) return "the last page runs past the end";
  if ((lastFlags & 4) == 0) return "the stream has no end";
  return {};
}

class SampleMediaTest : public GameFolderTest {};

// Every sound the game names, through the system data and the sound database, is there and a
// PCM WAVE file.
TEST_F(SampleMediaTest, EveryNamedSoundIsAPcmWaveFile) {
  cSystemData system;
  ASSERT_EQ(system.Load(ProjectPaths[kPathSystemData]), 1);
  ASSERT_EQ(Database.Load(), 1);
  std::vector<std::string> names(system.SystemSounds.begin(), system.SystemSounds.end());
  for (std::size_t i = 1; i < Database.Sounds.size(); ++i) names.push_back(Database.Sounds[static_cast<int>(i)].strFile);
  EXPECT_EQ(names.size(), 17u + 8u);
  for (const std::string& name : names) {
    ASSERT_FALSE(name.empty());
    const std::string host = HostPathForRead(name);
    ASSERT_FALSE(host.empty()) << name << " is missing";
    EXPECT_EQ(WaveProblem(ReadFileBytes(host)), "") << name;
  }
}

// Every music record names a file of the kind its extension says, and the menus' music
// numbers name records that exist; at least one is Ogg Vorbis.
TEST_F(SampleMediaTest, EveryMusicRecordNamesAPlayableFile) {
  cSystemData system;
  ASSERT_EQ(system.Load(ProjectPaths[kPathSystemData]), 1);
  ASSERT_EQ(Database.Load(), 1);
  for (int slot = 0; slot < kMenuMusicCount; ++slot) {
    EXPECT_GT(system.MenuMusic[slot], 0);
    EXPECT_LT(static_cast<std::size_t>(system.MenuMusic[slot]), Database.Bgms.size());
  }
  int ogg = 0;
  for (std::size_t i = 1; i < Database.Bgms.size(); ++i) {
    const std::string& name = Database.Bgms[static_cast<int>(i)].strFile;
    const std::string host = HostPathForRead(name);
    ASSERT_FALSE(host.empty()) << name << " is missing";
    const std::string bytes = ReadFileBytes(host);
    if (name.ends_with(".ogg")) {
      ++ogg;
      EXPECT_EQ(OggProblem(bytes), "") << name;
    } else {
      ASSERT_TRUE(name.ends_with(".mid") || name.ends_with(".MID")) << name;
      EXPECT_EQ(MidiProblem(bytes), "") << name;
    }
  }
  EXPECT_GE(ogg, 1);
}

}  // namespace
