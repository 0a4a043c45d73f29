// The sound side's threads together: the device's callback, the music thread and the players'
// notification threads, as 1029 and 1030 drive them.

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "core/report_log.h"
#include "platform/sound/midi_synth.h"
#include "sound/midi_fixture.h"
#include "sound/music_manager.h"
#include "sound/music_output.h"
#include "sound/music_thread.h"
#include "sound/sound_effects.h"
#include "sound/wave_fixture.h"
#include "support/temp_folder.h"

namespace {

using namespace soundtest;

// A stream source whose callback does not come back until the test lets it.
struct HeldSource : platform::MixSource {
  std::mutex mutex;
  std::condition_variable changed;
  bool inside = false;
  bool released = false;
  void MixInto(float*, int) override {
    std::unique_lock lock(mutex);
    inside = true;
    changed.notify_all();
    changed.wait(lock, [this] { return released; });
  }
};

TEST(SoundThreads, APlayIsQueuedWhileTheCallbackIsHeldBusy) {
  testsupport::TempFolder folder;
  folder.Write("se/a.wav", WaveFixture{}.Bytes());
  testsupport::ScopedCurrentFolder current(folder.path());
  platform::SoundMixer mixer;
  DS_InitOffline(mixer);
  SoundSlot slot;
  ASSERT_TRUE(DS_LoadSound(&slot, "se\\a.wav", 2, 0));
  auto held = std::make_shared<HeldSource>();
  mixer.AddSource(held);
  std::thread device([&] {
    std::vector<float> out(2048);
    mixer.RenderFloat(out.data(), 1024);
  });
  {
    std::unique_lock lock(held->mutex);
    held->changed.wait(lock, [&] { return held->inside; });
  }
  // The callback is inside its mix: every call below must come back without it.
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 100; ++i) {
    DS_Play(&slot, 0);
    DS_SetVolume(&slot, i % 2, -100 * (i % 10), false);
  }
  const auto spent = std::chrono::steady_clock::now() - start;
  {
    std::lock_guard lock(held->mutex);
    held->released = true;
  }
  held->changed.notify_all();
  device.join();
  RecordProperty("hundred_calls_us", static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(spent).count()));
  DS_ReleaseSound(&slot);
  DS_UnInit();
}

class QuietSynth : public platform::MidiSynth {
  void ShortMessage(std::uint32_t) override {}
  void LongMessage(const std::uint8_t*, std::size_t) override {}
  void AllNotesOff() override {}
  void Reset() override {}
  void MixInto(float*, int) override {}
};
std::unique_ptr<platform::MidiSynth> MakeQuiet(std::string&) { return std::make_unique<QuietSynth>(); }

class FakeVox : public cVoxObject {
 public:
  bool Load(const char*) override { return true; }
  void Play() override {}
  void Stop() override {}
  void Close() override {}
  void SetLoop(std::int32_t) override {}
  void Delete() override {}
};
std::unique_ptr<cVoxObject> MakeVox() { return std::make_unique<FakeVox>(); }

// Requests every frame for a while: short songs that loop and end, players replaced, Ogg
// and MIDI taking turns, stops, all while the device mixes on its own thread.
TEST(SoundThreads, MusicRequestsEveryFrameWhileSongsLoopAndPlayersChange) {
  testsupport::TempFolder folder;
  folder.Write("bgm/a.mid", Smf(0, 96, {Ev(0, Bytes({0x90, 60, 100})) + Ev(2, kEndOfTrack)}));
  folder.Write("bgm/b.mid", Smf(0, 96, {Ev(0, Bytes({0xF0, 1, 0xF7})) + Ev(1, kEndOfTrack)}));
  testsupport::ScopedCurrentFolder current(folder.path());
  platform::SoundMixer mixer;
  SetMusicMixer(&mixer);
  platform::SetMidiSynthFactory(&MakeQuiet);
  SetVoxFactory(&MakeVox);
  std::atomic<bool> running{true};
  std::thread device([&] {
    std::vector<float> out(512);
    while (running) mixer.RenderFloat(out.data(), 256);
  });
  ASSERT_TRUE(StartMusicThread());
  // Tables of the test's own: SetTrack writes into them.
  static MusicNameRow ogg[kMusicTracks];
  static MusicNameRow midi[kMusicTracks];
  std::memcpy(ogg, BgmOggNames, sizeof ogg);
  std::memcpy(midi, BgmMidiNames, sizeof midi);
  PostMusic([] { MusicMgr.Init(1, ogg, midi, kMusicTracks); });
  const char* files[] = {"bgm\\a.mid", "bgm\\b.mid", "bgm\\c.ogg", "bgm\\a.mid"};
  for (int frame = 0; frame < 300; ++frame) {
    const int track = frame % kMusicTracks;
    const std::string file = files[frame % 4];
    PostMusic([track, file] { MusicMgr.SetTrack(track, file.c_str()); });
    if (frame % 7 == 6) {
      PostMusic([] { MusicMgr.Stop(); });
    } else {
      PostMusic([track, frame] { MusicMgr.Play(0, track, frame % 3 != 0); });
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  FinishMusicThread([] { MusicMgr.Release(); });
  EXPECT_FALSE(MusicMgr.Initialised());
  running = false;
  device.join();
  ResetVoxFactory();
  platform::SetMidiSynthFactory(nullptr);
  SetMusicMixer(nullptr);
}

}  // namespace
