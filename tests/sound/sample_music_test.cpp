// Real renders of the sample game's music and sounds: FluidSynth with the installed soundfont,
// vorbisfile, and every WAVE file the project names.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/report_log.h"
#include "data/database.h"
#include "data/system_data.h"
#include "platform/sound/ogg_player.h"
#include "sound/midi_stream.h"
#include "sound/music_output.h"
#include "sound/sound_effects.h"
#include "support/temp_folder.h"
#include "tools/sample_game_fixture.h"

namespace {

float Peak(const std::vector<float>& out) {
  float peak = 0.0f;
  for (float v : out) peak = std::max(peak, std::fabs(v));
  return peak;
}

class SampleMusicTest : public testing::Test {
 protected:
  void SetUp() override {
    current_.emplace(sampletest::SampleGame::Folder());
    platform::GameFolder().Forget();
    SetMusicMixer(&mixer_);
  }
  void TearDown() override {
    SetMusicMixer(nullptr);
    platform::GameFolder().Forget();
  }
  std::vector<float> Render(int frames) {
    std::vector<float> out(static_cast<std::size_t>(frames) * 2);
    mixer_.RenderFloat(out.data(), frames);
    return out;
  }

  platform::SoundMixer mixer_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
};

TEST_F(SampleMusicTest, TheTitleTuneSoundsThroughTheSynthesiser) {
  std::optional<cMidiStream> player;
  player.emplace("bgm\\Title.mid");
  ASSERT_TRUE(player->HasImage());
  player->Restart(true);
  float peak = 0.0f;
  for (int i = 0; i < 100; ++i) peak = std::max(peak, Peak(Render(1024)));
  EXPECT_GT(peak, 0.01f);
  EXPECT_LE(peak, 1.0f);
  player.reset();
  Render(1);
}

TEST_F(SampleMusicTest, TheWorldMapOggLoopsWithoutAGap) {
  auto player = platform::OggPlayer::Create(mixer_);
  ASSERT_TRUE(player->Load(sampletest::FolderContents(sampletest::SampleGame::Folder())["bgm/WorldMap.ogg"]));
  const std::int64_t frames = player->TotalFrames();
  const int rate = player->SourceRate();
  ASSERT_GT(frames, 0);
  // The device takes exactly 44100 / rate of its frames for each of the file's.
  ASSERT_EQ(44100 % rate, 0);
  const std::int64_t period = frames * (44100 / rate);
  player->SetLoop(platform::OggPlayer::kEndless);
  player->Play();
  const auto out = Render(static_cast<int>(period * 2 + 4096));
  // The second pass repeats the first sample for sample: no gap and no click at the join.
  for (std::int64_t i = 16; i < period + 4096; ++i) {
    ASSERT_NEAR(out[static_cast<std::size_t>(i * 2)], out[static_cast<std::size_t>((i + period) * 2)], 1e-6f) << i;
  }
  EXPECT_GT(Peak(out), 0.01f);
  EXPECT_TRUE(player->Playing());
  player->Delete();
}

TEST_F(SampleMusicTest, EverySoundOfTheSampleLoads) {
  DS_InitOffline(mixer_);
  cVector<SoundSlot> slots;
  cVector<SoundNameRow> rows;
  std::vector<std::string> all;
  for (const auto& [path, bytes] : sampletest::FolderContents(sampletest::SampleGame::Folder())) {
    if (path.rfind("se/", 0) == 0) all.push_back("se\\" + path.substr(3));
  }
  ASSERT_GE(all.size(), 17u);
  slots.resize(all.size());
  rows.resize(all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    std::snprintf(rows[static_cast<int>(i)].name, 260, "%s", all[i].c_str());
    rows[static_cast<int>(i)].count = 1;
  }
  DS_LoadSounds(slots, rows, 0);
  for (std::size_t i = 0; i < all.size(); ++i) EXPECT_EQ(slots[static_cast<int>(i)].count, 1) << all[i];
  DS_UnInit();
}

}  // namespace
