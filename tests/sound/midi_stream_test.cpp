#include "sound/midi_stream.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/report_log.h"
#include "platform/sound/midi_synth.h"
#include "sound/midi_fixture.h"
#include "sound/music_output.h"
#include "support/temp_folder.h"

namespace {

using namespace soundtest;

// What the fake synthesiser heard, each message with the frame it came at.
struct Heard {
  std::int64_t frame;
  std::uint32_t message;  // short messages; 0 for a long one
  std::vector<std::uint8_t> bytes;
};

struct SynthLog {
  std::int64_t frames = 0;
  std::vector<Heard> heard;
  int notesOff = 0;
  int resets = 0;
};
SynthLog* g_log = nullptr;

class FakeSynth : public platform::MidiSynth {
 public:
  void ShortMessage(std::uint32_t message) override { g_log->heard.push_back({g_log->frames, message, {}}); }
  void LongMessage(const std::uint8_t* bytes, std::size_t size) override {
    g_log->heard.push_back({g_log->frames, 0, std::vector<std::uint8_t>(bytes, bytes + size)});
  }
  void AllNotesOff() override { ++g_log->notesOff; }
  void Reset() override { ++g_log->resets; }
  void MixInto(float*, int frames) override { g_log->frames += frames; }
};

std::unique_ptr<platform::MidiSynth> MakeFake(std::string&) { return std::make_unique<FakeSynth>(); }

struct Pending {
  cMidiStream* player;
  int header;
};
std::vector<Pending>* g_pending = nullptr;
void Collect(cMidiStream* player, int header) { g_pending->push_back({player, header}); }

// A player on an offline mixer with a fake synthesiser; notifications are served between the
// device buffers the test renders, as the player's thread would serve them.
class MidiStreamTest : public testing::Test {
 protected:
  void SetUp() override {
    g_log = &log_;
    g_pending = &pending_;
    platform::SetMidiSynthFactory(&MakeFake);
    cMidiStream::SetNotifyHookForTests(&Collect);
    SetMusicMixer(&mixer_);
    current_.emplace(folder_.path());
    ASSERT_TRUE(LogInit((folder_.path() / "Report_Game.txt").string()));
  }
  void TearDown() override {
    player_.reset();
    mixer_.RenderFloat(buffer_.data(), 1);  // lets the closed stream go
    SetMusicMixer(nullptr);
    cMidiStream::SetNotifyHookForTests(nullptr);
    platform::SetMidiSynthFactory(nullptr);
    LogInit("/dev/null");
  }

  void Load(const std::string& file) {
    folder_.Write("bgm/song.mid", file);
    player_.emplace("bgm\\song.mid");
    ASSERT_TRUE(player_->HasImage());
  }

  // Renders device buffers of 1024 frames, serving notifications after each.
  void Render(int buffers) {
    for (int i = 0; i < buffers; ++i) {
      mixer_.RenderFloat(buffer_.data(), 1024);
      std::vector<Pending> now;
      now.swap(pending_);
      for (const Pending& p : now) p.player->OnPositionReached(p.header);
    }
  }

  std::vector<std::int64_t> FramesOf(std::uint32_t status) const {
    std::vector<std::int64_t> frames;
    for (const Heard& h : log_.heard) {
      if ((h.message & 0xFF) == status && h.message != 0) frames.push_back(h.frame);
    }
    return frames;
  }

  SynthLog log_;
  std::vector<Pending> pending_;
  platform::SoundMixer mixer_;
  std::vector<float> buffer_ = std::vector<float>(2048);
  testsupport::TempFolder folder_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
  std::optional<cMidiStream> player_;
};

// 44100 frames a second; at 96 ticks a quarter and 500000 us a quarter, 229.6875 frames a tick.
TEST_F(MidiStreamTest, NotesComeAtTheirFramesAcrossTempoChanges) {
  const std::string conductor = Ev(0, Tempo(500000)) + Ev(192, Tempo(250000)) + Ev(0, kEndOfTrack);
  const std::string notes = Ev(96, Bytes({0x90, 60, 100})) + Ev(96, Bytes({0x90, 62, 100})) +
                            Ev(96, Bytes({0x90, 64, 100})) + Ev(1, Bytes({0xFF, 0x06, 1, 'x'})) +
                            Ev(95, Bytes({0x90, 65, 100})) + Ev(0, kEndOfTrack);
  Load(Smf(1, 96, {conductor, notes}));
  player_->Restart(false);
  Render(200);
  // Tick 96 at 22050, 192 at 44100, then 114.84375 frames a tick: 288 at 55125, 384 at 66150.
  // The marker at tick 289 costs no time.
  EXPECT_EQ(FramesOf(0x90), (std::vector<std::int64_t>{22050, 44100, 55125, 66150}));
}

TEST_F(MidiStreamTest, ASmpteDivisionCountsTicksInFrames) {
  // 25 frames a second, 40 ticks a frame: 1000 ticks a second, tempo ignored.
  Load(Smf(0, 0xE728, {Ev(0, Tempo(100000)) + Ev(500, Bytes({0x90, 60, 100})) + Ev(0, kEndOfTrack)}));
  player_->Restart(false);
  Render(40);
  EXPECT_EQ(FramesOf(0x90), (std::vector<std::int64_t>{22050}));
}

// A song of over three buffers: one note event a tick, 2000 records to a buffer.
std::string LongSong(int notes) {
  std::string events;
  for (int i = 0; i < notes; ++i) events += Ev(i == 0 ? 0 : 1, Bytes({0x90, 60 + i % 12, 100}));
  return Smf(0, 96, {events + Ev(1, kEndOfTrack)});
}

TEST_F(MidiStreamTest, ASongLongerThanABufferPlaysWithoutGapsAndStops) {
  Load(LongSong(7000));
  player_->Restart(false);
  Render(1700);
  const auto frames = FramesOf(0x90);
  ASSERT_EQ(frames.size(), 7000u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    // Tick i at 229.6875 frames a tick, rounded up to the frame it falls in.
    const std::int64_t expected = (static_cast<std::int64_t>(i) * 2296875 + 9999) / 10000;
    ASSERT_EQ(frames[i], expected) << i;
  }
  // At the end without loop the song waits at its start, its first buffer queued again.
  EXPECT_EQ(player_->State(), cMidiStream::kStopped);
  EXPECT_EQ(player_->Offset(), 22 + 8000);
}

TEST_F(MidiStreamTest, ALoopRestartsWithinOneDeviceBuffer) {
  Load(Smf(0, 96, {Ev(0, Bytes({0x90, 60, 100})) + Ev(96, kEndOfTrack)}));
  player_->Restart(true);
  Render(200);
  const auto frames = FramesOf(0x90);
  ASSERT_GE(frames.size(), 3u);
  for (std::size_t i = 1; i < frames.size(); ++i) {
    const std::int64_t period = frames[i] - frames[i - 1];
    EXPECT_GE(period, 22050) << i;
    EXPECT_LE(period, 22050 + 1024) << i;
  }
  EXPECT_EQ(player_->State(), cMidiStream::kPlaying);
  // The end marker never reaches the synthesiser.
  EXPECT_TRUE(FramesOf(0xFF).empty());
}

TEST_F(MidiStreamTest, PauseHoldsThePlaceAndStopRewinds) {
  Load(Smf(0, 96, {Ev(0, Bytes({0x90, 60, 100})) + Ev(96, Bytes({0x90, 62, 100})) + Ev(0, kEndOfTrack)}));
  player_->Restart(false);
  Render(10);  // 10240 frames: the first note only
  player_->Stop(true);
  EXPECT_EQ(player_->State(), cMidiStream::kPaused);
  EXPECT_GE(log_.notesOff, 1);
  Render(10);
  EXPECT_EQ(FramesOf(0x90).size(), 1u);
  player_->Restart(false);
  Render(20);
  // The second note comes 22050 frames of playing after the first, plus the paused 10240.
  EXPECT_EQ(FramesOf(0x90), (std::vector<std::int64_t>{0, 22050 + 10240}));

  player_->Stop(false);
  EXPECT_EQ(player_->State(), cMidiStream::kStopped);
  const std::int64_t stoppedAt = log_.frames;
  player_->Restart(false);
  Render(2);
  const auto frames = FramesOf(0x90);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[2], stoppedAt);  // from the start again
}

TEST_F(MidiStreamTest, ASysexOfFiveDataBytesTakesATwentyByteRecord) {
  const std::string gmReset = Bytes({0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7});
  Load(Smf(0, 96, {Ev(0, gmReset) + Ev(0, Bytes({0x90, 60, 100})) + Ev(0, kEndOfTrack)}));
  const platform::MidiHeader& first = player_->Header(0);
  // 20 bytes of sysex, 12 for the note, 12 for the end.
  ASSERT_EQ(first.bytesRecorded, 44u);
  EXPECT_EQ(first.data[8], 6);  // F0 and the five bytes after it
  EXPECT_EQ(first.data[11] & 0x80, 0x80);
  player_->Restart(false);
  Render(1);
  ASSERT_FALSE(log_.heard.empty());
  EXPECT_EQ(log_.heard[0].bytes, (std::vector<std::uint8_t>{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
  EXPECT_EQ(log_.heard[1].frame, 0);
}

TEST_F(MidiStreamTest, SkippedEventsCostNoTime) {
  // A tempo meta of the wrong length and a sysex no buffer could hold are left out; their time
  // goes to the note after them.
  const std::string hugeSysex = Bytes({0xF0}) + Vlq(24000) + std::string(23999, '\x01') + Bytes({0xF7});
  Load(Smf(0, 96, {Ev(0, Bytes({0x90, 50, 100})) + Ev(10, Bytes({0xFF, 0x51, 0x02, 0x01, 0x02})) +
                   Ev(38, hugeSysex) + Ev(48, Bytes({0x90, 60, 100})) + Ev(0, kEndOfTrack)}));
  player_->Restart(false);
  Render(40);
  EXPECT_EQ(FramesOf(0x90), (std::vector<std::int64_t>{0, 22050}));
  for (const Heard& h : log_.heard) EXPECT_NE(h.message, 0u) << "a long message reached the synthesiser";
}

TEST_F(MidiStreamTest, ASkippedEventBeforeAFullBufferTakesItsTimeIntoTheNext) {
  // 2000 records fill the first buffer; the marker after them is skipped, and the note that
  // does not fit carries the marker's time into the second buffer.
  std::string events;
  for (int i = 0; i < 2000; ++i) events += Ev(i == 0 ? 0 : 1, Bytes({0x90, 60, 100}));
  events += Ev(1, Bytes({0xFF, 0x06, 0x01, 'm'})) + Ev(1, Bytes({0x90, 72, 100})) + Ev(0, kEndOfTrack);
  Load(Smf(0, 96, {events}));
  EXPECT_EQ(player_->Header(0).bytesRecorded, 24000u);
  player_->Restart(false);
  Render(500);
  const auto frames = FramesOf(0x90);
  ASSERT_EQ(frames.size(), 2001u);
  EXPECT_EQ(frames[2000], (2001LL * 2296875 + 9999) / 10000);
}

TEST_F(MidiStreamTest, TheRealThreadServesTheEnd) {
  cMidiStream::SetNotifyHookForTests(nullptr);
  Load(Smf(0, 96, {Ev(0, Bytes({0x90, 60, 100})) + Ev(1, kEndOfTrack)}));
  player_->Restart(false);
  for (int i = 0; i < 2000 && player_->State() != cMidiStream::kStopped; ++i) {
    mixer_.RenderFloat(buffer_.data(), 1024);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(player_->State(), cMidiStream::kStopped);
}

}  // namespace
