#include "sound/smf.h"

#include <gtest/gtest.h>

#include <span>

#include "core/report_log.h"
#include "sound/midi_fixture.h"
#include "support/temp_folder.h"

namespace {

using namespace soundtest;

std::span<const std::uint8_t> Span(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string ImageEvents(const std::vector<std::uint8_t>& image) {
  return std::string(image.begin() + 22, image.end());
}

// Converts through the header checks with the report log captured.
class SmfTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LogInit((folder_.path() / "Report_Game.txt").string())); }
  void TearDown() override { LogInit("/dev/null"); }
  std::optional<std::vector<std::uint8_t>> Convert(const std::string& file) { return smf_.Check(Span(file)); }
  std::string Log() const { return testsupport::ReadFileBytes(folder_.path() / "Report_Game.txt"); }

  testsupport::TempFolder folder_;
  cSmf smf_;
};

const std::string kNoteOn = Bytes({0x90, 60, 100});
const std::string kNoteOff = Bytes({0x80, 60, 0});

TEST_F(SmfTest, TheImageIsAFormatZeroFileWithEveryStatusWritten) {
  const std::string file = Smf(0, 480, {Ev(0, kNoteOn) + Ev(10, Bytes({60, 0})) + Ev(5, kEndOfTrack)});
  const auto image = Convert(file);
  ASSERT_TRUE(image);
  const std::string expected = Header(0, 1, 480) + "MTrk" + Be(12, 4) + Ev(0, kNoteOn) +
                               Ev(10, Bytes({0x90, 60, 0})) + Ev(5, kEndOfTrack);
  EXPECT_EQ(std::string(image->begin(), image->end()), expected);
}

TEST_F(SmfTest, AConductorTrackAndTwoNoteTracksMergeOnOneTimeLine) {
  const std::string conductor = Ev(0, Tempo(500000)) + Ev(1920, Tempo(400000)) + Ev(0, kEndOfTrack);
  const std::string one = Ev(960, Bytes({0x91, 64, 90})) + Ev(1920, Bytes({0x81, 64, 0})) + Ev(0, kEndOfTrack);
  const std::string two = Ev(960, Bytes({0x92, 67, 90})) + Ev(960, Bytes({0xC2, 5})) + Ev(0, kEndOfTrack);
  const auto image = Convert(Smf(1, 480, {conductor, one, two}));
  ASSERT_TRUE(image);
  // At tick 960 track 1 before track 2; at 1920 the conductor's tempo before track 2.
  const std::string expected = Ev(0, Tempo(500000)) + Ev(960, Bytes({0x91, 64, 90})) + Ev(0, Bytes({0x92, 67, 90})) +
                               Ev(960, Tempo(400000)) + Ev(0, Bytes({0xC2, 5})) + Ev(960, Bytes({0x81, 64, 0})) +
                               Ev(0, kEndOfTrack);
  EXPECT_EQ(ImageEvents(*image), expected);
}

TEST_F(SmfTest, RunningStatusAndOtherChunksMakeNoDifference) {
  const std::string plain =
      Smf(0, 96, {Ev(0, Bytes({0x90, 60, 100})) + Ev(4, Bytes({0x90, 62, 100})) + Ev(4, Bytes({0xC0, 3})) +
                  Ev(4, Bytes({0xC0, 4})) + Ev(0, kEndOfTrack)});
  const std::string running = Smf(0, 96, {Ev(0, Bytes({0x90, 60, 100})) + Ev(4, Bytes({62, 100})) +
                                          Ev(4, Bytes({0xC0, 3})) + Ev(4, Bytes({4})) + Ev(0, kEndOfTrack)});
  // An unknown chunk between the header and the track, stepped over by its length.
  std::string withChunk = Header(0, 1, 96) + "XFIH" + Be(3, 4) + "abc" +
                          Track(Ev(0, Bytes({0x90, 60, 100})) + Ev(4, Bytes({0x90, 62, 100})) +
                                Ev(4, Bytes({0xC0, 3})) + Ev(4, Bytes({0xC0, 4})) + Ev(0, kEndOfTrack));
  const auto a = Convert(plain);
  const auto b = Convert(running);
  ASSERT_TRUE(a);
  ASSERT_TRUE(b);
  EXPECT_EQ(*a, *b);
  // The header's own check wants "MTrk" at 14; a leading foreign chunk is refused there.
  EXPECT_FALSE(Convert(withChunk));
  const std::string between = Header(1, 2, 96) + Track(Ev(0, kEndOfTrack)) + "XFIH" + Be(2, 4) + "ab" +
                              Track(Ev(0, Bytes({0x90, 60, 100})) + Ev(4, Bytes({0x90, 62, 100})) +
                                    Ev(4, Bytes({0xC0, 3})) + Ev(4, Bytes({0xC0, 4})) + Ev(0, kEndOfTrack));
  const auto c = Convert(between);
  ASSERT_TRUE(c);
  EXPECT_EQ(*c, *a);
}

TEST_F(SmfTest, TheSongEndsAtTheLatestTrackEnd) {
  const auto image = Convert(Smf(1, 96, {Ev(0, kNoteOn) + Ev(500, kEndOfTrack), Ev(10, kNoteOff) + Ev(50, kEndOfTrack)}));
  ASSERT_TRUE(image);
  EXPECT_EQ(ImageEvents(*image), Ev(0, kNoteOn) + Ev(10, kNoteOff) + Ev(490, kEndOfTrack));
}

TEST_F(SmfTest, EveryRefusalIsLoggedWithItsOwnText) {
  struct Case {
    const char* name;
    std::string file;
    const char* text;
  };
  const std::string track = Track(Ev(0, kNoteOn) + Ev(0, kEndOfTrack));
  const Case cases[] = {
      {"short", Header(0, 1, 96) + "MTrk", "標準MIDIでない(7)"},
      {"not MThd", "MThx" + Header(0, 1, 96).substr(4) + track, "標準MIDIでない(4)"},
      {"header length", "MThd" + Be(7, 4) + Be(0, 2) + Be(1, 2) + Be(96, 2) + track, "標準MIDIでない(6)"},
      {"format 2", Header(2, 1, 96) + track, "対応フォーマットが2でない"},
      {"format 3", Header(3, 1, 96) + track, "対応フォーマットが0または1でない"},
      {"not MTrk", Header(0, 1, 96) + "MTrx" + track.substr(4), "標準MIDIでない(4)"},
      {"no tracks", Header(0, 0, 96) + track, "標準MIDIでない(8)"},
      {"chunk past end", Header(0, 1, 96) + "MTrk" + Be(400, 4) + Ev(0, kNoteOn) + Ev(0, kEndOfTrack),
       "標準MIDIでない(9)"},
      {"too few tracks", Header(1, 3, 96) + track + track, "標準MIDIでない(9)"},
      {"no end of track", Header(0, 1, 96) + Track(Ev(0, kNoteOn) + Ev(0, kNoteOff) + Ev(0, kNoteOn)),
       "標準MIDIでない(10)"},
      {"event cut off", Header(0, 1, 96) + Track(Ev(0, kNoteOn) + Ev(0, Bytes({0xFF, 0x01, 0x40, 'a'}))),
       "標準MIDIでない(10)"},
      {"five-byte quantity", Header(0, 1, 96) + Track(Bytes({0x81, 0x80, 0x80, 0x80, 0x00}) + kNoteOn + Ev(0, kEndOfTrack)),
       "標準MIDIでない(11)"},
      {"no running status", Header(0, 1, 96) + Track(Ev(0, Bytes({60, 100})) + Ev(0, kEndOfTrack)), "標準MIDIでない(13)"},
      {"running status after sysex",
       Header(0, 1, 96) + Track(Ev(0, Bytes({0xF0, 1, 0xF7})) + Ev(0, Bytes({60, 100})) + Ev(0, kEndOfTrack)),
       "標準MIDIでない(13)"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(LogInit((folder_.path() / "Report_Game.txt").string()));
    smf_.LoadFile("bgm\\missing.mid");  // sets the name the lines carry
    ASSERT_TRUE(LogInit((folder_.path() / "Report_Game.txt").string()));
    EXPECT_FALSE(Convert(c.file)) << c.name;
    const std::string log = Log();
    EXPECT_NE(log.find(std::string("Midi bgm\\missing.mid Init ") + c.text), std::string::npos) << c.name << ": " << log;
  }
}

TEST_F(SmfTest, AMissingFileIsLogged) {
  smf_.LoadFile("bgm\\none.mid");
  EXPECT_FALSE(smf_.HasImage());
  EXPECT_NE(Log().find("Midi bgm\\none.mid Create ファイルが開けません"), std::string::npos);
}

TEST(SmfVarLen, ReadAndWriteFollowTheFourByteRule) {
  struct Case {
    std::uint32_t value;
    std::string bytes;
  };
  const Case cases[] = {{0, Bytes({0})},
                        {0x40, Bytes({0x40})},
                        {0x7F, Bytes({0x7F})},
                        {0x80, Bytes({0x81, 0x00})},
                        {0x2000, Bytes({0xC0, 0x00})},
                        {0x3FFF, Bytes({0xFF, 0x7F})},
                        {0x100000, Bytes({0xC0, 0x80, 0x00})},
                        {0x0FFFFFFF, Bytes({0xFF, 0xFF, 0xFF, 0x7F})}};
  for (const Case& c : cases) {
    std::uint8_t out[4] = {};
    ASSERT_EQ(cSmf::WriteVarLen(out, c.value), static_cast<int>(c.bytes.size())) << c.value;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), c.bytes.size()), c.bytes);
    std::uint32_t value = 0;
    EXPECT_EQ(cSmf::ReadVarLen(out, 4, value), static_cast<int>(c.bytes.size()));
    EXPECT_EQ(value, c.value);
  }
  std::uint8_t out[4] = {9, 9, 9, 9};
  EXPECT_EQ(cSmf::WriteVarLen(out, 0x10000000), 0);
  EXPECT_EQ(out[0], 9);
  const std::uint8_t endless[5] = {0x80, 0x80, 0x80, 0x80, 0x00};
  std::uint32_t value = 0;
  EXPECT_EQ(cSmf::ReadVarLen(endless, 5, value), 0);
  EXPECT_EQ(cSmf::ReadVarLen(endless, 2, value), 0);
}

}  // namespace
