#include "sound/music_manager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/report_log.h"
#include "platform/sound/midi_synth.h"
#include "sound/midi_fixture.h"
#include "sound/music_output.h"
#include "support/temp_folder.h"

namespace {

using namespace soundtest;

// What the fake Ogg objects were asked to do, in order.
std::vector<std::string>* g_calls = nullptr;

class FakeVox : public cVoxObject {
 public:
  bool Load(const char* path) override {
    g_calls->push_back(std::string("Load ") + path);
    return std::strstr(path, "missing") == nullptr;
  }
  void Play() override { g_calls->push_back("Play"); }
  void Stop() override { g_calls->push_back("Stop"); }
  void Close() override { g_calls->push_back("Close"); }
  void SetLoop(std::int32_t count) override { g_calls->push_back("SetLoop " + std::to_string(count)); }
  void Delete() override { g_calls->push_back("Delete"); }
};

std::unique_ptr<cVoxObject> MakeFakeVox() { return std::make_unique<FakeVox>(); }

class SilentSynth : public platform::MidiSynth {
  void ShortMessage(std::uint32_t) override {}
  void LongMessage(const std::uint8_t*, std::size_t) override {}
  void AllNotesOff() override {}
  void Reset() override {}
  void MixInto(float*, int) override {}
};
std::unique_ptr<platform::MidiSynth> MakeSilent(std::string&) { return std::make_unique<SilentSynth>(); }

class MusicManagerTest : public testing::Test {
 protected:
  void SetUp() override {
    g_calls = &calls_;
    SetVoxFactory(&MakeFakeVox);
    platform::SetMidiSynthFactory(&MakeSilent);
    SetMusicMixer(&mixer_);
    folder_.Write("bgm/Song.mid", Smf(0, 96, {Ev(0, Bytes({0x90, 60, 100})) + Ev(96, kEndOfTrack)}));
    current_.emplace(folder_.path());
    ASSERT_TRUE(LogInit((folder_.path() / "Report_Game.txt").string()));
    std::memcpy(ogg_, BgmOggNames, sizeof ogg_);
    std::memcpy(midi_, BgmMidiNames, sizeof midi_);
  }
  void TearDown() override {
    bgm_.Release();
    SetMusicMixer(nullptr);
    platform::SetMidiSynthFactory(nullptr);
    ResetVoxFactory();
    LogInit("/dev/null");
  }

  platform::SoundMixer mixer_;
  std::vector<std::string> calls_;
  MusicNameRow ogg_[kMusicTracks];
  MusicNameRow midi_[kMusicTracks];
  testsupport::TempFolder folder_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
  cBgm bgm_;
};

TEST_F(MusicManagerTest, SetTrackSortsFilesByExtension) {
  ASSERT_EQ(bgm_.Init(1, ogg_, midi_, kMusicTracks), 1);
  struct Case {
    const char* file;
    int result;
    int kind;
    const char* oggRow;
    const char* midiRow;
  };
  const std::string longName = "bgm\\" + std::string(260, 'a') + ".ogg";
  const Case cases[] = {
      {"bgm\\Song.MID", 1, kTrackMidi, "bgm\\Title.ogg", "bgm\\Song.mid"},
      {"bgm\\Song.mid", 1, kTrackMidi, "bgm\\Title.ogg", "bgm\\Song.mid"},
      {"bgm\\Song.ogg", 1, kTrackOgg, "bgm\\Song.ogg", "bgm\\Title.mid"},
      {"bgm\\Song.OGG", 1, kTrackOgg, "bgm\\Song.OGG", "bgm\\Title.mid"},
      {"bgm\\Song.Ogg", 0, kTrackEither, "bgm\\Song.Ogg", "bgm\\Song.Ogg"},
      {"bgm\\Song.wav", 0, kTrackEither, "bgm\\Song.wav", "bgm\\Song.wav"},
      {"bgm\\Song", 0, kTrackEither, "", ""},
      {longName.c_str(), 0, kTrackEither, "", ""},
  };
  for (const Case& c : cases) {
    std::memcpy(ogg_, BgmOggNames, sizeof ogg_);
    std::memcpy(midi_, BgmMidiNames, sizeof midi_);
    EXPECT_EQ(bgm_.SetTrack(0, c.file), c.result) << c.file;
    EXPECT_EQ(bgm_.TrackType(0), c.kind) << c.file;
    EXPECT_STREQ(ogg_[0], c.oggRow) << c.file;
    EXPECT_STREQ(midi_[0], c.midiRow) << c.file;
  }
  EXPECT_EQ(bgm_.SetTrack(5, "bgm\\Song.ogg"), 0);
}

TEST_F(MusicManagerTest, OggStopsMidiAndMidiStopsOgg) {
  ASSERT_EQ(bgm_.Init(1, ogg_, midi_, kMusicTracks), 1);
  bgm_.SetTrack(1, "bgm\\Song.mid");
  bgm_.SetTrack(0, "bgm\\Song.ogg");
  ASSERT_EQ(bgm_.Play(0, 1, true), 1);
  cMidiStream* midi = bgm_.MidiList().Player(0);
  ASSERT_NE(midi, nullptr);
  EXPECT_EQ(midi->State(), cMidiStream::kPlaying);

  calls_.clear();
  ASSERT_EQ(bgm_.Play(0, 0, true), 1);
  EXPECT_EQ(calls_, (std::vector<std::string>{"Close", "Load bgm\\Song.ogg", "SetLoop 2147483647", "Play"}));
  EXPECT_EQ(midi->State(), cMidiStream::kStopped);
  EXPECT_EQ(bgm_.Vox().Current(), 0);

  calls_.clear();
  ASSERT_EQ(bgm_.Play(0, 1, false), 1);
  EXPECT_EQ(calls_, (std::vector<std::string>{"Stop"}));
  EXPECT_EQ(bgm_.Vox().Current(), -1);
}

TEST_F(MusicManagerTest, ATrackThatCannotPlayLeavesSilence) {
  ASSERT_EQ(bgm_.Init(1, ogg_, midi_, kMusicTracks), 1);
  bgm_.SetTrack(0, "bgm\\Song.ogg");
  ASSERT_EQ(bgm_.Play(0, 0, true), 1);
  // Either kind: the Ogg try fails, the MIDI list refuses a name not ending in "mid".
  bgm_.SetTrack(2, "bgm\\missing.xm");
  calls_.clear();
  EXPECT_EQ(bgm_.Play(0, 2, true), 0);
  EXPECT_EQ(calls_, (std::vector<std::string>{"Stop", "Close", "Load bgm\\missing.xm"}));
  EXPECT_EQ(bgm_.Vox().Current(), -1);
  // A name without an extension tries nothing.
  bgm_.SetTrack(3, "bgm\\nothing");
  calls_.clear();
  EXPECT_EQ(bgm_.Play(0, 3, true), 0);
  EXPECT_TRUE(calls_.empty());
  // A MIDI file that is not there.
  bgm_.SetTrack(4, "bgm\\missing.mid");
  EXPECT_EQ(bgm_.Play(0, 4, true), 0);
}

TEST_F(MusicManagerTest, AFailedInitPlaysNothingAndMusicOffDoesNothing) {
  SetVoxFactory(nullptr);
  testsupport::TempFolder logs;
  EXPECT_EQ(bgm_.Init(1, ogg_, midi_, kMusicTracks), 0);
  EXPECT_TRUE(bgm_.Initialised());
  EXPECT_EQ(bgm_.SetTrack(0, "bgm\\Song.mid"), 0);
  EXPECT_EQ(bgm_.Play(0, 0, true), 0);
  EXPECT_EQ(bgm_.MidiList().Player(0), nullptr);
  bgm_.Release();

  cBgm off;
  EXPECT_EQ(off.SetTrack(0, "bgm\\Song.mid"), 1);
  EXPECT_EQ(off.Play(0, 0, true), 1);
  EXPECT_EQ(off.MidiList().Player(0), nullptr);
}

TEST_F(MusicManagerTest, ReleaseDeletesEveryPlayer) {
  ASSERT_EQ(bgm_.Init(1, ogg_, midi_, kMusicTracks), 1);
  bgm_.Release();
  EXPECT_EQ(calls_, (std::vector<std::string>{"Delete"}));
  EXPECT_FALSE(bgm_.Initialised());
  EXPECT_EQ(bgm_.Play(0, 0, true), 1);
}

}  // namespace
