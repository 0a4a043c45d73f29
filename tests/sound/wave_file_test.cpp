#include "sound/wave_file.h"

#include <gtest/gtest.h>

#include <span>

#include "sound/wave_fixture.h"

namespace {

using soundtest::WaveFixture;

bool Read(const std::string& bytes, WaveData& wave) {
  return ReadWaveBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), &wave);
}

std::string Chunk(const char* id, const std::string& body) {
  testsupport::ByteBuilder b;
  b.raw(id).u32(static_cast<std::uint32_t>(body.size())).raw(body);
  if (body.size() % 2 != 0) b.u8(0);
  return b.bytes();
}

TEST(WaveFile, AcceptedShapesGiveTheirFormatAndSamples) {
  struct Case {
    const char* name;
    WaveFixture file;
    std::uint32_t size;
  };
  WaveFixture plain;
  WaveFixture fmt18;
  fmt18.fmtSize = 18;
  WaveFixture fmt40;
  fmt40.fmtSize = 40;
  WaveFixture listFirst;
  listFirst.before = Chunk("LIST", std::string(10, 'x'));
  WaveFixture oddChunk;
  oddChunk.before = Chunk("junk", "abc");  // odd length: a pad byte follows
  WaveFixture truncated;
  truncated.dataSize = 1000;  // more than the file holds
  WaveFixture lyingRiff;
  lyingRiff.riffSize = 0x7FFFFFF0;
  const Case cases[] = {{"plain", plain, 64},          {"fmt of 18 bytes", fmt18, 64}, {"fmt of 40 bytes", fmt40, 64},
                        {"LIST first", listFirst, 64}, {"odd chunk", oddChunk, 64},   {"truncated data", truncated, 64},
                        {"lying RIFF size", lyingRiff, 64}};
  for (const Case& c : cases) {
    WaveData wave;
    ASSERT_TRUE(Read(c.file.Bytes(), wave)) << c.name;
    EXPECT_EQ(wave.format.formatTag, 1) << c.name;
    EXPECT_EQ(wave.format.samplesPerSec, 22050u) << c.name;
    EXPECT_EQ(wave.format.bitsPerSample, 8) << c.name;
    EXPECT_EQ(wave.size, c.size) << c.name;
    EXPECT_EQ(wave.samples.size(), c.size) << c.name;
  }
}

TEST(WaveFile, BrokenOrForeignFilesAreRefused) {
  WaveFixture floatTag;
  floatTag.tag = 3;
  WaveFixture shortFmt;
  shortFmt.fmtSize = 14;
  const std::string noData = WaveFixture{}.Bytes().substr(0, 12 + 8 + 16);
  const std::string cases[] = {
      floatTag.Bytes(), shortFmt.Bytes(), noData, "RIFF", std::string("RIFX\x10\0\0\0WAVE", 12),
      std::string("RIFF\x04\0\0\0WAVEfmt ", 16),
  };
  for (const std::string& bytes : cases) {
    WaveData wave;
    EXPECT_FALSE(Read(bytes, wave)) << testing::PrintToString(bytes.substr(0, 16));
  }
}

TEST(WaveFile, FormatsThatCannotMakeABufferAreReadButNotPlayable) {
  struct Case {
    std::uint16_t channels;
    std::uint16_t bits;
    std::uint32_t rate;
    std::uint16_t align;
    bool playable;
  };
  const Case cases[] = {{1, 8, 22050, 0, true},   {2, 16, 44100, 0, true}, {0, 8, 22050, 1, false},
                        {3, 16, 44100, 0, false}, {1, 24, 44100, 0, false}, {1, 8, 99, 0, false},
                        {1, 8, 200001, 0, false}, {2, 16, 44100, 2, false}};
  for (const Case& c : cases) {
    WaveFixture file;
    file.channels = c.channels;
    file.bits = c.bits;
    file.rate = c.rate;
    file.blockAlign = c.align;
    WaveData wave;
    ASSERT_TRUE(Read(file.Bytes(), wave));
    EXPECT_EQ(WaveFormatPlayable(wave.format), c.playable) << c.channels << " " << c.bits << " " << c.rate;
  }
}

}  // namespace
